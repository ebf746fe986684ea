// The portable half of the cabinet component: its contents collection, the
// library's error texts, member-name safety and DOS dates.
#include "cabfiles.h"

TCABFileEntry& TCABFileContents::GetItem(int index) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return *FItems[size_t(index)];
}

TCABFileEntry& TCABFileContents::Add() {
  FItems.push_back(std::make_unique<TCABFileEntry>());
  return *FItems.back();
}

bool TCABFileContents::IsSelected(const std::string& name) const {
  for (const auto& e : FItems)
    if (SameText(e->Name, name)) return e->Selected;
  return false;
}

std::string FCIErrorText(int code) {
  switch (code) {
    case 0: return "No error";
    case 1: return "Failure opening file to be stored in cabinet";
    case 2: return "Failure reading file to be stored in cabinet";
    case 3: return "Insufficient memory in FCI";
    case 4: return "Could not create a temporary file";
    case 5: return "Unknown compression type";
    case 6: return "Could not create cabinet file";
    case 7: return "Client requested abort";
    case 8: return "Failure compressing data";
    default: return "Unknown error";
  }
}

// By the reading side's error codes (FDIERROR_*).
std::string FDIErrorText(int code) {
  switch (code) {
    case 0: return "No error";
    case 1: return "Cabinet file not found";
    case 2: return "File is not a cabinet";
    case 3: return "Unknown cabinet version";
    case 4: return "Cabinet file is corrupt";
    case 5: return "Insufficient memory in FDI";
    case 6: return "Unknown compression type in cabinet";
    case 7: return "Failure decompressing data from cabinet";
    case 8: return "Failure writing extracted file";
    case 9: return "Cabinet reserve sizes do not match";
    case 10: return "Cabinet is not the next one of its set";
    case 11: return "Client requested abort";
    case 12: return "Unexpected end of cabinet file";
    default: return "Unknown error";
  }
}

bool IsSafeMemberName(const std::string& name) {
  if (name.empty()) return false;
  if (name[0] == '\\' || name[0] == '/') return false;   // absolute or a UNC path
  if (name.find(':') != std::string::npos) return false;  // a drive (or a stream name)
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string::npos) end = name.size();
    std::string part = name.substr(start, end - start);
    if (part.empty() || part == "..") return false;  // "a\\\\b", a trailing separator, ".."
    start = end + 1;
  }
  return true;
}

std::string MemberTargetName(const std::string& targetPath, const std::string& memberName) {
  if (targetPath.empty()) return memberName;
  std::string path = targetPath;
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path + "\\" + memberName;
}

TDateTime DosDateTimeToDateTime(uint16_t date, uint16_t time) {
  TDateTime day;
  if (!TryEncodeDate(1980 + (date >> 9), (date >> 5) & 15, date & 31, day)) return 0;
  int hour = time >> 11, minute = (time >> 5) & 63, second = (time & 31) * 2;
  if (hour > 23 || minute > 59 || second > 59) return 0;
  return day + (hour * 3600 + minute * 60 + second) / 86400.0;
}
