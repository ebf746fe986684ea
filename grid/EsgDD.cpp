// The drag-and-drop unit's shared state, the reader of dropped data objects
// and the generic drop target.
#include "EsgDD.h"

#include <shlobj.h>

#include <cstring>

#include "ExtGridUtil.h"
#include "Forms.h"

namespace {
int Users = 0;
bool RichTextOn = false;
CLIPFORMAT RichTextNumber = 0, GridColumnNumber = 0;
// No real data object lists this many formats; a longer walk is a broken
// enumerator that would never end.
constexpr int kMaxFormatEntries = 4096;

CLIPFORMAT Registered(CLIPFORMAT& number, const char* name) {
  if (number == 0) number = CLIPFORMAT(RegisterClipboardFormatA(name));
  return number;
}

// A storage medium released on every path.
struct TMediumGuard {
  STGMEDIUM Medium{};
  TMediumGuard() = default;
  TMediumGuard(const TMediumGuard&) = delete;
  TMediumGuard& operator=(const TMediumGuard&) = delete;
  ~TMediumGuard() { ReleaseStgMedium(&Medium); }
};

}  // namespace

CLIPFORMAT RichTextClipFormat() { return Registered(RichTextNumber, "Rich Text Format"); }
CLIPFORMAT GridColumnClipFormat() { return Registered(GridColumnNumber, "Grid Column"); }
bool OleRichTextDrops() { return RichTextOn; }

void Guarded(const std::function<void()>& hook) {
  try {
    hook();
  } catch (const std::exception& e) {
    Application().HandleException(e);
  } catch (...) {
    Application().HandleUnknownException();
  }
}
void SetOleRichTextDrops(bool on) { RichTextOn = on; }

TEsgDDUser::TEsgDDUser() { ++Users; }

TEsgDDUser::~TEsgDDUser() {
  if (--Users > 0) return;
  RichTextOn = false;
  RichTextNumber = GridColumnNumber = 0;
}

// --- dropped file lists

