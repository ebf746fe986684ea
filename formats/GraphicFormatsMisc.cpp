// Readers of Dr. Halo CUT, GIF, Wavefront RLA, Photoshop PSD and Autodesk
// CEL/PIC pictures.
//
// Policy: strict about bounds, tolerant where real writers differ.
// Departures:
// - GIF: extension blocks are skipped by their sub-block lengths; LZW code
//   sizes outside 2..11 raise "Not a valid GIF file."; image data that ends
//   early leaves the rest of the picture at colour 0;
// - CUT: each line is found by its own byte count; a line that ends early
//   leaves the rest black;
// - RLA: row offsets and channel lengths must lie inside the file;
// - PSD: Lab pictures take a and b as stored (128 is neutral); sample depths
//   other than 1, 8 and 16 raise "Not a valid psd file.".
#include <algorithm>
#include <cstring>

#include "GraphicCodecs.h"
#include "GraphicFormats.h"
#include "GraphicFormatsShared.h"
#include "Streams.h"

using namespace graphics;

// --- Dr. Halo CUT

void TCUTGraphic::LoadFromFile(const std::string& name) {
  PaletteFile.clear();
  try {
    TMemoryStream pal;
    pal.LoadFromFile(ChangeFileExt(name, ".pal"));
    PaletteFile = pal.Bytes();
  } catch (const EStreamError&) {
    // No palette file: the picture is grey.
  }
  TDecodedGraphic::LoadFromFile(name);
}

TBitmap TCUTGraphic::Decode(std::span<const uint8_t> bytes) {
  const char* const kInvalid = "CUT: invalid image";
  TByteReader<EInvalidGraphic> r(bytes, kInvalid);
  uint16_t width = r.U16LE(), height = r.U16LE();
  r.U16LE();  // reserved
  // A line of n pixels takes at least 2 bytes of count, 2 of packets and 1 end byte.
  CheckRoom(uint64_t(height) * 3, r.Left() + 2, kInvalid);
  CheckRoom(uint64_t(width) * height, uint64_t(r.Left()) * 64, kInvalid);
  TBitmap b = NewPicture(pf8bit, width, height, kInvalid);

  std::vector<TRGBQuad> palette = GreyPalette(256);
  const auto& pal = PaletteFile;
  if (pal.size() >= 40) {
    size_t count = std::min<size_t>(pal[12] | pal[13] << 8, 256);
    size_t block = 0, pos = 40;
    for (size_t i = 0; i < count; ++i) {
      if (pos + 6 > 512) {  // entries continue at the start of the next block
        ++block;
        pos = 0;
      }
      size_t at = block * 512 + pos;
      if (at + 6 > pal.size()) break;
      auto v = [&](size_t o) { return uint8_t(std::min(pal[at + o] | pal[at + o + 1] << 8, 255)); };
      palette[i] = {v(4), v(2), v(0), 0};
      pos += 6;
    }
  }
  b.SetPalette(palette);

  TCUTRLE rle;
  for (int y = 0; y < height && r.Left() >= 2; ++y) {
    size_t lineBytes = bytes[r.Offset()] | bytes[r.Offset() + 1] << 8;
    auto line = r.Bytes(std::min(lineBytes + 2, r.Left()));
    rle.Decode(line, std::span<uint8_t>(b.ScanLine(y), width));
  }
  return b;
}

// --- GIF

