// The grid's workbook export and import through the spreadsheet program's
// OLE automation ("excel.application"), called late-bound by member name.
#include "ExtGrid.h"

#include <ole2.h>
#include <oleauto.h>

#include <utility>
#include <vector>

namespace {
const char* const kNoServer = "Excel OLE server not found";

std::wstring Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n > 0 ? n : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const wchar_t* w, UINT length) {
  int n = WideCharToMultiByte(CP_ACP, 0, w, int(length), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n > 0 ? n : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, w, int(length), s.data(), n, nullptr, nullptr);
  return s;
}

// A VARIANT that clears itself.
struct TVariant : VARIANT {
  TVariant() { VariantInit(this); }
  explicit TVariant(const std::string& s) {
    VariantInit(this);
    std::wstring w = Wide(s);
    vt = VT_BSTR;
    bstrVal = SysAllocStringLen(w.data(), UINT(w.size()));
  }
  explicit TVariant(bool b) {
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
  }
  ~TVariant() { VariantClear(this); }
  TVariant(const TVariant&) = delete;
  TVariant& operator=(const TVariant&) = delete;
};

// A value as cell text; empty cells and values without a text form give "".
std::string VariantText(const VARIANT& v) {
  if (v.vt == VT_EMPTY || v.vt == VT_NULL) return {};
  TVariant text;
  if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&v), 0, VT_BSTR))) return {};
  return Narrow(text.bstrVal, SysStringLen(text.bstrVal));
}

// One automation object; members are called by name. A failing call raises
// EExtGridError naming the member.
class TAutoObject {
public:
  TAutoObject() = default;
  explicit TAutoObject(IDispatch* d) : FDisp(d) {}  // takes the reference
  ~TAutoObject() {
    if (FDisp) FDisp->Release();
  }
  TAutoObject(TAutoObject&& o) noexcept : FDisp(std::exchange(o.FDisp, nullptr)) {}
  TAutoObject& operator=(TAutoObject&& o) noexcept {
    std::swap(FDisp, o.FDisp);
    return *this;
  }

  // args in the member's order.
  void Invoke(WORD flags, const char* name, std::vector<VARIANT*> args, VARIANT* result) const {
    std::wstring wname = Wide(name);
    LPOLESTR names[] = {wname.data()};
    DISPID id;
    if (!FDisp || FAILED(FDisp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
      throw EExtGridError(std::string("Excel automation failed: ") + name);
    std::vector<VARIANTARG> reversed;  // Invoke takes the arguments last first
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (flags == DISPATCH_PROPERTYPUT) params.rgdispidNamedArgs = &put, params.cNamedArgs = 1;
    if (FAILED(FDisp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr)))
      throw EExtGridError(std::string("Excel automation failed: ") + name);
  }
  TAutoObject Object(WORD flags, const char* name, std::vector<VARIANT*> args = {}) const {
    TVariant v;
    Invoke(flags, name, std::move(args), &v);
    if (v.vt != VT_DISPATCH || !v.pdispVal) throw EExtGridError(std::string("Excel automation failed: ") + name);
    IDispatch* d = v.pdispVal;
    d->AddRef();
    return TAutoObject(d);
  }
  TAutoObject Get(const char* name, std::vector<VARIANT*> args = {}) const {
    return Object(DISPATCH_PROPERTYGET | DISPATCH_METHOD, name, std::move(args));
  }
  void Call(const char* name, std::vector<VARIANT*> args = {}) const {
    TVariant ignored;
    Invoke(DISPATCH_METHOD, name, std::move(args), &ignored);
  }

private:
  IDispatch* FDisp = nullptr;  // owned reference
};

// The running spreadsheet program; told to quit when this goes, also after
// an error.
class TExcel {
public:
  TExcel() {
    CLSID clsid;
    IDispatch* d = nullptr;
    if (FAILED(CLSIDFromProgID(L"excel.application", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&d))))
      throw EExtGridError(kNoServer);
    App = TAutoObject(d);
  }
  ~TExcel() {
    try {
      App.Call("Quit");
    } catch (const EExtGridError&) {
    }
  }
  TAutoObject App;
};

