// Registration of the picture classes, what the readers share, and the
// Truevision Targa reader and writer.
//
// Targa policy: strict about bounds, tolerant of unused fields.
// Departures:
// - run-length packets that cross a row end continue on the next row (the
//   whole picture is one packet stream, as writers produce it);
// - a colour map is always skipped by its size; grey pictures (types 3, 11)
//   get the grey palette even when a map is present;
// - a picture ends early: "Targa: invalid image", for raw and packed rows;
// - pixel sizes other than 8, 15, 16, 24, 32, and image types other than
//   1-3 and 9-11 raise "Targa: invalid image" (a header alone would
//   otherwise make a blank picture of any size);
// - rows are written top row first with the descriptor bit that says so, and
//   5-6-5 pictures are converted to 5-5-5 before they are written as 16 bits.
#include "GraphicFormats.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "FileView.h"
#include "GraphicCodecs.h"
#include "GraphicFormatsShared.h"
#include "Streams.h"

// --- registration

namespace {
int gRegistrations = 0;

template <class T>
void RegisterClass() {
  RegisterGraphicClass(T().ClassName(), [] { return std::make_unique<T>(); });
}
}  // namespace

void RegisterGraphicFormats() {
  if (gRegistrations++ > 0) return;
  RegisterClass<TTargaGraphic>();
  RegisterClass<TTIFFGraphic>();
  RegisterClass<TPCXGraphic>();
  RegisterClass<TSGIGraphic>();
  RegisterClass<TPCDGraphic>();
  RegisterClass<TPPMGraphic>();
  RegisterClass<TCUTGraphic>();
  RegisterClass<TGIFGraphic>();
  RegisterClass<TRLAGraphic>();
  RegisterClass<TPSDGraphic>();
  RegisterClass<TAutodeskGraphic>();
  RegisterClass<TJPEGImage>();
  static const TFileFormat kFormats[] = {
      {"win", "Truevision images", "TTargaGraphic"},
      {"vst", "Truevision images", "TTargaGraphic"},
      {"vda", "Truevision images", "TTargaGraphic"},
      {"tiff", "TIFF images", "TTIFFGraphic"},
      {"tif", "TIFF images", "TTIFFGraphic"},
      {"tga", "Truevision images", "TTargaGraphic"},
      {"sgi", "SGI true color images", "TSGIGraphic"},
      {"scr", "Word 5.x screen capture images", "TPCXGraphic"},
      {"rpf", "SGI Wavefront images", "TRLAGraphic"},
      {"rle", "Windows bitmap", "TBitmap"},
      {"rla", "SGI Wavefront images", "TRLAGraphic"},
      {"rgba", "SGI true color images", "TSGIGraphic"},
      {"rgb", "SGI true color images", "TSGIGraphic"},
      {"psd", "Photoshop images", "TPSDGraphic"},
      {"ppm", "Portable pixel map images", "TPPMGraphic"},
      {"pgm", "Portable grayscale images", "TPPMGraphic"},
      {"pbm", "Portable b&w images", "TPPMGraphic"},
      {"pic", "Autodesk images", "TAutodeskGraphic"},
      {"pcx", "ZSoft PCX images", "TPCXGraphic"},
      {"pdd", "Photoshop images", "TPSDGraphic"},
      {"pcd", "Kodak Photo-CD images", "TPCDGraphic"},
      {"pcc", "ZSoft PCC images", "TPCXGraphic"},
      {"icb", "Truevision images", "TTargaGraphic"},
      {"gif", "CompuServe images", "TGIFGraphic"},
      {"dib", "Windows bitmap", "TBitmap"},
      {"cut", "Dr. Halo images", "TCUTGraphic"},
      {"cel", "Autodesk images", "TAutodeskGraphic"},
      {"bw", "SGI black/white images", "TSGIGraphic"},
      {"jpeg", "JPEG Image File", "TJPEGImage"},
      {"jpg", "JPEG Image File", "TJPEGImage"},
  };
  for (const auto& f : kFormats) RegisterFileFormat(f.Extension, f.Description, f.ClassName);
}

