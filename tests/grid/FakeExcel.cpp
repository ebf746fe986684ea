#include "FakeExcel.h"

#include <ole2.h>
#include <oleauto.h>

#include <fstream>

namespace {
// {6A1F3C52-0B7E-4C1D-9E57-2D7B8F00C0DE}
const CLSID FakeClsid = {0x6a1f3c52, 0x0b7e, 0x4c1d, {0x9e, 0x57, 0x2d, 0x7b, 0x8f, 0x00, 0xc0, 0xde}};
const char* const ClsidText = "{6A1F3C52-0B7E-4C1D-9E57-2D7B8F00C0DE}";
const char* const ProgIdKey = "excel.application";
const char* const ClsidKey = "CLSID\\{6A1F3C52-0B7E-4C1D-9E57-2D7B8F00C0DE}";

const wchar_t* const Members[] = {L"WorkBooks", L"Add",   L"Open",      L"WorkSheets", L"ActiveSheet", L"SaveAs",
                                  L"Close",     L"Quit",  L"Range",     L"UsedRange",  L"Address",     L"Value"};
enum TKind { kApp, kBooks, kBook, kSheets, kSheet, kRange };

std::string Narrow(BSTR w) {
  int n = WideCharToMultiByte(CP_ACP, 0, w, int(SysStringLen(w)), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w, int(SysStringLen(w)), s.data(), n, nullptr, nullptr);
  return s;
}

BSTR Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0);
  BSTR b = SysAllocStringLen(nullptr, UINT(n));
  MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), b, n);
  return b;
}

std::string Text(const VARIANT& v) {
  VARIANT t;
  VariantInit(&t);
  if (FAILED(VariantChangeType(&t, const_cast<VARIANT*>(&v), 0, VT_BSTR))) return "?";
  std::string s = Narrow(t.bstrVal);
  VariantClear(&t);
  return s;
}

// Reference counting and QueryInterface for one interface I with id iid.
template <class I>
class TComObject : public I {
public:
  explicit TComObject(const IID& iid) : FIid(iid) {}
  virtual ~TComObject() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == FIid) {
      *out = static_cast<I*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG n = --FRefs;
    if (n == 0) delete this;
    return n;
  }

private:
  const IID& FIid;
  ULONG FRefs = 0;
};

