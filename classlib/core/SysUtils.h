// Exceptions and the small string and file-name helpers that every unit uses.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Base of every exception of ours; Message() is the text shown to the user.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& msg) : std::runtime_error(msg) {}
  std::string Message() const { return what(); }
};

class EConvertError : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };
class EOutOfResources : public Exception { using Exception::Exception; };
// A file or folder operation of the system failed.
class EInOutError : public Exception { using Exception::Exception; };

// 8-bit ANSI text: only ASCII letters change case, as the system's own
// lower-casing of keys and paths does in the programs' default code page.
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
std::string Trim(std::string_view s);
std::string IntToStr(long long v);
std::string IntToHex(uint32_t v, int digits);
// Decimal or "$" hexadecimal (optionally signed); raises EConvertError.
long long StrToInt64(std::string_view s);
int StrToInt(std::string_view s);
int StrToIntDef(std::string_view s, int def);
bool TryStrToInt(std::string_view s, int& out);
bool StartsText(std::string_view prefix, std::string_view s);
bool EndsText(std::string_view suffix, std::string_view s);

// The system's text for an error code (a Windows error code on Windows, an
// errno value elsewhere), without its closing line break.
std::string SysErrorMessage(unsigned long code);

// File names: both '\\' and '/' separate folders, ':' ends a drive.
std::string ExtractFilePath(std::string_view name);   // with the trailing separator
std::string ExtractFileName(std::string_view name);
std::string ExtractFileExt(std::string_view name);    // with the dot, "" when none
std::string ChangeFileExt(std::string_view name, std::string_view ext);
std::string IncludeTrailingBackslash(std::string_view path);

// Days since 30 December 1899, the fraction the time of day.
using TDateTime = double;
TDateTime EncodeDate(int year, int month, int day);  // EConvertError for an invalid date
void DecodeDate(TDateTime date, int& year, int& month, int& day);
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
TDateTime Date();  // today, local time
// Date text by a short-date pattern of d, dd, M, MM, yy, yyyy and literal
// separators (the Windows locale pattern form, e.g. "M/d/yyyy", "d.M.yyyy").
std::string FormatDate(const std::string& pattern, TDateTime date);
bool TryParseDate(const std::string& pattern, const std::string& text, TDateTime& out);