// --- shared

namespace graphics {

TBitmap NewPicture(TPixelFormat pf, uint64_t width, uint64_t height, const char* error) {
  if (width == 0 || height == 0 || !PictureSizeFits(width, height, TBitmap::BitsOf(pf))) throw EInvalidGraphic(error);
  TBitmap b;
  b.SetPixelFormat(pf);
  b.SetSize(int(width), int(height));
  return b;
}

void PlacePackedRows(TBitmap& b, size_t rowLength, bool fileTopDown) {
  const std::span<uint8_t> bits = b.Bits();
  const size_t stride = size_t(b.RowBytes()), height = size_t(b.Height());
  // From the last row back, each row moves up to a place past the rows not yet moved.
  if (stride != rowLength)
    for (size_t i = height; i-- > 0;) {
      std::memmove(bits.data() + i * stride, bits.data() + i * rowLength, rowLength);
      std::memset(bits.data() + i * stride + rowLength, 0, stride - rowLength);
    }
  if (fileTopDown != b.TopDown())
    for (size_t i = 0; i < height / 2; ++i)
      std::swap_ranges(bits.data() + i * stride, bits.data() + (i + 1) * stride, bits.data() + (height - 1 - i) * stride);
}

void CheckRoom(uint64_t need, uint64_t have, const char* error) {
  if (need > have) throw EInvalidGraphic(error);
}

std::vector<TRGBQuad> GreyPalette(int entries, bool inverted) {
  std::vector<TRGBQuad> p(entries);
  for (int i = 0; i < entries; ++i) {
    int v = entries > 1 ? i * 255 / (entries - 1) : 0;
    if (inverted) v = 255 - v;
    p[i] = {uint8_t(v), uint8_t(v), uint8_t(v), 0};
  }
  return p;
}

void CMYKToBGR(int c, int m, int y, int k, int max, uint8_t* bgr) {
  auto one = [&](int ink) {
    int v = max - (ink + k - ink * k / max);
    if (v < 0) v = 0;
    if (max > 255) v >>= 8;
    return uint8_t(v > 255 ? 255 : v);
  };
  bgr[0] = one(y);
  bgr[1] = one(m);
  bgr[2] = one(c);
}

void LabToBGR(uint8_t l, int8_t a, int8_t b, uint8_t* bgr) {
  double L = l / 2.55, X, Y, Z;
  if (L < 7.9996) {
    Y = L / 903.3;
    X = Y + a / 3893.5;
    Z = Y - b / 1557.4;
  } else {
    double fy = (L + 16) / 116;
    X = std::pow(fy + a / 500.0, 3);
    Y = fy * fy * fy;
    Z = std::pow(fy - b / 200.0, 3);
  }
  bgr[2] = Clamp255(255 * (2.998 * X - 1.458 * Y - 0.541 * Z));
  bgr[1] = Clamp255(255 * (-0.952 * X + 1.893 * Y + 0.059 * Z));
  bgr[0] = Clamp255(255 * (0.099 * X - 0.198 * Y + 1.099 * Z));
}

void YCCToBGR(uint8_t y, uint8_t c1, uint8_t c2, uint8_t* bgr) {
  double c1d = c1 - 156.0, c2d = c2 - 137.0;
  bgr[2] = Clamp255(1.3584 * y + 1.8215 * c2d);
  bgr[1] = Clamp255(1.3584 * y - 0.9271435 * c2d - 0.4302726 * c1d);
  bgr[0] = Clamp255(1.3584 * y + 2.2179 * c1d);
}

void YCbCrToBGR(uint8_t y, uint8_t cb, uint8_t cr, uint8_t* bgr) {
  // Full-range coefficients (CCIR 601 luma, TIFF's default reference range).
  bgr[2] = Clamp255(y + 1.402 * (cr - 128));
  bgr[1] = Clamp255(y - 0.344136 * (cb - 128) - 0.714136 * (cr - 128));
  bgr[0] = Clamp255(y + 1.772 * (cb - 128));
}

}  // namespace graphics

