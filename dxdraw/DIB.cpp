// TDIB's images, pixel access and BMP stream. BMP bytes go through the class
// library's one reader and writer (BmpFormat); their failures are reported
// here as "DIB is invalid".
//
// Departures: every header that the shared reader knows is read (not only
// the 12- and 40-byte ones), and run-length pictures are expanded when they
// are read, so they are saved as plain pixels; a 16-bit size asked for with
// an 8-8-8 desired format takes 5-6-5 (and 5-5-5 or 5-6-5 formats give 8-8-8
// for other bit counts) instead of raising "PixelFormat in invalid"; 16- and
// 32-bit pictures of the standard layouts are written without colour masks.
#include "DIB.h"

#include <cstring>

#include "BmpFormat.h"
#include "Filer.h"
#include "Streams.h"

namespace {
const char* const kInvalid = "DIB is invalid";

// The shared reader's failures are the DIB's own.
template <class Decode>
TBmpImage DecodeOrInvalid(Decode decode) {
  try {
    return decode();
  } catch (const EInvalidGraphic&) {
    throw EInvalidGraphic(kInvalid);
  }
}

int CountBits(uint32_t m) {
  int n = 0;
  for (; m; m >>= 1) n += m & 1;
  return n;
}

bool ValidFor(int bitCount, const TDIBPixelFormat& pf) {
  if (bitCount == 16)
    return (pf.RedMask == 0x7C00 && pf.GreenMask == 0x3E0 && pf.BlueMask == 0x1F) ||
           (pf.RedMask == 0xF800 && pf.GreenMask == 0x7E0 && pf.BlueMask == 0x1F);
  return pf.RedMask == 0xFF0000 && pf.GreenMask == 0xFF00 && pf.BlueMask == 0xFF;
}

std::shared_ptr<TDIBSharedImage> NewImage(int width, int height, int bitCount, const TDIBPixelFormat& pf,
                                          const TRGBQuads& colors) {
  switch (bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: throw EInvalidGraphicOperation("Bitcount in invalid (" + IntToStr(bitCount) + ")");
  }
  if (!ValidFor(bitCount, pf)) throw EInvalidGraphicOperation("PixelFormat in invalid");
  auto img = std::make_shared<TDIBSharedImage>();
  img->BitCount = bitCount;
  img->Width = width;
  img->Height = height;
  if (!PictureSizeFits(uint64_t(width), uint64_t(height), bitCount)) throw EOutOfResources("DIB cannot be made");
  uint64_t rowBytes = ((uint64_t(bitCount) * width + 31) >> 5) * 4;
  img->RowBytes = int(rowBytes);
  img->Size = size_t(rowBytes * height);
  img->ColorEntryCount = bitCount <= 8 ? 1 << bitCount : 0;
  img->ColorTable = colors;
  img->PixelFormat = pf;
  img->Pixels.assign(img->Size, 0);
  return img;
}

// The process's one empty image: grey table, 8-8-8 format.
const std::shared_ptr<TDIBSharedImage>& EmptyImage() {
  static const std::shared_ptr<TDIBSharedImage> empty = [] {
    auto img = std::make_shared<TDIBSharedImage>();
    for (int i = 0; i < 256; ++i) img->ColorTable[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    img->PixelFormat = MakeDIBPixelFormat(8, 8, 8);
    return img;
  }();
  return empty;
}
}  // namespace

void RegisterDIB() {
  RegisterGraphicClass("TDIB", [] { return std::make_unique<TDIB>(); });
  RegisterFileFormat("dib", "Device Independent Bitmap", "TDIB");
}

namespace {
// At start-up: every program that holds a TDIB reads ".dib" files.
[[maybe_unused]] const bool kRegisteredAtStartUp = (RegisterDIB(), true);
}  // namespace

// --- pixel formats

TDIBPixelFormat MakeDIBPixelFormat(int r, int g, int b) {
  return MakeDIBPixelFormatMask(((1u << r) - 1) << (g + b), ((1u << g) - 1) << b, (1u << b) - 1);
}

TDIBPixelFormat MakeDIBPixelFormatMask(uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
  // Bit counts are the runs of one bits from each mask's lowest set bit.
  auto run = [](uint32_t m) {
    while (m && !(m & 1)) m >>= 1;
    return CountBits(m & ~(m + 1));
  };
  TDIBPixelFormat pf;
  pf.RedMask = redMask;
  pf.GreenMask = greenMask;
  pf.BlueMask = blueMask;
  int r = run(redMask), g = run(greenMask), b = run(blueMask);
  pf.RedBits = r;
  pf.GreenBits = g;
  pf.BlueBits = b;
  pf.RedShift = r + g + b - 8;
  pf.GreenShift = g + b - 8;
  pf.BlueShift = 8 - b;
  pf.RedFill = 8 - r;
  pf.GreenFill = 8 - g;
  pf.BlueFill = 8 - b;
  return pf;
}

namespace {
// Shifts that may be negative: left for positive counts.
uint32_t Shl(uint32_t v, int n) { return n >= 0 ? v << n : v >> -n; }
}  // namespace

uint32_t pfRGB(const TDIBPixelFormat& pf, uint8_t r, uint8_t g, uint8_t b) {
  return (Shl(r, pf.RedShift) & pf.RedMask) | (Shl(g, pf.GreenShift) & pf.GreenMask) |
         (Shl(b, -pf.BlueShift) & pf.BlueMask);
}

void pfGetRGB(const TDIBPixelFormat& pf, uint32_t pixel, uint8_t& r, uint8_t& g, uint8_t& b) {
  uint32_t R = Shl(pixel & pf.RedMask, -pf.RedShift), G = Shl(pixel & pf.GreenMask, -pf.GreenShift);
  uint32_t B = Shl(pixel & pf.BlueMask, pf.BlueShift);
  // High bits repeated into the low ones.
  r = uint8_t(R | Shl(R, -pf.RedFill));
  g = uint8_t(G | Shl(G, -pf.GreenFill));
  b = uint8_t(B | Shl(B, -pf.BlueFill));
}

// --- TDIB

TDIB::TDIB() : PixelFormat(MakeDIBPixelFormat(8, 8, 8)) { SetImage(EmptyImage()); }

void TDIB::SetImage(std::shared_ptr<TDIBSharedImage> image) {
  FImage = std::move(image);
  ColorTable = FImage->ColorTable;
}

void TDIB::MakePrivate() {
  if (FImage.use_count() > 1 && FImage != EmptyImage()) FImage = std::make_shared<TDIBSharedImage>(*FImage);
}

void TDIB::Clear() {
  SetImage(EmptyImage());
  PixelFormat = FImage->PixelFormat;
  Modified();
}

void TDIB::SetSize(int width, int height, int bitCount) {
  if (width <= 0 || height <= 0) {
    Clear();
    return;
  }
  TDIBPixelFormat pf = PixelFormat;
  if (bitCount == 16 && !ValidFor(16, pf)) pf = MakeDIBPixelFormat(5, 6, 5);
  else if (bitCount != 16 && !ValidFor(bitCount, pf)) pf = MakeDIBPixelFormat(8, 8, 8);
  if (width == Width() && height == Height() && bitCount == BitCount() && pf.SameMasks(CurrentPixelFormat())) return;
  FImage = NewImage(width, height, bitCount, pf, ColorTable);
  Modified();
}

void TDIB::SetWidth(int width) {
  if (width <= 0) Clear();
  else if (Empty()) SetSize(width, 1, 8);
  else SetSize(width, Height(), BitCount());
}

void TDIB::SetHeight(int height) {
  if (height <= 0) Clear();
  else if (Empty()) SetSize(1, height, 8);
  else SetSize(Width(), height, BitCount());
}

void TDIB::UpdatePalette() {
  if (ColorTable == FImage->ColorTable || FImage == EmptyImage()) return;
  MakePrivate();
  FImage->ColorTable = ColorTable;
  FImage->PaletteChanged = true;
  Modified();
}

uint8_t* TDIB::ScanLine(int y) {
  if (y < 0 || y >= Height())
    throw EInvalidGraphicOperation("Index of the scanning line exceeded the range. (" + IntToStr(y) + ")");
  MakePrivate();
  return FImage->Pixels.data() + size_t(Height() - 1 - y) * RowBytes();
}

const uint8_t* TDIB::ScanLine(int y) const {
  if (y < 0 || y >= Height())
    throw EInvalidGraphicOperation("Index of the scanning line exceeded the range. (" + IntToStr(y) + ")");
  return FImage->Pixels.data() + size_t(Height() - 1 - y) * RowBytes();
}

uint8_t* TDIB::PixelBits() {
  MakePrivate();
  return FImage->Pixels.data();
}

uint8_t* TDIB::TopRowBits() { return Empty() ? nullptr : ScanLine(0); }

uint32_t TDIB::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  const uint8_t* row = ScanLine(y);
  switch (BitCount()) {
    case 1: return (row[x / 8] >> (7 - (x & 7))) & 1;
    case 4: return x & 1 ? row[x / 2] & 15 : row[x / 2] >> 4;
    case 8: return row[x];
    case 16: return uint32_t(row[2 * x] | row[2 * x + 1] << 8);
    case 24: return uint32_t(row[3 * x + 2] | row[3 * x + 1] << 8 | row[3 * x] << 16);
    default: {
      const uint8_t* p = row + 4 * size_t(x);
      return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
  }
}

void TDIB::SetPixel(int x, int y, uint32_t v) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  uint8_t* row = ScanLine(y);
  switch (BitCount()) {
    case 1: {
      uint8_t m = uint8_t(0x80 >> (x & 7));
      row[x / 8] = uint8_t(v & 1 ? row[x / 8] | m : row[x / 8] & ~m);
      break;
    }
    case 4:
      row[x / 2] = x & 1 ? uint8_t((row[x / 2] & 0xF0) | (v & 15)) : uint8_t((row[x / 2] & 0x0F) | (v & 15) << 4);
      break;
    case 8: row[x] = uint8_t(v); break;
    case 16:
      row[2 * x] = uint8_t(v);
      row[2 * x + 1] = uint8_t(v >> 8);
      break;
    case 24:
      row[3 * x] = uint8_t(v >> 16);
      row[3 * x + 1] = uint8_t(v >> 8);
      row[3 * x + 2] = uint8_t(v);
      break;
    default:
      for (int i = 0; i < 4; ++i) row[4 * x + i] = uint8_t(v >> (8 * i));
  }
  Modified();
}

