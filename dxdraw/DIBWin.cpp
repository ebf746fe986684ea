// TDIB on Windows: drawing, the canvas, palettes, the clipboard and global memory.
#include "DIBWin.h"

#include <algorithm>
#include <cstring>
#include <list>

namespace {
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

}  // namespace

std::vector<uint8_t> DIBInfoBlock(const TDIB& dib) {
  bool fields = dib.BitCount() == 16 || dib.BitCount() == 32;
  int entries = dib.BitCount() <= 8 ? 1 << dib.BitCount() : 0;
  std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + (fields ? 12 : 0) + size_t(entries) * 4);
  BITMAPINFOHEADER h{};
  h.biSize = sizeof(h);
  h.biWidth = dib.Width();
  h.biHeight = dib.Height();  // bottom-up
  h.biPlanes = 1;
  h.biBitCount = WORD(dib.BitCount());
  h.biCompression = fields ? BI_BITFIELDS : BI_RGB;
  h.biSizeImage = DWORD(dib.Size());
  std::memcpy(block.data(), &h, sizeof(h));
  size_t at = sizeof(h);
  if (fields) {
    const auto& pf = dib.CurrentPixelFormat();
    PutU32(block, at, pf.RedMask);
    PutU32(block, at + 4, pf.GreenMask);
    PutU32(block, at + 8, pf.BlueMask);
    at += 12;
  }
  std::memcpy(block.data() + at, dib.ImageColorTable().data(), size_t(entries) * 4);
  return block;
}

// --- drawing

