// The drag-and-drop unit's source side: the drop source, the data object of
// a text or column drag and its format enumerator.
#include <cstring>

#include "EsgDD.h"

namespace {
bool ContentInGlobal(const FORMATETC* format) {
  return format && format->dwAspect == DVASPECT_CONTENT && (format->tymed & TYMED_HGLOBAL);
}

// A movable, shareable, zero-filled block of size bytes that starts with the
// count bytes given; null when memory runs out.
HGLOBAL DataBlock(const void* bytes, size_t count, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, size);
  if (!block) return nullptr;
  {
    TGlobalLock lock(block);
    if (lock.Bytes()) {
      std::memcpy(lock.Bytes(), bytes, count);
      return block;
    }
  }
  GlobalFree(block);
  return nullptr;
}

// The text widened, with its zero: (length + 1) * 2 bytes.
HGLOBAL UnicodeBlock(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int n = text.empty() ? 0
                             : MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), int(wide.size()));
  return DataBlock(wide.data(), size_t(n > 0 ? n : 0) * sizeof(WCHAR), (text.size() + 1) * sizeof(WCHAR));
}

HRESULT RunDrag(TSourceDataObject* object, TESGDropSource* source, DWORD allowed, DWORD& effect) {
  TComRef<IDataObject> data(object);
  effect = DROPEFFECT_NONE;
  DWORD dropped = DROPEFFECT_NONE;
  const HRESULT result = DoDragDrop(data.Get(), source, allowed, &dropped);
  if (source->LastFeedbackNone()) return DRAGDROP_S_CANCEL;
  if (result == DRAGDROP_S_DROP) effect = dropped;
  return result;
}
}  // namespace

// --- drop source

HRESULT TESGDropSource::QueryContinueDrag(BOOL escape, DWORD keys) {
  Guarded([&] { QueryDrag(); });
  if (escape) return DRAGDROP_S_CANCEL;
  if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
  return S_OK;
}

HRESULT TESGDropSource::GiveFeedback(DWORD effect) {
  FNoEffect = (effect & ~DWORD(DROPEFFECT_SCROLL)) == DROPEFFECT_NONE;
  Guarded([&] { CurrentEffect(effect); });
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT StartTextDoDragDrop(TESGDropSource* source, const std::string& text, const std::string& rtf,
                            DWORD allowed, DWORD& effect) {
  return RunDrag(new TSourceDataObject(text, rtf, -1), source, allowed, effect);
}

HRESULT StartColDoDragDrop(TESGDropSource* source, int col, DWORD allowed, DWORD& effect) {
  return RunDrag(new TSourceDataObject("", "", col), source, allowed, effect);
}

// --- data object

HRESULT TSourceDataObject::QueryGetData(FORMATETC* format) {
  if (!ContentInGlobal(format)) return DV_E_FORMATETC;
  const CLIPFORMAT cf = format->cfFormat;
  if ((cf == CF_TEXT || cf == CF_UNICODETEXT) && !FText.empty()) return S_OK;
  if (cf == RichTextClipFormat() && !FRTF.empty() && OleRichTextDrops()) return S_OK;
  if (cf == GridColumnClipFormat() && FCol >= 0) return S_OK;
  return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_INVALIDARG;
  *medium = STGMEDIUM{};
  if (const HRESULT valid = QueryGetData(format); valid != S_OK) return valid;
  const CLIPFORMAT cf = format->cfFormat;
  HGLOBAL block = nullptr;
  if (cf == CF_TEXT) block = DataBlock(FText.data(), FText.size(), FText.size() + 1);
  else if (cf == CF_UNICODETEXT) block = UnicodeBlock(FText);
  else if (cf == RichTextClipFormat()) block = DataBlock(FRTF.data(), FRTF.size(), FRTF.size() + 1);
  else {
    const int32_t col = FCol;
    block = DataBlock(&col, sizeof col, sizeof col);
  }
  if (!block) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;  // the caller's, freed by its ReleaseStgMedium
  return S_OK;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out) out->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  *out = new TSourceEnumFormatEtc(FCol >= 0);
  return S_OK;
}

// --- format enumerator

HRESULT TSourceEnumFormatEtc::Next(ULONG count, FORMATETC* out, ULONG* fetched) {
  if (!out || (count > 1 && !fetched)) return E_INVALIDARG;
  const CLIPFORMAT formats[] = {CF_TEXT, CF_UNICODETEXT, RichTextClipFormat(), GridColumnClipFormat()};
  ULONG n = 0;
  for (; n < count && FAt < Count(); ++n, ++FAt)
    out[n] = ContentFormat(formats[FAt]);
  if (fetched) *fetched = n;
  return n == count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(ULONG count) {
  const ULONG left = Count() - FAt;
  FAt += count < left ? count : left;
  return count <= left ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Reset() {
  FAt = 0;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(IEnumFORMATETC** out) {
  if (!out) return E_INVALIDARG;
  *out = new TSourceEnumFormatEtc(FWithColumn, FAt);
  return S_OK;
}