void TDIB::Assign(const TPersistent& source) {
  if (auto* d = dynamic_cast<const TDIB*>(&source)) {
    if (d == this) return;
    SetImage(d->FImage);
    PixelFormat = d->PixelFormat;
    Modified();
    return;
  }
  if (auto* p = dynamic_cast<const TPicture*>(&source)) {
    if (p->Graphic()) Assign(*p->Graphic());
    else Clear();
    return;
  }
  if (auto* b = dynamic_cast<const TBitmap*>(&source)) {
    ColorTable = TRGBQuads{};
    const auto& pal = b->Palette();
    for (size_t i = 0; i < pal.size() && i < 256; ++i) ColorTable[i] = pal[i];
    if (b->Empty()) {
      Clear();
      return;
    }
    int bits = b->BitsPerPixel();
    PixelFormat = b->PixelFormat() == pf15bit ? MakeDIBPixelFormat(5, 5, 5)
                  : b->PixelFormat() == pf16bit ? MakeDIBPixelFormat(5, 6, 5)
                                                : MakeDIBPixelFormat(8, 8, 8);
    auto img = NewImage(b->Width(), b->Height(), bits, PixelFormat, ColorTable);
    for (int y = 0; y < b->Height(); ++y)
      std::memcpy(img->Pixels.data() + size_t(b->Height() - 1 - y) * img->RowBytes, b->ScanLine(y),
                  size_t(img->RowBytes));
    SetImage(img);
    Modified();
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(&source)) {
    AssignGraphic(*g);
    return;
  }
  TGraphic::Assign(source);
}