using namespace graphics;

// --- TDecodedGraphic

void TDecodedGraphic::SavingNotOffered(const char* format) const {
  throw EInvalidGraphicOperation(std::string(format) + " pictures cannot be saved");
}

void TDecodedGraphic::LoadFromStream(TStream& s) {
  int64_t n = s.Size() - s.Position();
  size_t size = size_t(n > 0 ? n : 0);
  // Not zeroed first: the read fills every byte or raises.
  std::unique_ptr<uint8_t[]> bytes(new uint8_t[size ? size : 1]);
  s.ReadBuffer(bytes.get(), int64_t(size));
  LoadFromMemory({bytes.get(), size});
}

void TDecodedGraphic::LoadFromFile(const std::string& name) {
  TFileView view(name);
  if (view.Mapped()) LoadFromMemory(view.Bytes());
  else TBitmap::LoadFromFile(name);
}

void TDecodedGraphic::LoadFromMemory(std::span<const uint8_t> bytes) {
  TBitmap decoded = Decode(bytes);
  TBitmap::operator=(std::move(decoded));
}

// --- Targa

std::function<bool(const std::string& question)> TargaConvertQuery;
const char* const kTargaConvertQuestion =
    "Targa image: 1 or 4 bit color depth not allowed. Convert to 256 colors?";

namespace {
const char* const kTargaInvalid = "Targa: invalid image";
using TargaReader = TByteReader<EInvalidGraphic>;

}  // namespace

TBitmap TTargaGraphic::Decode(std::span<const uint8_t> bytes) {
  TargaReader r(bytes, kTargaInvalid);
  uint8_t idLength = r.U8();
  uint8_t mapType = r.U8();
  uint8_t imageType = r.U8();
  r.U16LE();  // first colour-map entry: not used
  uint16_t mapLength = r.U16LE();
  uint8_t mapEntrySize = r.U8();
  r.U16LE();  // origin
  r.U16LE();
  uint16_t width = r.U16LE(), height = r.U16LE();
  uint8_t pixelSize = r.U8();
  uint8_t descriptor = r.U8();
  bool topDown = descriptor & 0x20;
  auto id = r.Bytes(idLength);

  const int bpp = TargaPixelBytes(pixelSize);
  if (!bpp) throw EInvalidGraphic(kTargaInvalid);
  TPixelFormat pf = bpp == 1 ? pf8bit : bpp == 2 ? pf15bit : bpp == 3 ? pf24bit : pf32bit;
  bool grey = imageType == 3 || imageType == 11;
  std::vector<TRGBQuad> palette;
  if (mapType == 1) {
    size_t entryBytes = (mapEntrySize + 7) / 8;
    auto map = r.Bytes(size_t(mapLength) * entryBytes);
    if (!grey && bpp == 1) {
      if (entryBytes < 2 || entryBytes > 4) throw EInvalidGraphic(kTargaInvalid);
      for (size_t i = 0; i < mapLength; ++i) {
        const uint8_t* e = &map[i * entryBytes];
        if (entryBytes == 2) {
          unsigned w = e[0] | e[1] << 8;
          palette.push_back({uint8_t((w & 31) * 8), uint8_t(((w >> 5) & 31) * 8), uint8_t(((w >> 10) & 31) * 8), 0});
        } else {
          palette.push_back({e[0], e[1], e[2], 0});
        }
      }
    }
  }
  if (grey) palette = GreyPalette(256);

  const size_t rowLength = size_t(width) * bpp;
  const uint64_t total = uint64_t(rowLength) * height;
  bool packed = imageType >= 9 && imageType <= 11;
  bool raw = imageType >= 1 && imageType <= 3;
  // Other types (0: no pixels, 32 and 33: Huffman codes) give nothing to show.
  if (!raw && !packed) throw EInvalidGraphic(kTargaInvalid);
  // A run packet of 1 + bpp bytes gives at most 128 pixels.
  if (raw) CheckRoom(total, r.Left(), kTargaInvalid);
  if (packed) CheckRoom(total, uint64_t(r.Left()) * 128, kTargaInvalid);

  TBitmap b = NewPicture(pf, width, height, kTargaInvalid);
  if (pf == pf8bit) b.SetPalette(palette.empty() ? GreyPalette(256) : palette);
  std::span<const uint8_t> pixels = r.Rest();
  if (packed) {
    // The packets are expanded straight into the bitmap, then the rows placed.
    if (DecodeTargaRLE(pixels, b.Bits().first(size_t(total)), pixelSize).Written < total)
      throw EInvalidGraphic(kTargaInvalid);
    PlacePackedRows(b, rowLength, topDown);
  } else {
    for (int row = 0; row < height; ++row) {
      int target = topDown ? row : height - 1 - row;
      std::memcpy(b.ScanLine(target), pixels.data() + size_t(row) * rowLength, rowLength);
    }
  }
  ImageID.assign(id.begin(), id.end());
  return b;
}

