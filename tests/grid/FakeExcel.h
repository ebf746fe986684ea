// A stand-in for the spreadsheet program's automation server, registered in
// the test's prefix under "excel.application": it records the members called
// and the cell values it receives, and serves a sheet for the import.
#pragma once
#include <string>
#include <vector>

#include <ole2.h>

struct TFakeExcelState {
  std::vector<std::string> Calls;               // "Member arguments", in order
  std::vector<std::vector<std::string>> Cells;  // the values set on a range, by row
  std::vector<std::vector<VARTYPE>> Types;      // and their variant types
  std::string SavedAs;
  // The sheet an Open gives: its used range's address and its values by row.
  std::string UsedAddress = "$A$1:$B$2";
  std::vector<std::vector<std::string>> Sheet{{"a", "b"}, {"c", "d"}};
};

class TFakeExcel {
public:
  TFakeExcel();  // registers the class object and the program's class key
  ~TFakeExcel();
  TFakeExcelState State;

private:
  DWORD FCookie = 0;
  IUnknown* FFactory = nullptr;
};