bool ReadDropFiles(const void* block, size_t size, std::vector<std::string>& names) {
  names.clear();
  if (size < sizeof(DROPFILES)) return false;
  DROPFILES head;
  std::memcpy(&head, block, sizeof head);
  const auto* bytes = static_cast<const unsigned char*>(block);
  size_t at = head.pFiles;
  if (at < sizeof head || at > size) return false;
  const size_t unit = head.fWide ? sizeof(WCHAR) : 1;
  auto zeroAt = [&](size_t i) {
    for (size_t k = 0; k < unit; ++k)
      if (bytes[i + k] != 0) return false;
    return true;
  };
  // Each name ends with a zero; an empty name ends the list. Both must lie
  // inside the block.
  for (;;) {
    size_t end = at;
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

// --- reading a dropped object

TEnumFormats::TEnumFormats(IDataObject* data) : FData(data) {
  IEnumFORMATETC* formats = nullptr;
  if (!data || FAILED(data->EnumFormatEtc(DATADIR_GET, &formats)) || !formats)
    throw EExtGridError("Cannot get the format enumerator");
  FEnum.Reset(formats);
}

bool TEnumFormats::HasFormat(CLIPFORMAT format) {
  IEnumFORMATETC* formats = FEnum.Get();
  formats->Reset();
  for (int i = 0; i < kMaxFormatEntries; ++i) {
    FORMATETC entry{};
    ULONG got = 0;
    if (formats->Next(1, &entry, &got) != S_OK || got != 1) return false;
    if (entry.ptd) CoTaskMemFree(entry.ptd);  // the caller's to free
    if (entry.cfFormat != format) continue;
    FORMATETC wanted = ContentFormat(format);
    return FData->QueryGetData(&wanted) == S_OK;
  }
  return false;
}

int TEnumFormats::Formats() {
  int formats = 0;
  if (HasFormat(CF_TEXT)) formats |= dfText;
  if (HasFormat(CF_HDROP)) formats |= dfFiles;
  if (HasFormat(GridColumnClipFormat())) formats |= dfColumn;
  if (HasFormat(RichTextClipFormat())) formats |= dfRichText;
  return formats;
}

template <class F>
bool TEnumFormats::ReadBlock(CLIPFORMAT format, F&& use) {
  FORMATETC wanted = ContentFormat(format);
  TMediumGuard medium;
  if (FData->GetData(&wanted, &medium.Medium) != S_OK) return false;
  if (medium.Medium.tymed != TYMED_HGLOBAL || !medium.Medium.hGlobal) return false;
  const size_t size = GlobalSize(medium.Medium.hGlobal);
  TGlobalLock lock(medium.Medium.hGlobal);
  return lock.Bytes() && use(lock.Bytes(), size);
}

// A string ends at its zero, or at the block's end when it has none.
bool TEnumFormats::ReadString(CLIPFORMAT format, std::string& text) {
  return ReadBlock(format, [&](const void* p, size_t size) {
    const char* chars = static_cast<const char*>(p);
    text.assign(chars, strnlen(chars, size));
    return true;
  });
}

bool TEnumFormats::ColumnIndex(int& col) {
  return ReadBlock(GridColumnClipFormat(), [&](const void* p, size_t size) {
    int32_t index;
    if (size < sizeof index) return false;
    std::memcpy(&index, p, sizeof index);
    col = index;
    return true;
  });
}

bool TEnumFormats::FileNames(std::vector<std::string>& names) {
  return ReadBlock(CF_HDROP, [&](const void* p, size_t size) { return ReadDropFiles(p, size, names); });
}

// --- drop target

DWORD DropEffectFor(DWORD keys, DWORD allowed) {
  const DWORD wanted = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  const DWORD other = wanted == DROPEFFECT_COPY ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
  if (allowed & wanted) return wanted;
  return (allowed & other) ? other : DROPEFFECT_NONE;
}

void TESGDropTarget::ReadFormats(IDataObject* data) {
  FFormats = 0;
  try {
    FFormats = TEnumFormats(data).Formats();
  } catch (const EExtGridError&) {
    // An object that lists no formats offers nothing to take.
  }
  FDropAcceptable = ((FFormats & dfText) && AcceptText) || ((FFormats & dfFiles) && AcceptFiles) ||
                    ((FFormats & dfRichText) && OleRichTextDrops() && AcceptText) ||
                    ((FFormats & dfColumn) && AcceptCols);
}

HRESULT TESGDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  ReadFormats(data);
  Guarded([&] { DragMouseEnter(); });
  return DragOver(keys, pt, effect);
}

HRESULT TESGDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  bool accept = FDropAcceptable;
  if (accept) Guarded([&] { DragMouseMove(POINT{pt.x, pt.y}, accept, FFormats); });
  *effect = accept ? DropEffectFor(keys, *effect) : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT TESGDropTarget::DragLeave() {
  Guarded([&] { DragMouseLeave(); });
  return S_OK;
}

// One of the column, the rich text and the text goes to its hook, the files
// to theirs as well. The effect tells the source what happened: none unless
// a hook took something.
HRESULT TESGDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  ReadFormats(data);
  if (!FDropAcceptable) return S_OK;
  const POINT at{pt.x, pt.y};
  bool taken = false;
  Guarded([&] {
    TEnumFormats reader(data);
    std::string text;
    int col;
    if ((FFormats & dfColumn) && AcceptCols) taken = reader.ColumnIndex(col) && DropCol(at, col);
    else if ((FFormats & dfRichText) && OleRichTextDrops() && AcceptText) taken = reader.RichText(text) && DropRTF(at, text);
    else if ((FFormats & dfText) && AcceptText) taken = reader.Text(text) && DropText(at, text);
    std::vector<std::string> names;
    if ((FFormats & dfFiles) && AcceptFiles && reader.FileNames(names) && DropFiles(at, names)) taken = true;
  });
  if (taken) *effect = DropEffectFor(keys, allowed);
  return S_OK;
}
