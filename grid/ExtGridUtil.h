// Free routines on cell texts: classification, conversions, lone delimiters,
// dates and filter conditions. Stateless and portable.
#pragma once
#include <string>
#include <string_view>

#include "SysUtils.h"

class EExtGridError : public Exception { using Exception::Exception; };

// The locale's number and date conventions that cell texts are read with; the
// window layer fills it from the system locale, tests set it directly.
struct TGridFormat {
  char ThousandSeparator = ',';
  char DecimalSeparator = '.';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "M/d/yyyy";
};
TGridFormat& GridFormat();

// --- classification
enum TCellTextKind { ctPlain = 0, ctHTML = 1, ctRichText = 2, ctFormula = 3 };
int CellTextKind(std::string_view s, bool htmlEnabled);
enum TNumberKind { nkInteger = 0, nkFloat = 1, nkOther = 2 };
int NumberKind(std::string_view s);
bool IsURL(std::string_view s);
void StripURLScheme(std::string& s);
struct TRCRef {
  bool Ok = false;
  int Col = 0;
  int Row = 0;
};
TRCRef ParseRCRef(std::string_view s);
char FirstCharInSet(std::string_view set, std::string_view s);

// --- conversions
std::string CRToBR(std::string_view s);
std::string ColorToHex(uint32_t color);
std::string BackslashNToCR(std::string_view s);
std::string FillChars(std::string_view s, char c);
std::string CollapseQuotes(char quote, std::string_view s);
std::string QuoteMultiline(std::string_view s);
std::string LFToCRLF(std::string_view s);
std::string TildeToCRLF(std::string_view s);
std::string RemoveCR(std::string_view s);
// Returns the part before the first CR; s keeps what follows it (an LF right
// after the CR dropped) when keepRest, else becomes empty.
std::string SplitFirstLine(std::string& s, bool keepRest);
int LineCount(std::string_view s, bool multiLineCells);
std::string NumberText(std::string_view s);
std::string ProperCase(std::string_view s);
char ToLowerChar(char c);
// Replaces every occurrence of from by to.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

// --- lone characters: an occurrence with no equal character beside it
int FindLoneChar(char c, std::string_view s);  // 1-based, 0 when none
int CountDelimiters(char c, std::string_view s);

// --- dates
bool ParseShortDate(std::string_view s, TDateTime& out);
TDateTime ParseDateMDY(std::string_view s);  // 0 when unreadable
TDateTime ParseDateDMY(std::string_view s);
TDateTime NextSeriesDate(int years, int months, int days, TDateTime step, TDateTime date);

// --- text to number: the number characters of s read as a double
bool TextToFloat(std::string_view s, double& out);

// --- filter conditions
bool WildcardMatch(std::string_view text, std::string_view pattern);
bool MatchConditionPart(std::string_view value, std::string_view part);
bool MatchFilterCondition(std::string_view value, std::string_view condition, bool caseSensitive);
// MatchFilterCondition in two steps, so that a filter over many rows reads
// its condition once: the condition as it is matched, then a value against it.
std::string FilterConditionText(std::string_view condition, bool caseSensitive);
bool MatchConditionText(std::string_view value, std::string_view clean, bool caseSensitive);

// --- small helpers
// The class library's grid window declares the same rectangle; one
// definition serves both.
#ifndef BX_GRID_RECT_DEFINED
#define BX_GRID_RECT_DEFINED
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
#endif
bool PointInRect(int x, int y, const TGridRect& r);
inline int MaxInt(int a, int b) { return a > b ? a : b; }
inline int MinInt(int a, int b) { return a < b ? a : b; }
// 1-based position of sub in s, 0 when absent; also given back through pos.
int PosOf(std::string_view sub, std::string_view s, int& pos);