class TFakeObject : public TComObject<IDispatch> {
public:
  TFakeObject(TFakeExcelState& state, TKind kind, std::string address = {})
      : TComObject(IID_IDispatch), FState(state), FKind(kind), FAddress(std::move(address)) {}
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      for (size_t m = 0; m < std::size(Members); ++m)
        if (_wcsicmp(names[i], Members[m]) == 0) ids[i] = DISPID(m + 1);
      if (ids[i] == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id < 1 || size_t(id) > std::size(Members)) return DISP_E_MEMBERNOTFOUND;
    const std::wstring member = Members[id - 1];
    const UINT named = p->cNamedArgs;
    auto arg = [&](UINT i) -> const VARIANT& { return p->rgvarg[p->cArgs - 1 - i]; };
    auto object = [&](TKind kind, std::string address = {}) {
      if (!result) return S_OK;
      VariantInit(result);
      result->vt = VT_DISPATCH;
      result->pdispVal = new TFakeObject(FState, kind, std::move(address));
      result->pdispVal->AddRef();
      return S_OK;
    };
    if (member == L"WorkBooks") return object(kBooks);
    if (member == L"Add") return object(FKind == kBooks ? kBook : kSheet);
    if (member == L"WorkSheets") return object(kSheets);
    if (member == L"ActiveSheet") return object(kSheet);
    if (member == L"UsedRange") return object(kRange, FState.UsedAddress);
    if (member == L"Open") {
      FState.Calls.push_back("Open " + Text(arg(0)));
      return object(kBook);
    }
    if (member == L"Range") {
      FState.Calls.push_back("Range " + Text(arg(0)));
      return object(kRange, Text(arg(0)));
    }
    if (member == L"SaveAs") {
      FState.SavedAs = Text(arg(0));
      FState.Calls.push_back("SaveAs " + FState.SavedAs);
      std::ofstream(FState.SavedAs) << "workbook";
      return S_OK;
    }
    if (member == L"Close" || member == L"Quit") {
      const bool keep = p->cArgs > 0 && arg(0).vt == VT_BOOL && arg(0).boolVal == VARIANT_FALSE;
      FState.Calls.push_back(member == L"Quit" ? "Quit" : keep ? "Close without saving" : "Close");
      return S_OK;
    }
    if (member == L"Address") {
      if (result) result->vt = VT_BSTR, result->bstrVal = Wide(FAddress);
      return S_OK;
    }
    // Value: set from a two-dimensional array, or read as one.
    if (flags & DISPATCH_PROPERTYPUT) {
      if (named != 1 || p->cArgs < 1) return DISP_E_PARAMNOTOPTIONAL;
      const VARIANT& v = p->rgvarg[0];
      if (v.vt != (VT_ARRAY | VT_VARIANT) || SafeArrayGetDim(v.parray) != 2) return DISP_E_TYPEMISMATCH;
      LONG rows, cols;
      SafeArrayGetUBound(v.parray, 1, &rows);
      SafeArrayGetUBound(v.parray, 2, &cols);
      FState.Cells.assign(size_t(rows + 1), std::vector<std::string>(size_t(cols + 1)));
      FState.Types.assign(size_t(rows + 1), std::vector<VARTYPE>(size_t(cols + 1)));
      for (LONG r = 0; r <= rows; ++r)
        for (LONG c = 0; c <= cols; ++c) {
          VARIANT cell;
          VariantInit(&cell);
          LONG index[2] = {r, c};
          SafeArrayGetElement(v.parray, index, &cell);
          FState.Cells[size_t(r)][size_t(c)] = Text(cell);
          FState.Types[size_t(r)][size_t(c)] = cell.vt;
          VariantClear(&cell);
        }
      FState.Calls.push_back("Value " + FAddress);
      return S_OK;
    }
    if (!result) return S_OK;
    VariantInit(result);
    if (FAddress.find(':') == std::string::npos) {  // one cell: its value alone
      result->vt = VT_BSTR;
      result->bstrVal = Wide(FState.Sheet.at(0).at(0));
      return S_OK;
    }
    const auto& sheet = FState.Sheet;
    SAFEARRAYBOUND b[2] = {{ULONG(sheet.size()), 1}, {ULONG(sheet.at(0).size()), 1}};
    SAFEARRAY* a = SafeArrayCreate(VT_VARIANT, 2, b);
    for (size_t r = 0; r < sheet.size(); ++r)
      for (size_t c = 0; c < sheet[r].size(); ++c) {
        VARIANT cell;
        cell.vt = VT_BSTR;
        cell.bstrVal = Wide(sheet[r][c]);
        LONG index[2] = {LONG(r + 1), LONG(c + 1)};
        SafeArrayPutElement(a, index, &cell);
        VariantClear(&cell);
      }
    result->vt = VT_ARRAY | VT_VARIANT;
    result->parray = a;
    return S_OK;
  }

private:
  TFakeExcelState& FState;
  TKind FKind;
  std::string FAddress;
};

class TFakeFactory : public TComObject<IClassFactory> {
public:
  explicit TFakeFactory(TFakeExcelState& state) : TComObject(IID_IClassFactory), FState(state) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* app = new TFakeObject(FState, kApp);
    app->AddRef();
    HRESULT hr = app->QueryInterface(iid, out);
    app->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
  TFakeExcelState& FState;
};

void SetKey(const char* key, const char* value) {
  HKEY h;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(strlen(value) + 1));
  RegCloseKey(h);
}
}  // namespace

TFakeExcel::TFakeExcel() {
  SetKey((std::string(ProgIdKey) + "\\CLSID").c_str(), ClsidText);
  SetKey(ClsidKey, "Fake spreadsheet");
  auto* factory = new TFakeFactory(State);
  factory->AddRef();
  FFactory = factory;
  CoRegisterClassObject(FakeClsid, FFactory, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &FCookie);
}

TFakeExcel::~TFakeExcel() {
  if (FCookie) CoRevokeClassObject(FCookie);
  FFactory->Release();
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ProgIdKey);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ClsidKey);
}
