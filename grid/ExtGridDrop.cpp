// The grid's drop target and what a drop does: a dropped delimited file or
// workbook is loaded, dropped text is pasted at the cell under the mouse.
#include "ExtGridDrop.h"

#include <shlobj.h>

#include <cstring>

#include "ExtGrid.h"

namespace {
FORMATETC Format(CLIPFORMAT cf) { return FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The bytes of a global memory block, read within its size.
template <class F>
bool WithGlobal(HGLOBAL block, F&& use) {
  const size_t size = GlobalSize(block);
  const void* p = GlobalLock(block);
  if (!p) return false;
  bool ok = use(p, size);
  GlobalUnlock(block);
  return ok;
}

// Reads data in format cf and hands its bytes to use.
template <class F>
bool ReadData(IDataObject* data, CLIPFORMAT cf, F&& use) {
  FORMATETC fe = Format(cf);
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&fe, &medium))) return false;
  bool ok = medium.tymed == TYMED_HGLOBAL && WithGlobal(medium.hGlobal, use);
  ReleaseStgMedium(&medium);
  return ok;
}
}  // namespace

bool ReadDropFiles(const void* block, size_t size, std::vector<std::string>& names) {
  names.clear();
  if (size < sizeof(DROPFILES)) return false;
  DROPFILES head;
  std::memcpy(&head, block, sizeof head);
  const auto* bytes = static_cast<const unsigned char*>(block);
  size_t at = head.pFiles;
  if (at < sizeof head || at > size) return false;
  const size_t unit = head.fWide ? sizeof(WCHAR) : 1;
  // Each name ends with a zero; an empty name ends the list. Both must lie
  // inside the block.
  for (;;) {
    size_t end = at;
    auto zeroAt = [&](size_t i) {
      for (size_t k = 0; k < unit; ++k)
        if (bytes[i + k] != 0) return false;
      return true;
    };
    while (end + unit <= size && !zeroAt(end)) end += unit;
    if (end + unit > size) {
      names.clear();
      return false;
    }
    if (end == at) return true;
    if (head.fWide) {
      std::wstring wide((end - at) / unit, L'\0');
      std::memcpy(wide.data(), bytes + at, end - at);
      int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
      std::string name(size_t(n > 0 ? n : 0), '\0');
      WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), name.data(), n, nullptr, nullptr);
      names.push_back(name);
    } else {
      names.emplace_back(reinterpret_cast<const char*>(bytes + at), end - at);
    }
    at = end + unit;
  }
}

HRESULT TGridDropTarget::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IDropTarget) {
    *out = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

bool TGridDropTarget::Accepts(POINTL pt) const {
  if (FFiles) return true;
  if (!FText) return false;
  POINT p{pt.x, pt.y};
  ScreenToClient(FGrid.Handle(), &p);
  int col, row;
  if (!FGrid.MouseToCell(p.x, p.y, col, row)) return false;
  return row >= FGrid.FixedRows() || (FGrid.FixedRowAlways && FGrid.RowCount() == 1);
}

HRESULT TGridDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  FORMATETC files = Format(CF_HDROP), text = Format(CF_TEXT);
  FFiles = FGrid.OleAcceptFiles && data->QueryGetData(&files) == S_OK;
  FText = FGrid.OleAcceptText && data->QueryGetData(&text) == S_OK;
  return DragOver(keys, pt, effect);
}

HRESULT TGridDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  *effect = Accepts(pt) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT TGridDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  FORMATETC files = Format(CF_HDROP), text = Format(CF_TEXT);
  FFiles = FGrid.OleAcceptFiles && data->QueryGetData(&files) == S_OK;
  FText = FGrid.OleAcceptText && data->QueryGetData(&text) == S_OK;
  *effect = DROPEFFECT_NONE;
  if (!Accepts(pt)) return S_OK;
  if (FFiles) {
    std::vector<std::string> names;
    if (ReadData(data, CF_HDROP, [&](const void* p, size_t n) { return ReadDropFiles(p, n, names); }))
      FGrid.DropFiles(names);
  } else {
    std::string dropped;
    ReadData(data, CF_TEXT, [&](const void* p, size_t n) {
      dropped.assign(static_cast<const char*>(p), strnlen(static_cast<const char*>(p), n));
      return true;
    });
    POINT client{pt.x, pt.y};
    ScreenToClient(FGrid.Handle(), &client);
    FGrid.DropText(client, dropped);
  }
  *effect = DROPEFFECT_COPY;
  return S_OK;
}

// --- the grid's side

void TExtStringGrid::SetOleDropTarget(bool on) {
  if (on == OleDropTarget()) return;
  if (on) {
    FDropTarget = std::make_unique<TGridDropTarget>(*this);
    RegisterDragDrop(Handle(), FDropTarget.get());
  } else {
    if (HandleAllocated()) RevokeDragDrop(FHandle);
    FDropTarget.reset();
  }
}

void TExtStringGrid::DropFiles(const std::vector<std::string>& names) {
  if (names.size() != 1) return;
  const std::string& name = names[0];
  const std::string upper = UpperCase(name);
  const bool csv = upper.find(".CSV") != std::string::npos, xls = upper.find(".XLS") != std::string::npos;
  if (!csv && !xls) return;
  bool allow = true;
  if (OnOleDrop) OnOleDrop(this, -1, -1, name, allow);
  if (!allow) return;
  if (csv) LoadFromDelimitedFile(name);
  else LoadFromWorkbook(name);
}

void TExtStringGrid::DropText(POINT client, const std::string& text) {
  int col, row;
  if (!MouseToCell(client.x, client.y, col, row)) return;
  if (row == 0 && FixedRowAlways && RowCount() == 1) row = 1;
  if (Options & goRowSelect) col = FixedCols();
  bool allow = true;
  if (OnOleDrop) OnOleDrop(this, row, col, text, allow);
  if (!allow) return;
  const TTextSize size = ClipboardTextSize(text);
  TPasteOptions o;
  o.QuoteMultilineClipboard = QuoteMultilineClipboard;
  o.AllowClipboardRowGrow = Navigation.AllowClipboardRowGrow;
  o.AllowClipboardColGrow = Navigation.AllowClipboardColGrow;
  if (!(Options & goEditing) && !Navigation.AllowClipboardAlways) return;
  PasteText(FData, FData.DisplayColToReal(col), row, text, o);
  const int firstCol = std::max(col, FixedCols());
  SetSelection(TGridRect{firstCol, row, std::min(col + std::max(size.Cols, 1) - 1, ColCount() - 1),
                         std::min(row + std::max(size.Rows, 1) - 1, RowCount() - 1)});
  ClampPosition();
}