bool TTargaGraphic::AllowedDepth() {
  if (PixelFormat() != pf1bit && PixelFormat() != pf4bit) return true;
  if (TargaConvertQuery && !TargaConvertQuery(kTargaConvertQuestion)) return false;
  SetPixelFormat(pf8bit);
  return true;
}

void TTargaGraphic::SaveToFile(const std::string& name) {
  // Asked before the file is touched; WriteTarga then finds 8 bits.
  if (AllowedDepth()) TDecodedGraphic::SaveToFile(name);
}

void TTargaGraphic::WriteTarga(TStream& s, bool compressed) {
  if (!AllowedDepth()) return;
  TPixelFormat pf = PixelFormat();
  if (Empty()) return;
  // Targa's 16-bit pixels are 5-5-5 words: a 5-6-5 picture is converted first.
  TBitmap converted;
  const TBitmap* src = this;
  if (pf == pf16bit) {
    converted.Assign(*this);
    converted.SetPixelFormat(pf15bit);
    src = &converted;
  }
  int bpp = pf == pf8bit ? 1 : (pf == pf15bit || pf == pf16bit) ? 2 : pf == pf32bit ? 4 : 3;
  if (pf == pfDevice || pf == pfCustom) {
    converted.Assign(*this);
    converted.SetPixelFormat(pf24bit);
    src = &converted;
  }

  std::vector<uint8_t> out;
  auto u8 = [&](unsigned v) { out.push_back(uint8_t(v)); };
  auto u16 = [&](unsigned v) { u8(v & 0xFF); u8(v >> 8); };
  std::string id = ImageID.substr(0, 255);
  u8(unsigned(id.size()));
  u8(bpp == 1 ? 1 : 0);
  u8(compressed ? (bpp == 1 ? 9 : 10) : (bpp == 1 ? 1 : 2));
  u16(0);    // first map entry
  u16(256);  // map length, written for every picture
  u8(24);    // map entry size
  u16(0);
  u16(0);
  u16(unsigned(Width()));
  u16(unsigned(Height()));
  u8(unsigned(bpp * 8));
  u8(0x20);  // the top row comes first
  out.insert(out.end(), id.begin(), id.end());
  if (bpp == 1) {
    const auto& pal = src->Palette();
    for (size_t i = 0; i < 256; ++i) {
      TRGBQuad q = i < pal.size() ? pal[i] : TRGBQuad{};
      u8(q.Blue);
      u8(q.Green);
      u8(q.Red);
    }
  }
  const size_t rowLength = size_t(Width()) * bpp;
  for (int y = 0; y < Height(); ++y) {
    std::span<const uint8_t> row(src->ScanLine(y), rowLength);
    if (compressed) EncodeTargaRLE(row, out, Width(), bpp);
    else out.insert(out.end(), row.begin(), row.end());
  }
  if (s.Write(out.data(), int64_t(out.size())) != int64_t(out.size()))
    throw EWriteError("Targa: could not write image data");
}