TBitmap TGIFGraphic::Decode(std::span<const uint8_t> bytes) {
  const char* const kInvalid = "Not a valid GIF file.";
  TByteReader<EInvalidGraphic> r(bytes, kInvalid);
  auto sig = r.Bytes(3);
  if (LowerCase(std::string(sig.begin(), sig.end())) != "gif") throw EInvalidGraphic(kInvalid);
  r.Skip(3);  // version
  uint16_t screenWidth = r.U16LE(), screenHeight = r.U16LE();
  uint8_t flags = r.U8();
  r.Skip(2);  // background, aspect
  auto readTable = [&](uint8_t f) {
    std::vector<TRGBQuad> t;
    size_t n = size_t(2) << (f & 7);
    auto e = r.Bytes(n * 3);
    for (size_t i = 0; i < n; ++i) t.push_back({e[3 * i + 2], e[3 * i + 1], e[3 * i], 0});
    return t;
  };
  std::vector<TRGBQuad> global;
  if (flags & 0x80) global = readTable(flags);

  for (;;) {
    uint8_t kind = r.U8();
    if (kind == ';') return TBitmap();  // the file ends before an image
    if (kind == '!') {
      r.U8();  // label
      for (uint8_t n = r.U8(); n; n = r.U8()) r.Skip(n);
      continue;
    }
    if (kind != ',') throw EInvalidGraphic(kInvalid);
    r.Skip(4);  // left, top
    uint32_t width = r.U16LE(), height = r.U16LE();
    uint8_t imageFlags = r.U8();
    if (width == 0) width = screenWidth;
    if (height == 0) height = screenHeight;
    std::vector<TRGBQuad> palette = (imageFlags & 0x80) ? readTable(imageFlags) : global;
    int codeSize = r.U8();
    if (codeSize < 2 || codeSize > 11) throw EInvalidGraphic(kInvalid);
    std::vector<uint8_t> data;
    data.reserve(r.Left());  // the sub-blocks hold less than what is left of the file
    for (uint8_t n = r.Left() ? r.U8() : 0; n; n = r.Left() ? r.U8() : 0) {
      auto block = r.Bytes(std::min<size_t>(n, r.Left()));
      data.insert(data.end(), block.begin(), block.end());
    }
    // One 3-bit code can stand for at most 4,096 pixels.
    CheckRoom(uint64_t(width) * height, (uint64_t(data.size()) * 8 / 3 + 1) * 4096, kInvalid);
    TBitmap b = NewPicture(pf8bit, width, height, kInvalid);
    b.SetPalette(palette.empty() ? GreyPalette(256) : palette);
    const size_t size = size_t(width) * height;
    // Pixels past the end of short data are colour 0 (the decoder may have
    // changed a few bytes past its output).
    auto decode = [&](std::span<uint8_t> pixels) {
      size_t written = TGIFLZW(codeSize).Decode(data, pixels).Written;
      std::fill(pixels.begin() + ptrdiff_t(written), pixels.end(), 0);
    };
    if (!(imageFlags & 0x40)) {
      // Rows in order: expanded straight into the bitmap, then placed.
      decode(b.Bits().first(size));
      PlacePackedRows(b, width, true);
      return b;
    }
    std::vector<uint8_t> pixels(size);
    decode(pixels);
    // Interlaced rows come in four passes: every 8th from 0, every 8th from
    // 4, every 4th from 2, every 2nd from 1.
    static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    uint32_t source = 0;
    for (int pass = 0; pass < 4; ++pass)
      for (uint32_t y = uint32_t(kStart[pass]); y < height; y += uint32_t(kStep[pass]), ++source)
        std::memcpy(b.ScanLine(int(y)), pixels.data() + size_t(source) * width, width);
    return b;
  }
}

// --- Wavefront RLA

TBitmap TRLAGraphic::Decode(std::span<const uint8_t> bytes) {
  const char* const kInvalid = "RLA: invalid image";
  TByteReader<EInvalidGraphic> r(bytes, kInvalid);
  r.Need(740);
  r.Seek(8);  // the active window: left, right, bottom, top
  int left = int16_t(r.U16BE()), right = int16_t(r.U16BE());
  int bottom = int16_t(r.U16BE()), top = int16_t(r.U16BE());
  r.Seek(20);
  int channels = int16_t(r.U16BE()), mattes = int16_t(r.U16BE());
  if (channels != 3 && channels != 4) throw EInvalidGraphic("RLA: image must be RGB(A).");
  if (right < left) throw EInvalidGraphic(kInvalid);
  uint32_t width = uint32_t(right - left + 1);
  uint32_t height = uint32_t(std::abs(bottom - top) + 1);
  bool bottomFirst = bottom < top;
  r.Seek(740);
  r.Need(size_t(height) * 4);
  std::vector<uint32_t> rows(height);
  for (auto& o : rows) o = r.U32BE();
  TPixelFormat pf = mattes ? pf32bit : pf24bit;
  const int bpp = mattes ? 4 : 3;
  // Each row has at least a 2-byte count per channel; a packet of 2 bytes
  // gives at most 128 bytes.
  CheckRoom(uint64_t(width) * height, uint64_t(bytes.size()) * 64, kInvalid);
  TBitmap b = NewPicture(pf, width, height, kInvalid);
  std::vector<uint8_t> line(width);
  TRLADecoder rle;
  for (uint32_t i = 0; i < height; ++i) {
    r.Seek(rows[i]);
    uint8_t* out = b.ScanLine(int(bottomFirst ? height - 1 - i : i));
    int planes = channels + (mattes ? 1 : 0);
    for (int c = 0; c < planes; ++c) {
      size_t n = r.U16BE();
      auto packed = r.Bytes(n);
      int slot = c < 3 ? 2 - c : c == channels ? 3 : -1;  // red, green, blue, matte
      if (slot < 0) continue;
      std::fill(line.begin(), line.end(), 0);
      rle.Decode(packed, line);
      for (uint32_t x = 0; x < width; ++x) out[size_t(x) * bpp + slot] = line[x];
    }
  }
  return b;
}

// --- Photoshop

