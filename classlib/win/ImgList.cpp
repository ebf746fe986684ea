// TIcon and TImageList.
#include "ImgList.h"

#include <algorithm>

// --- TIcon

void TIcon::Assign(const TPersistent& source) {
  const TIcon& icon = AssignSource(*this, source);
  FHandle.Reset(icon.Empty() ? nullptr : CopyIcon(icon.Handle()));
}

void TIcon::LoadFromFile(const std::string& fileName) {
  HICON icon = HICON(LoadImageA(nullptr, fileName.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
  if (!icon) throw EInvalidGraphic("Invalid icon file: " + fileName);
  FHandle.Reset(icon);
}

bool TIcon::LoadFromResource(const std::string& name, int size) {
  HICON icon =
      HICON(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_ICON, size, size, size ? 0 : LR_DEFAULTSIZE));
  if (icon) FHandle.Reset(icon);
  return icon != nullptr;
}

namespace {
SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return SIZE{0, 0};
  TBitmapHandle mask(info.hbmMask), colour(info.hbmColor);
  BITMAP bm{};
  GetObjectA(mask.Get(), sizeof bm, &bm);
  // Without a colour part the mask holds the AND and XOR halves one above the other.
  return SIZE{bm.bmWidth, colour ? bm.bmHeight : bm.bmHeight / 2};
}
}  // namespace

int TIcon::Width() const { return IconSize(Handle()).cx; }
int TIcon::Height() const { return IconSize(Handle()).cy; }

// --- TImageList

namespace {
// The colour under an icon's transparent pixels in GetBitmap.
constexpr TColor kIconBackground = clFuchsia;
}  // namespace

int TImageList::AddMasked(const TBitmap& image, TColor transparent) {
  TImage entry;
  entry.Bitmap.Assign(image);
  entry.Bitmap.FixedTransparentColor = transparent;
  FImages.push_back(std::move(entry));
  return Count() - 1;
}

int TImageList::AddIcon(const TIcon& icon) {
  TImage entry;
  entry.Icon.Assign(icon);
  FImages.push_back(std::move(entry));
  return Count() - 1;
}

void TImageList::Delete(int index) {
  At(index);
  FImages.erase(FImages.begin() + index);
}

const TImageList::TImage& TImageList::At(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FImages[size_t(index)];
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) const {
  const TImage& image = At(index);
  if (image.Icon.Empty()) {
    bitmap.Assign(image.Bitmap);
    bitmap.FixedTransparentColor = image.Bitmap.FixedTransparentColor;
    return;
  }
  // The icon drawn onto a 24-bit picture of the list's size.
  TBitmap out;
  out.SetPixelFormat(pf24bit);
  out.SetSize(Width, Height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  TWindowDC screen(nullptr);
  TBitmapHandle dib(CreateDIBSection(screen.DC(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) throw EOutOfResources("Out of system resources");
  {
    TMemDCHandle mem(CreateCompatibleDC(screen.DC()));
    TSelectGuard select(mem.Get(), dib.Get());
    RECT all{0, 0, Width, Height};
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(kIconBackground)));
    FillRect(mem.Get(), &all, brush.Get());
    DrawIconEx(mem.Get(), 0, 0, image.Icon.Handle(), Width, Height, 0, nullptr, DI_NORMAL);
    GdiFlush();
  }
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const uint32_t p = pixels[size_t(y) * size_t(Width) + size_t(x)];
      out.SetPixel(x, y, TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16)));
    }
  out.FixedTransparentColor = kIconBackground;
  bitmap.Assign(out);
  bitmap.FixedTransparentColor = kIconBackground;
}

void TImageList::GetIcon(int index, TIcon& icon) const {
  const TImage& image = At(index);
  if (!image.Icon.Empty()) {
    icon.Assign(image.Icon);
    return;
  }
  // A picture: its transparent pixels black in the colour part, set in the mask.
  TBitmap colour;
  colour.Assign(image.Bitmap);
  colour.SetPixelFormat(pf24bit);
  const int w = colour.Width(), h = colour.Height();
  if (w == 0 || h == 0) {
    icon.SetHandle(nullptr);
    return;
  }
  const TColor key = image.Bitmap.TransparentColor();
  const int maskRow = ((w + 15) / 16) * 2;  // monochrome rows are WORD-aligned
  std::vector<uint8_t> mask(size_t(maskRow) * size_t(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (image.Bitmap.Pixel(x, y) == key) {
        mask[size_t(y) * size_t(maskRow) + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        colour.SetPixel(x, y, clBlack);
      }
  TBitmapHandle colourHandle = CreateBitmapHandle(colour);
  TBitmapHandle maskHandle(CreateBitmap(w, h, 1, 1, mask.data()));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colourHandle.Get();
  info.hbmMask = maskHandle.Get();
  icon.SetHandle(CreateIconIndirect(&info));
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  const TImage& image = At(index);
  if (!image.Icon.Empty()) {
    DrawIconEx(canvas.Handle(), x, y, image.Icon.Handle(), Width, Height, 0, nullptr, DI_NORMAL);
    return;
  }
  DrawBitmap(canvas.Handle(), image.Bitmap, RECT{x, y, x + image.Bitmap.Width(), y + image.Bitmap.Height()}, true);
}