void TDIB::AssignGraphic(const TGraphic& graphic) {
  // Another picture class: through its stream when that is a bitmap the
  // bitmap class reads, else a 24-bit picture of its size; never refused.
  TMemoryStream s;
  TBitmap b;
  try {
    const_cast<TGraphic&>(graphic).SaveToStream(s);
    s.SetPosition(0);
    b.LoadFromStream(s);
  } catch (const Exception&) {
    b = TBitmap();
  }
  if (!b.Empty() && b.Width() == graphic.Width() && b.Height() == graphic.Height()) {
    Assign(b);
    return;
  }
  Clear();  // a fresh picture: its pixels start as zero bytes
  SetSize(graphic.Width(), graphic.Height(), 24);
}

void TDIB::DefineProperties(TFiler& filer) {
  filer.BinaryProperty("DIB", [this](TStream& s) { LoadFromStream(s); }, [](TStream&) {}, false);
}

void TDIB::LoadFromStream(TStream& s) {
  uint8_t head[kBmpFileHeaderSize];
  int64_t got = s.Read(head, kBmpFileHeaderSize);
  if (got == 0) return;
  if (got < int64_t(kBmpFileHeaderSize) || head[0] != 'B' || head[1] != 'M') throw EInvalidGraphic(kInvalid);
  int64_t left = s.Size() - s.Position();
  if (left <= 0) {
    Clear();
    return;
  }
  if (left < 4) throw EInvalidGraphic(kInvalid);
  const uint64_t n = BmpFileExtent(head, kBmpFileHeaderSize + uint64_t(left));
  std::vector<uint8_t> bytes((size_t)n);
  std::memcpy(bytes.data(), head, kBmpFileHeaderSize);
  s.ReadBuffer(bytes.data() + kBmpFileHeaderSize, int64_t(n - kBmpFileHeaderSize));
  TakeBmp(DecodeOrInvalid([&] { return DecodeBmpFile(bytes); }));
}