// The hourglass while the program works; the arrow again afterwards.
class TWaitCursor {
public:
  TWaitCursor() : FOld(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~TWaitCursor() { SetCursor(FOld ? FOld : LoadCursor(nullptr, IDC_ARROW)); }

private:
  HCURSOR FOld;
};

std::string CellAddress(int col, int row) { return ColumnLetters(col) + IntToStr(row); }

// A cell's value for the sheet: a number written plainly ("-12", "3.5", in
// the locale's decimal separator) goes as a number, a whole one that fits as
// a 32-bit integer; any other text, "007" and "555-1234" too, as the text
// itself, its line breaks without CR.
void PutCellValue(VARIANT& v, const std::string& text) {
  const char decimal = GridFormat().DecimalSeparator;
  size_t i = text.starts_with('-') ? 1 : 0, digits = 0, point = std::string::npos;
  const size_t first = i;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') ++digits;
    else if (text[i] == decimal && point == std::string::npos && digits > 0) point = i;
    else break;
  }
  const bool number = i == text.size() && digits > 0 && point + 1 != text.size() &&
                      !(text[first] == '0' && first + 1 < text.size() && text[first + 1] != decimal);
  std::string plain = text;
  if (point != std::string::npos) plain[point] = '.';
  double value = 0;
  if (number && TextToFloat(plain, value)) {
    if (point == std::string::npos && value >= -2147483648.0 && value <= 2147483647.0) {
      v.vt = VT_I4;
      v.lVal = LONG(value);
    } else {
      v.vt = VT_R8;
      v.dblVal = value;
    }
    return;
  }
  std::wstring w = Wide(RemoveCR(text));
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(w.data(), UINT(w.size()));
}
}  // namespace

void TExtStringGrid::SaveToWorkbook(const std::string& fileName) {
  TWaitCursor wait;
  TExcel excel;
  TAutoObject book = excel.App.Get("WorkBooks").Get("Add");
  TAutoObject sheet = book.Get("WorkSheets").Get("Add");
  const int c0 = ExportFixedCells ? 0 : FixedCols(), r0 = ExportFixedCells ? 0 : FixedRows();
  const int cols = ColCount() - c0, rows = RowCount() - r0;
  if (cols <= 0 || rows <= 0) return;
  SAFEARRAYBOUND bounds[2] = {{ULONG(rows), 0}, {ULONG(cols), 0}};
  SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
  if (!array) throw EExtGridError("Excel automation failed: out of memory");
  TVariant values;
  values.vt = VT_ARRAY | VT_VARIANT;
  values.parray = array;  // freed with values
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      TVariant v;
      PutCellValue(v, Cells(c0 + c, r0 + r));
      LONG index[2] = {r, c};
      SafeArrayPutElement(array, index, &v);
    }
  TVariant address("A1:" + CellAddress(cols, rows));
  TAutoObject range = sheet.Get("Range", {&address});
  range.Invoke(DISPATCH_PROPERTYPUT, "Value", {&values}, nullptr);
  TVariant name(fileName);
  book.Call("SaveAs", {&name});
}

void TExtStringGrid::LoadFromWorkbook(const std::string& fileName) {
  TWaitCursor wait;
  TExcel excel;
  TVariant name(fileName);
  TAutoObject book = excel.App.Get("WorkBooks").Get("Open", {&name});
  TAutoObject sheet = book.Get("ActiveSheet");
  TVariant address;
  sheet.Get("UsedRange").Invoke(DISPATCH_PROPERTYGET, "Address", {}, &address);
  TA1Range used;
  if (!ParseA1Range(VariantText(address), used)) {
    TVariant no(false);
    book.Call("Close", {&no});
    return;
  }
  const int c0 = ExportFixedCells ? 0 : FixedCols(), r0 = ExportFixedCells ? 0 : FixedRows();
  struct TUpdate {
    TExtStringGrid& Grid;
    ~TUpdate() { Grid.EndUpdate(); }
  } update{*this};
  BeginUpdate();
  SetColCount(used.LastCol - used.FirstCol + 1 + c0);
  SetRowCount(used.LastRow - used.FirstRow + 1 + r0);
  TVariant whole(CellAddress(used.FirstCol, used.FirstRow) + ":" + CellAddress(used.LastCol, used.LastRow));
  TVariant value;
  sheet.Get("Range", {&whole}).Invoke(DISPATCH_PROPERTYGET, "Value", {}, &value);
  if ((value.vt & VT_ARRAY) && value.parray && SafeArrayGetDim(value.parray) == 2) {
    LONG lo1, hi1, lo2, hi2;
    SafeArrayGetLBound(value.parray, 1, &lo1), SafeArrayGetUBound(value.parray, 1, &hi1);
    SafeArrayGetLBound(value.parray, 2, &lo2), SafeArrayGetUBound(value.parray, 2, &hi2);
    for (LONG i = lo1; i <= hi1 && r0 + (i - lo1) < RowCount(); ++i)
      for (LONG j = lo2; j <= hi2 && c0 + (j - lo2) < ColCount(); ++j) {
        TVariant cell;
        LONG index[2] = {i, j};
        if (SUCCEEDED(SafeArrayGetElement(value.parray, index, &cell)))
          FData.SetCells(FData.DisplayColToReal(c0 + int(j - lo2)), r0 + int(i - lo1), VariantText(cell));
      }
  } else {
    // The value of a one-cell range is that cell's value, not an array.
    FData.SetCells(FData.DisplayColToReal(c0), r0, VariantText(value));
  }
  TVariant no(false);
  book.Call("Close", {&no});
  FData.CellsChanged(0, 0, ColCount(), RowCount());
}