TBitmap TPSDGraphic::Decode(std::span<const uint8_t> bytes) {
  const char* const kInvalid = "Not a valid psd file.";
  TByteReader<EInvalidGraphic> r(bytes, kInvalid);
  auto sig = r.Bytes(4);
  if (std::memcmp(sig.data(), "8BPS", 4) != 0) throw EInvalidGraphic(kInvalid);
  r.Skip(8);  // version, reserved
  uint32_t channels = r.U16BE(), height = r.U32BE(), width = r.U32BE();
  uint16_t depth = r.U16BE(), mode = r.U16BE();
  TPixelFormat pf;
  uint32_t needed;
  switch (mode) {
    case 0: pf = pf1bit, needed = 1; break;
    case 1: case 2: case 8: pf = pf8bit, needed = 1; break;
    case 3: case 9: pf = pf24bit, needed = 3; break;
    case 4: pf = pf24bit, needed = 4; break;
    default: throw EInvalidGraphic(kInvalid);
  }
  if (channels < needed || (mode == 0 ? depth != 1 : depth != 8 && depth != 16)) throw EInvalidGraphic(kInvalid);

  std::vector<TRGBQuad> palette;
  auto modeData = r.Bytes(r.U32BE());
  if (mode == 2) {
    if (modeData.size() < 768) throw EInvalidGraphic(kInvalid);
    for (int i = 0; i < 256; ++i) palette.push_back({modeData[512 + i], modeData[256 + i], modeData[i], 0});
  } else if (mode == 0) {
    palette = {{255, 255, 255, 0}, {0, 0, 0, 0}};  // bitmap mode: 1 is black
  } else if (pf == pf8bit) {
    palette = GreyPalette(256);
  }
  r.Skip(r.U32BE());  // image resources
  r.Skip(r.U32BE());  // layers and masks
  uint16_t compression = r.U16BE();
  if (compression > 1) throw EInvalidGraphic(kInvalid);

  const uint64_t rowBytes = mode == 0 ? (uint64_t(width) + 7) / 8 : uint64_t(width) * (depth / 8);
  const uint64_t rows = uint64_t(needed) * height;
  std::vector<uint32_t> counts;
  if (compression == 1) {
    // Byte counts of every row of every channel; only the channels used are read.
    r.Need(size_t(uint64_t(channels) * height * 2));
    for (uint64_t i = 0; i < rows; ++i) counts.push_back(r.U16BE());
    r.Skip(size_t((uint64_t(channels) - needed) * height * 2));
    CheckRoom(rowBytes * rows, uint64_t(r.Left()) * 64 + rows, kInvalid);
  } else {
    CheckRoom(rowBytes * rows, r.Left(), kInvalid);
  }
  TBitmap b = NewPicture(pf, width, height, kInvalid);
  if (!palette.empty()) b.SetPalette(palette);

  // The merged image, channel after channel.
  std::vector<uint8_t> planes(size_t(rowBytes * rows), 0);
  TPackbitsRLE rle;
  for (uint64_t i = 0; i < rows; ++i) {
    std::span<uint8_t> dest(planes.data() + i * rowBytes, size_t(rowBytes));
    if (compression == 1) rle.Decode(r.Bytes(std::min<size_t>(counts[i], r.Left())), dest);
    else std::memcpy(dest.data(), r.Bytes(size_t(rowBytes)).data(), size_t(rowBytes));
  }
  const size_t step = depth / 8;  // 16-bit samples are big-endian: the high byte first
  auto at = [&](uint32_t c, uint32_t y, uint32_t x) {
    return planes[size_t((uint64_t(c) * height + y) * rowBytes + uint64_t(x) * step)];
  };
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* out = b.ScanLine(int(y));
    if (mode == 0) {
      std::memcpy(out, planes.data() + size_t(y * rowBytes), size_t(rowBytes));
      continue;
    }
    for (uint32_t x = 0; x < width; ++x) {
      if (pf == pf8bit) {
        out[x] = at(0, y, x);
      } else if (mode == 3) {
        out[3 * x] = at(2, y, x);
        out[3 * x + 1] = at(1, y, x);
        out[3 * x + 2] = at(0, y, x);
      } else if (mode == 4) {
        // Photoshop stores ink amounts inverted: 255 is no ink.
        CMYKToBGR(255 - at(0, y, x), 255 - at(1, y, x), 255 - at(2, y, x), 255 - at(3, y, x), 255, out + 3 * x);
      } else {
        LabToBGR(at(0, y, x), int8_t(at(1, y, x) - 128), int8_t(at(2, y, x) - 128), out + 3 * x);
      }
    }
  }
  return b;
}

// --- Autodesk

TBitmap TAutodeskGraphic::Decode(std::span<const uint8_t> bytes) {
  const char* const kOldStyle = "Cannot load image. Only old style Autodesk images are supported.";
  TByteReader<EInvalidGraphic> r(bytes, "Autodesk: invalid image");
  if (r.U16LE() != 0x9119) throw EInvalidGraphic(kOldStyle);
  uint16_t width = r.U16LE(), height = r.U16LE();
  r.Skip(26);  // the rest of the 32-byte header
  auto map = r.Bytes(768);
  CheckRoom(uint64_t(width) * height, r.Left(), "Autodesk: invalid image");
  TBitmap b = NewPicture(pf8bit, width, height, "Autodesk: invalid image");
  std::vector<TRGBQuad> palette(256);
  // 6-bit values scaled by 4.
  for (int i = 0; i < 256; ++i)
    palette[i] = {uint8_t(map[3 * i + 2] * 4), uint8_t(map[3 * i + 1] * 4), uint8_t(map[3 * i] * 4), 0};
  b.SetPalette(palette);
  for (int y = 0; y < height; ++y) std::memcpy(b.ScanLine(y), r.Bytes(width).data(), width);
  return b;
}