void TDIB::TakeBmp(const TBmpImage& bmp) {
  int bits = TBitmap::BitsOf(bmp.PixelFormat);
  TDIBPixelFormat pf = bmp.PixelFormat == pf15bit ? MakeDIBPixelFormat(5, 5, 5)
                       : bmp.PixelFormat == pf16bit ? MakeDIBPixelFormat(5, 6, 5)
                                                    : MakeDIBPixelFormat(8, 8, 8);
  TRGBQuads colors{};
  for (size_t i = 0; i < bmp.Palette.size() && i < 256; ++i) colors[i] = bmp.Palette[i];
  auto img = NewImage(bmp.Width, bmp.Height, bits, pf, colors);
  for (int y = 0; y < bmp.Height; ++y) {
    int from = bmp.TopDown ? bmp.Height - 1 - y : y;  // memory is always bottom-up
    std::memcpy(img->Pixels.data() + size_t(y) * img->RowBytes, bmp.Bits.data() + size_t(from) * img->RowBytes,
                size_t(img->RowBytes));
  }
  SetImage(img);
  PixelFormat = pf;
  Modified();
}

void TDIB::SaveToStream(TStream& s) {
  if (Empty()) return;
  TPixelFormat pf = BitCount() == 1 ? pf1bit : BitCount() == 4 ? pf4bit : BitCount() == 8 ? pf8bit
                    : BitCount() == 16 ? (CurrentPixelFormat().GreenBits == 6 ? pf16bit : pf15bit)
                    : BitCount() == 24 ? pf24bit : pf32bit;
  const auto& table = FImage->ColorTable;
  std::vector<TRGBQuad> palette(table.begin(), table.begin() + FImage->ColorEntryCount);
  // The table is always full: its count is left implied, as readers expect.
  auto bytes = EncodeBmpFile(Width(), Height(), pf, false, palette, FImage->Pixels, TBmpColorsUsed::ZeroWhenFull);
  s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

// --- the clipboard format CF_DIB

std::vector<uint8_t> TDIB::ClipboardBytes() {
  TMemoryStream s;
  SaveToStream(s);
  const auto& bytes = s.Bytes();
  if (bytes.size() <= 14) return {};
  return std::vector<uint8_t>(bytes.begin() + 14, bytes.end());
}

void TDIB::LoadFromClipboardBytes(const std::vector<uint8_t>& bytes) {
  // No file header: the pixels follow the information, its masks and its
  // colour table.
  TakeBmp(DecodeOrInvalid([&] { return DecodeBmpInfo(bytes, 0); }));
}