void DrawDIB(HDC dc, const TDIB& dib, const RECT& dest, const RECT* source) {
  if (dib.Size() < 1) return;
  RECT src = source ? *source : RECT{0, 0, dib.Width(), dib.Height()};
  auto info = DIBInfoBlock(dib);
  HPALETTE palette = nullptr, oldPalette = nullptr;
  int entries = dib.BitCount() <= 8 ? 1 << dib.BitCount() : 0;
  if (entries) {
    palette = AcquirePalette(dib.ImageColorTable(), entries);
    oldPalette = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
  }
  int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  GdiFlush();
  // StretchDIBits counts source rows from the bottom of a bottom-up DIB.
  StretchDIBits(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src.left,
                dib.Height() - src.bottom, src.right - src.left, src.bottom - src.top, dib.Bits(),
                reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
  if (palette) {
    SelectPalette(dc, oldPalette, FALSE);
    ReleasePalette(palette);
  }
}

// --- the canvas

TDIBCanvas::TDIBCanvas(TDIB& dib) : FDIB(dib), FDC(CreateCompatibleDC(nullptr)) {
  if (dib.Empty()) dib.SetSize(1, 1, 24);
  auto info = DIBInfoBlock(dib);
  void* bits = nullptr;
  FSection.Reset(CreateDIBSection(FDC.Get(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits,
                                  nullptr, 0));
  if (!FDC || !FSection || !bits) throw EOutOfResources("DIB cannot be made");
  FBits = static_cast<uint8_t*>(bits);
  std::memcpy(FBits, dib.Bits(), dib.Size());
  FOld = SelectObject(FDC.Get(), FSection.Get());
  FCanvas.emplace(FDC.Get());
}

void TDIBCanvas::Release() {
  if (!FCanvas) return;
  GdiFlush();
  std::memcpy(FDIB.PixelBits(), FBits, FDIB.Size());
  FCanvas.reset();
  SelectObject(FDC.Get(), FOld);
}

// --- the palette cache

namespace {
struct TPaletteItem {
  uint32_t Key = 0;
  int RefCount = 0;
  HPALETTE Handle = nullptr;  // owned
  TRGBQuads Table{};
  int Count = 0;
};

// Process-wide, unlocked: GUI thread only. A list keeps items in place.
std::list<TPaletteItem>& PaletteCache() {
  static std::list<TPaletteItem> cache;
  return cache;
}
}  // namespace

HPALETTE AcquirePalette(const TRGBQuads& table, int count) {
  count = std::clamp(count, 0, 256);
  if (count == 0) return nullptr;
  uint32_t key = uint32_t(count);
  for (int i = 0; i < count; ++i) key += table[size_t(i)].Red + table[size_t(i)].Green + table[size_t(i)].Blue;
  for (auto& item : PaletteCache())
    if (item.Key == key && item.Count == count && std::equal(table.begin(), table.begin() + count, item.Table.begin())) {
      ++item.RefCount;
      return item.Handle;
    }
  std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
  log->palVersion = 0x300;
  log->palNumEntries = WORD(count);
  for (int i = 0; i < count; ++i) {
    const auto& q = table[size_t(i)];
    log->palPalEntry[i] = {q.Red, q.Green, q.Blue, 0};
  }
  TPaletteItem item;
  item.Key = key;
  item.RefCount = 1;
  item.Handle = CreatePalette(log);
  item.Table = table;
  item.Count = count;
  PaletteCache().push_back(item);
  return item.Handle;
}

void ReleasePalette(HPALETTE& handle) {
  auto& cache = PaletteCache();
  auto it = std::find_if(cache.begin(), cache.end(), [&](const TPaletteItem& i) { return i.Handle == handle; });
  handle = nullptr;
  if (it == cache.end() || --it->RefCount > 0) return;
  DeleteObject(it->Handle);
  cache.erase(it);
}

int PaletteCacheSize() { return int(PaletteCache().size()); }

void SetDIBPalette(TDIB& dib, HPALETTE palette) {
  PALETTEENTRY entries[256]{};
  UINT n = palette ? GetPaletteEntries(palette, 0, 256, entries) : 0;
  for (UINT i = 0; i < 256; ++i)
    dib.ColorTable[i] = i < n ? TRGBQuad{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0} : TRGBQuad{};
  if (palette) DeleteObject(palette);
  dib.UpdatePalette();
}

// --- the clipboard

void SaveDIBToClipboardFormat(TDIB& dib, UINT& format, HANDLE& data) {
  auto bytes = dib.ClipboardBytes();
  format = CF_DIB;
  data = nullptr;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::max<size_t>(bytes.size(), 1));
  if (!mem) throw EOutOfResources("DIB cannot be made");
  if (void* p = GlobalLock(mem)) {
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem);
  }
  data = mem;
}

void LoadDIBFromClipboardFormat(TDIB& dib, UINT format, HANDLE data) {
  if (format != CF_DIB || !data) throw EInvalidGraphic("DIB is invalid");
  TGlobalMemoryStream s(data);
  std::vector<uint8_t> bytes(size_t(s.Size()));
  s.ReadBuffer(bytes.data(), int64_t(bytes.size()));
  dib.LoadFromClipboardBytes(bytes);
}

// --- global memory

TGlobalMemoryStream::TGlobalMemoryStream(HGLOBAL handle) : FHandle(handle) {
  FData = static_cast<const uint8_t*>(GlobalLock(handle));
  FSize = FData ? int64_t(GlobalSize(handle)) : 0;
}

TGlobalMemoryStream::~TGlobalMemoryStream() {
  if (FData) GlobalUnlock(FHandle);
}

int64_t TGlobalMemoryStream::Read(void* buffer, int64_t count) {
  int64_t n = std::clamp<int64_t>(FSize - FPosition, 0, std::max<int64_t>(count, 0));
  if (n > 0) std::memcpy(buffer, FData + FPosition, size_t(n));
  FPosition += n;
  return n;
}

int64_t TGlobalMemoryStream::Write(const void*, int64_t) { throw EWriteError(); }

int64_t TGlobalMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soFromBeginning ? 0 : origin == soFromCurrent ? FPosition : FSize;
  FPosition = std::max<int64_t>(base + offset, 0);
  return FPosition;
}
