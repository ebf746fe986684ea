// GDI drawing of the class library's portable graphics.
#include "WinGraphics.h"

#include <cstring>

COLORREF ColorToRGB(TColor c) {
  uint32_t v = uint32_t(c);
  if (c == clNone) return 0;
  if (v & 0x80000000u) return GetSysColor(int(v & 0xFF));
  return v & 0x00FFFFFFu;
}

TFontHandle CreateFontHandle(const TFont& font) {
  return TFontHandle(CreateFontA(font.Height, 0, 0, 0, (font.Style & fsBold) ? FW_BOLD : FW_NORMAL,
                                 (font.Style & fsItalic) != 0, (font.Style & fsUnderline) != 0,
                                 (font.Style & fsStrikeOut) != 0, BYTE(font.Charset), OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 font.Pitch == fpFixed ? FIXED_PITCH : font.Pitch == fpVariable ? VARIABLE_PITCH
                                                                                                 : DEFAULT_PITCH,
                                 font.Name.c_str()));
}

namespace {
// BITMAPINFO with room for a full palette.
struct TDibHeader {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[256];
};

// The header that describes bitmap's own pixel store, or false when GDI
// cannot take that format directly (then a 24-bit copy is drawn).
bool DescribeBits(const TBitmap& b, TDibHeader& h) {
  std::memset(&h, 0, sizeof h);
  h.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  h.bmiHeader.biWidth = b.Width();
  h.bmiHeader.biHeight = b.TopDown() ? -b.Height() : b.Height();
  h.bmiHeader.biPlanes = 1;
  h.bmiHeader.biCompression = BI_RGB;
  switch (b.PixelFormat()) {
    case pf1bit: case pf4bit: case pf8bit: {
      h.bmiHeader.biBitCount = WORD(b.BitsPerPixel());
      const auto& pal = b.Palette();
      size_t n = pal.size() < 256 ? pal.size() : 256;
      for (size_t i = 0; i < n; ++i)
        h.bmiColors[i] = RGBQUAD{pal[i].Blue, pal[i].Green, pal[i].Red, 0};
      h.bmiHeader.biClrUsed = DWORD(n);
      return true;
    }
    case pf15bit: h.bmiHeader.biBitCount = 16; return true;
    case pf24bit: h.bmiHeader.biBitCount = 24; return true;
    case pf32bit: h.bmiHeader.biBitCount = 32; return true;
    default: return false;
  }
}

template <class F>
void WithDib(const TBitmap& bitmap, F&& use) {
  TDibHeader h;
  if (DescribeBits(bitmap, h)) {
    use(reinterpret_cast<const BITMAPINFO*>(&h), bitmap.Bits().data());
    return;
  }
  TBitmap copy;
  copy.Assign(bitmap);
  copy.SetPixelFormat(pf24bit);
  DescribeBits(copy, h);
  use(reinterpret_cast<const BITMAPINFO*>(&h), copy.Bits().data());
}
}  // namespace

TBitmapHandle CreateBitmapHandle(const TBitmap& bitmap) {
  TBitmapHandle result;
  if (bitmap.Empty()) return result;
  WithDib(bitmap, [&](const BITMAPINFO* info, const void* bits) {
    TWindowDC screen(nullptr);
    result.Reset(CreateDIBitmap(screen.DC(), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS));
  });
  return result;
}

void DrawBitmap(HDC dc, const TBitmap& bitmap, const RECT& dest, bool transparent) {
  if (bitmap.Empty()) return;
  int w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (!transparent) {
    WithDib(bitmap, [&](const BITMAPINFO* info, const void* bits) {
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchDIBits(dc, dest.left, dest.top, w, h, 0, 0, bitmap.Width(), bitmap.Height(), bits, info,
                    DIB_RGB_COLORS, SRCCOPY);
    });
    return;
  }
  // Transparent: mask out the key colour through a device bitmap.
  TBitmapHandle bmp = CreateBitmapHandle(bitmap);
  TMemDCHandle mem(CreateCompatibleDC(dc));
  TSelectGuard sel(mem.Get(), bmp.Get());
  TransparentBlt(dc, dest.left, dest.top, w, h, mem.Get(), 0, 0, bitmap.Width(), bitmap.Height(),
                 ColorToRGB(bitmap.TransparentColor()));
}

void TCanvas::FillRect(const RECT& r) {
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(BrushColor)));
  ::FillRect(FDC, &r, brush.Get());
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  RECT r{x, y, x + 32767, y + 32767};
  TextRect(r, x, y, text);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
  TFontHandle font = CreateFontHandle(Font);
  TSelectGuard sel(FDC, font.Get());
  SetBkMode(FDC, TRANSPARENT);
  SetTextColor(FDC, ColorToRGB(Font.Color));
  ExtTextOutA(FDC, x, y, ETO_CLIPPED, &r, text.data(), UINT(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
  TFontHandle font = CreateFontHandle(Font);
  TSelectGuard sel(FDC, font.Get());
  SIZE s{0, 0};
  GetTextExtentPoint32A(FDC, text.data(), int(text.size()), &s);
  return s;
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, bool transparent) {
  DrawBitmap(FDC, bitmap, RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, transparent);
}

void TCanvas::StretchDraw(const RECT& r, const TBitmap& bitmap, bool transparent) {
  DrawBitmap(FDC, bitmap, r, transparent);
}

std::vector<uint8_t> LoadResourceBytes(const char* name, const char* type, HMODULE module) {
  if (!module) module = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(module, name, type);
  if (!res) return {};
  HGLOBAL g = LoadResource(module, res);
  const void* p = g ? LockResource(g) : nullptr;
  if (!p) return {};
  auto* bytes = static_cast<const uint8_t*>(p);
  return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, res));
}

bool LoadBitmapResource(TBitmap& bitmap, const char* name, HMODULE module) {
  // A bitmap resource is a BMP file without its 14-byte file header.
  std::vector<uint8_t> dib = LoadResourceBytes(name, MAKEINTRESOURCEA(2) /* RT_BITMAP */, module);
  if (dib.size() < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER ih;
  std::memcpy(&ih, dib.data(), sizeof ih);
  uint32_t colours = ih.biClrUsed ? ih.biClrUsed : (ih.biBitCount <= 8 ? 1u << ih.biBitCount : 0);
  if (ih.biCompression == BI_BITFIELDS) colours = 3;
  uint32_t offBits = 14 + ih.biSize + colours * 4;
  std::vector<uint8_t> file(14);
  file[0] = 'B';
  file[1] = 'M';
  uint32_t size = uint32_t(14 + dib.size());
  std::memcpy(&file[2], &size, 4);
  std::memcpy(&file[10], &offBits, 4);
  file.insert(file.end(), dib.begin(), dib.end());
  try {
    bitmap.LoadFromBytes(file);
  } catch (const Exception&) {
    return false;
  }
  return true;
}
