// The picture registry's entries, the Targa writer, and the readers' edge
// cases on pictures built byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "GraphicFormats.h"
#include "Streams.h"

namespace {
using Bytes = std::vector<uint8_t>;

struct TBuilder {
  Bytes b;
  void u8(uint32_t v) { b.push_back(uint8_t(v)); }
  void u16(uint32_t v) { u8(v); u8(v >> 8); }
  void u32(uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
  void be16(uint32_t v) { u8(v >> 8); u8(v); }
  void be32(uint32_t v) { be16(v >> 16); be16(v & 0xFFFF); }
  void text(const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }
  void fill(size_t n, uint8_t v = 0) { b.insert(b.end(), n, v); }
};

template <class T>
T Load(const Bytes& bytes) {
  T g;
  g.LoadFromMemory(bytes);
  return g;
}

template <class T>
std::string Error(const Bytes& bytes) {
  try {
    Load<T>(bytes);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

// A Targa header.
Bytes Targa(int type, int w, int h, int bits, int descriptor, int mapType = 0, int mapLength = 0, int mapBits = 0) {
  TBuilder t;
  t.u8(0); t.u8(mapType); t.u8(type); t.u16(0); t.u16(mapLength); t.u8(mapBits);
  t.u16(0); t.u16(0); t.u16(w); t.u16(h); t.u8(bits); t.u8(descriptor);
  return t.b;
}

// A little-endian TIFF of 8-bit grey pixels with the given extra entries
// (tag, type, values); strip offsets count from the start of the pixels.
struct TTag {
  uint16_t Tag, Type;
  std::vector<uint32_t> Values;
};
Bytes Tiff(int w, int h, const Bytes& pixels, std::vector<TTag> entries) {
  entries.insert(entries.begin(), {{256, 3, {uint32_t(w)}}, {257, 3, {uint32_t(h)}}, {258, 3, {8}}, {262, 3, {1}}});
  std::sort(entries.begin(), entries.end(), [](const TTag& a, const TTag& b) { return a.Tag < b.Tag; });
  const uint32_t ifdEnd = 8 + 2 + 12 * uint32_t(entries.size()) + 4;
  TBuilder values;  // arrays too long for their entry, after the directory
  uint32_t arraysSize = 0;
  for (auto& e : entries)
    if (e.Values.size() * (e.Type == 3 ? 2 : 4) > 4) arraysSize += uint32_t(e.Values.size()) * (e.Type == 3 ? 2 : 4);
  const uint32_t dataAt = ifdEnd + arraysSize;
  TBuilder t;
  t.text("II"); t.u16(42); t.u32(8);
  t.u16(uint32_t(entries.size()));
  for (auto& e : entries) {
    if (e.Tag == 273)
      for (auto& v : e.Values) v += dataAt;
    t.u16(e.Tag); t.u16(e.Type); t.u32(uint32_t(e.Values.size()));
    TBuilder field;
    for (uint32_t v : e.Values) e.Type == 3 ? field.u16(v) : field.u32(v);
    if (field.b.size() <= 4) {
      field.fill(4 - field.b.size());
      t.b.insert(t.b.end(), field.b.begin(), field.b.end());
    } else {
      t.u32(ifdEnd + uint32_t(values.b.size()));
      values.b.insert(values.b.end(), field.b.begin(), field.b.end());
    }
  }
  t.u32(0);
  t.b.insert(t.b.end(), values.b.begin(), values.b.end());
  t.b.insert(t.b.end(), pixels.begin(), pixels.end());
  return t.b;
}
}  // namespace

TEST(PictureRegistry, TheEntriesInTheirOrder) {
  RegisterGraphicFormats();
  RegisterGraphicFormats();  // counted, not repeated
  const char* expected[] = {"win", "vst", "vda", "tiff", "tif", "tga", "sgi", "scr", "rpf", "rle", "rla", "rgba",
                            "rgb", "psd", "ppm", "pgm", "pbm", "pic", "pcx", "pdd", "pcd", "pcc", "icb", "gif",
                            "dib", "cut", "cel", "bw", "jpeg", "jpg"};
  auto formats = FileFormats();
  ASSERT_GE(formats.size(), std::size(expected));
  size_t first = formats.size() - std::size(expected);
  for (size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(formats[first + i].Extension, expected[i]);
  EXPECT_EQ(FindFileFormat(".TGA")->ClassName, "TTargaGraphic");
  EXPECT_EQ(FindFileFormat("scr")->Description, "Word 5.x screen capture images");
  EXPECT_EQ(FindFileFormat("bw")->Description, "SGI black/white images");
  EXPECT_EQ(FindFileFormat("dib")->ClassName, "TBitmap");
  EXPECT_EQ(CreateGraphic("TPSDGraphic")->ClassName(), "TPSDGraphic");
  EXPECT_EQ(CreateGraphic("TJPEGImage")->ClassName(), "TJPEGImage");
}

TEST(TargaReader, BottomUpTopDownFifteenBitAndGrey) {
  // Two rows of one 16-bit pixel: red then blue, in file order.
  Bytes px = {0x00, 0x7C, 0x1F, 0x00};
  for (int bits : {15, 16})
    for (int descriptor : {0, 0x20}) {
      Bytes f = Targa(2, 1, 2, bits, descriptor);
      f.insert(f.end(), px.begin(), px.end());
      auto t = Load<TTargaGraphic>(f);
      EXPECT_EQ(t.PixelFormat(), pf15bit);
      EXPECT_EQ(t.Pixel(0, descriptor ? 0 : 1), clRed);
      EXPECT_EQ(t.Pixel(0, descriptor ? 1 : 0), clBlue);
    }
  Bytes g = Targa(3, 2, 1, 8, 0);
  g.push_back(0);
  g.push_back(200);
  auto t = Load<TTargaGraphic>(g);
  ASSERT_EQ(t.Palette().size(), 256u);
  EXPECT_EQ(t.Palette()[200], (TRGBQuad{200, 200, 200, 0}));
  EXPECT_EQ(t.Pixel(1, 0), RGBColor(200, 200, 200));
}

TEST(TargaReader, ShortFilesAndOddTypes) {
  Bytes raw = Targa(2, 2, 2, 24, 0);
  raw.resize(raw.size() + 11);  // one byte short of 12
  EXPECT_EQ(Error<TTargaGraphic>(raw), "Targa: invalid image");
  Bytes rle = Targa(10, 2, 2, 24, 0);
  rle.insert(rle.end(), {0x82, 1, 2, 3});  // 3 of the 4 pixels
  EXPECT_EQ(Error<TTargaGraphic>(rle), "Targa: invalid image");
  EXPECT_EQ(Error<TTargaGraphic>(Targa(2, 2, 2, 12, 0)), "Targa: invalid image");
  // No pixel data of a known kind.
  EXPECT_EQ(Error<TTargaGraphic>(Targa(0, 3, 2, 24, 0)), "Targa: invalid image");
  EXPECT_EQ(Error<TTargaGraphic>(Targa(32, 3, 2, 24, 0)), "Targa: invalid image");
}

TEST(TargaWriter, HeaderAndRoundTrips) {
  TTargaGraphic t;
  t.SetPixelFormat(pf8bit);
  t.SetSize(3, 2);
  std::vector<TRGBQuad> pal(256);
  pal[1] = {10, 20, 30, 0};
  pal[2] = {40, 50, 60, 0};
  t.SetPalette(pal);
  t.ScanLine(0)[0] = 1;
  t.ScanLine(1)[2] = 2;
  t.ImageID = "logo";
  for (bool compressed : {true, false}) {
    TMemoryStream s;
    t.WriteTarga(s, compressed);
    const uint8_t* h = s.Memory();
    EXPECT_EQ(h[0], 4);
    EXPECT_EQ(h[1], 1);
    EXPECT_EQ(h[2], compressed ? 9 : 1);
    EXPECT_EQ(h[17], 0x20);
    auto back = Load<TTargaGraphic>(s.Bytes());
    EXPECT_EQ(back.ImageID, "logo");
    EXPECT_EQ(back.PaletteIndex(0, 0), 1u);
    EXPECT_EQ(back.PaletteIndex(2, 1), 2u);
    EXPECT_EQ(back.Palette()[2], pal[2]);
  }
  // 24 bits: map length 256 and entry size 24 with map type 0 and no map;
  // a top-down bitmap reads back the right way up.
  TTargaGraphic c;
  c.SetSize(2, 2);
  c.SetTopDown(true);
  c.SetPixel(0, 0, clRed);
  c.SetPixel(1, 1, clBlue);
  TMemoryStream s;
  c.SaveToStream(s);
  const uint8_t* h = s.Memory();
  EXPECT_EQ(h[1], 0);
  EXPECT_EQ(h[5] | h[6] << 8, 256);
  EXPECT_EQ(h[7], 24);
  EXPECT_EQ(h[16], 24);
  EXPECT_EQ(s.Size(), 18 + 2 * (1 + 2 * 3));  // each row one literal packet of two pixels
  auto back = Load<TTargaGraphic>(s.Bytes());
  EXPECT_EQ(back.Pixel(0, 0), clRed);
  EXPECT_EQ(back.Pixel(1, 1), clBlue);
}

TEST(TargaWriter, FiveSixFiveIsWrittenAsFiveFiveFive) {
  TTargaGraphic t;
  t.SetPixelFormat(pf16bit);
  t.SetSize(1, 1);
  t.SetPixel(0, 0, RGBColor(255, 0, 0));
  TMemoryStream s;
  t.WriteTarga(s, false);
  EXPECT_EQ(s.Memory()[16], 16);
  EXPECT_EQ(s.Memory()[18] | s.Memory()[19] << 8, 0x7C00);
  EXPECT_EQ(Load<TTargaGraphic>(s.Bytes()).Pixel(0, 0), clRed);
}

TEST(TargaWriter, FewColoursAskFirst) {
  std::vector<std::string> asked;
  for (bool answer : {false, true}) {
    TargaConvertQuery = [&](const std::string& q) { asked.push_back(q); return answer; };
    TTargaGraphic t;
    t.SetPixelFormat(pf1bit);
    t.SetSize(9, 1);
    TMemoryStream s;
    t.SaveToStream(s);
    EXPECT_EQ(s.Size() > 0, answer);
    EXPECT_EQ(t.PixelFormat(), answer ? pf8bit : pf1bit);
  }
  TargaConvertQuery = nullptr;
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], "Targa image: 1 or 4 bit color depth not allowed. Convert to 256 colors?");
}

// Saving to a file asks once before the file is touched: a declined
// question keeps the old file, an accepted one replaces it with 8 bits.
TEST(TargaWriter, ADeclinedSaveKeepsTheOldFile) {
  std::string name = testing::TempDir() + "bx_fourbit.tga";
  SaveFileAtomically(name, [](TStream& s) { s.WriteString("old picture"); });
  auto contents = [&] {
    TMemoryStream m;
    m.LoadFromFile(name);
    return std::string(m.Bytes().begin(), m.Bytes().end());
  };
  int asked = 0;
  for (bool answer : {false, true}) {
    TargaConvertQuery = [&](const std::string&) { ++asked; return answer; };
    TPicture picture;
    auto targa = std::make_unique<TTargaGraphic>();
    targa->SetPixelFormat(pf4bit);
    targa->SetSize(3, 2);
    picture.SetGraphic(std::move(targa));
    picture.SaveToFile(name);
    if (!answer) {
      EXPECT_EQ(contents(), "old picture");
    }
  }
  TargaConvertQuery = nullptr;
  EXPECT_EQ(asked, 2);
  TTargaGraphic back;
  back.LoadFromFile(name);
  EXPECT_EQ(back.PixelFormat(), pf8bit);
  EXPECT_EQ(back.Width(), 3);
  std::remove(name.c_str());
  std::remove((name + ".~tmp").c_str());
}

TEST(TiffReader, StripsAndDefaults) {
  Bytes px = {1, 2, 3, 4, 5, 6};
  // No RowsPerStrip: one strip of the whole picture.
  auto t = Load<TTIFFGraphic>(Tiff(2, 3, px, {{273, 4, {0}}, {279, 4, {6}}}));
  EXPECT_EQ(t.PaletteIndex(1, 2), 6u);
  EXPECT_EQ(t.PixelFormat(), pf8bit);
  // Rows per strip 1 for three strips given once: the last value goes on.
  auto strips = Load<TTIFFGraphic>(Tiff(2, 3, px, {{273, 4, {4, 2, 0}}, {278, 3, {1}}, {279, 4, {2, 2, 2}}}));
  EXPECT_EQ(strips.PaletteIndex(0, 0), 5u);
  EXPECT_EQ(strips.PaletteIndex(1, 1), 4u);
  EXPECT_EQ(strips.PaletteIndex(0, 2), 1u);
  const std::string unsupported = "TIFF: Unsupported image layout";
  EXPECT_EQ(Error<TTIFFGraphic>(Tiff(2, 3, px, {{273, 4, {0}}, {284, 3, {2}}})), unsupported);
  // YCbCr is subsampled unless the file says it is not.
  Bytes ycc(18, 128);
  EXPECT_EQ(Error<TTIFFGraphic>(Tiff(2, 3, ycc, {{273, 4, {0}}, {277, 3, {3}}, {262, 3, {6}}})), unsupported);
  auto plain = Load<TTIFFGraphic>(Tiff(2, 3, ycc, {{273, 4, {0}}, {277, 3, {3}}, {262, 3, {6}}, {530, 3, {1, 1}}}));
  EXPECT_EQ(plain.Pixel(1, 1), RGBColor(128, 128, 128));
  EXPECT_EQ(Error<TTIFFGraphic>(Tiff(2, 3, px, {{273, 4, {0}}, {259, 3, {7}}})), "TIFF: Unknown compression scheme");
  EXPECT_EQ(Error<TTIFFGraphic>(Tiff(0, 3, px, {{273, 4, {0}}})), "Invalid TIFF file.");
  Bytes bad = Tiff(2, 3, px, {{273, 4, {0}}});
  bad[2] = 43;
  EXPECT_EQ(Error<TTIFFGraphic>(bad), "Invalid TIFF file.");
  // A strip offset past the end of the file.
  EXPECT_EQ(Error<TTIFFGraphic>(Tiff(2, 3, px, {{273, 4, {100000}}})), "Invalid TIFF file.");
}

TEST(PcdReader, PortraitPicturesAreTurned) {
  Bytes f(200000, 0);
  std::memcpy(&f[2048], "PCD_IPI", 7);
  f[8192 + 5] = 255;  // luma of pixel (5, 0) in the 192 x 128 picture
  f[194635] = 1;      // portrait
  TPCDGraphic p;
  p.Resolution = 0;
  p.LoadFromMemory(f);
  EXPECT_EQ(p.Width(), 128);
  EXPECT_EQ(p.Height(), 192);
  EXPECT_GT(GetGValue(p.Pixel(127, 5)), 200);
  f[194635] = 0;
  p.LoadFromMemory(f);
  EXPECT_EQ(p.Width(), 192);
  EXPECT_GT(GetGValue(p.Pixel(5, 0)), 200);
  p.Resolution = 3;
  EXPECT_THROW(p.LoadFromMemory(f), EInvalidGraphic);
}

TEST(GifReader, ExtensionsAreSkippedByTheirBlocks) {
  TBuilder g;
  g.text("gif89a"); g.u16(2); g.u16(1); g.u8(0x80); g.u8(0); g.u8(0);
  g.fill(3, 0); g.fill(3, 255);                       // black, white
  g.u8('!'); g.u8(0xFE); g.u8(3); g.text(","); g.u8(0); g.u8(';'); g.u8(0);  // a comment holding "," 0 ";"
  g.u8(','); g.u16(0); g.u16(0); g.u16(2); g.u16(1); g.u8(0);
  g.u8(2);                                            // code size
  // One sub-block of codes (3 bits, LSB first): clear 4, 1, 0, end 5.
  g.u8(2); g.u8(4 | 1 << 3); g.u8(5 << 1);
  g.u8(0); g.u8(';');
  auto b = Load<TGIFGraphic>(g.b);
  ASSERT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Pixel(0, 0), clWhite);
  EXPECT_EQ(b.Pixel(1, 0), clBlack);
  Bytes wide = g.b;
  wide[wide.size() - 6] = 12;  // code size 12
  EXPECT_EQ(Error<TGIFGraphic>(wide), "Not a valid GIF file.");
  EXPECT_EQ(Error<TGIFGraphic>({'P', 'N', 'G'}), "Not a valid GIF file.");
  TBuilder empty;
  empty.text("GIF87a"); empty.fill(7); empty.u8(';');
  EXPECT_TRUE(Load<TGIFGraphic>(empty.b).Empty());
}

TEST(PcxReader, TheEndPaletteNeedsItsMarker) {
  // 8 bits, 1 plane, 2 x 1, raw, palette info 2, then 769 bytes at the end.
  TBuilder p;
  p.u8(10); p.u8(5); p.u8(0); p.u8(8); p.u16(0); p.u16(0); p.u16(1); p.u16(0);
  p.fill(65 - p.b.size()); p.u8(1); p.u16(2); p.u16(2); p.fill(128 - p.b.size());
  p.u8(7); p.u8(1);
  Bytes tail(769, 0);
  tail[1 + 3 * 7] = 90;  // entry 7 red
  Bytes withMarker = p.b, without = p.b;
  tail[0] = 12;
  withMarker.insert(withMarker.end(), tail.begin(), tail.end());
  tail[0] = 11;
  without.insert(without.end(), tail.begin(), tail.end());
  EXPECT_EQ(Load<TPCXGraphic>(withMarker).Pixel(0, 0), RGBColor(90, 0, 0));
  auto grey = Load<TPCXGraphic>(without);
  EXPECT_EQ(grey.Pixel(0, 0), RGBColor(7, 7, 7));
  EXPECT_EQ(grey.Pixel(1, 0), RGBColor(1, 1, 1));
  Bytes odd = p.b;
  odd[3] = 4;
  EXPECT_EQ(Error<TPCXGraphic>(odd), "PCX: wrong pixel format");
  EXPECT_EQ(Error<TPCXGraphic>(Bytes(200, 3)), "Not a PCX or SCR file.");
}

TEST(PcxReader, RunsCrossRowsAndShortDataEndsBlack) {
  // 8 bits, 1 plane, 3 x 3, run-length, 3 bytes a line: a run of 4 crosses
  // from the first row into the second; the data ends in the second row.
  TBuilder p;
  p.u8(10); p.u8(5); p.u8(1); p.u8(8); p.u16(0); p.u16(0); p.u16(2); p.u16(2);
  p.fill(65 - p.b.size()); p.u8(1); p.u16(3); p.u16(2); p.fill(128 - p.b.size());
  p.u8(0xC4); p.u8(50); p.u8(60);
  auto b = Load<TPCXGraphic>(p.b);
  ASSERT_EQ(b.Height(), 3);
  const uint8_t expected[3][3] = {{50, 50, 50}, {50, 60, 0}, {0, 0, 0}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.PaletteIndex(x, y), expected[y][x]) << x << "," << y;
}

TEST(PpmReader, HeadersSamplesAndErrors) {
  auto one = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
  auto p6 = one("P6 2 1 255\n");
  p6.insert(p6.end(), {255, 0, 0, 0, 0, 255});
  auto b = Load<TPPMGraphic>(p6);
  EXPECT_EQ(b.Pixel(0, 0), clRed);
  EXPECT_EQ(b.Pixel(1, 0), clBlue);
  // Samples are scaled by the maximum; comments may stand between numbers.
  auto p2 = Load<TPPMGraphic>(one("P2\n# two\n2 # pixels\n1\n15\n15 5\n"));
  EXPECT_EQ(p2.Pixel(0, 0), clWhite);
  EXPECT_EQ(p2.Pixel(1, 0), RGBColor(85, 85, 85));
  auto p1 = Load<TPPMGraphic>(one("P1 3 1 011"));
  EXPECT_EQ(p1.Pixel(0, 0), clWhite);
  EXPECT_EQ(p1.Pixel(2, 0), clBlack);
  EXPECT_TRUE(Load<TPPMGraphic>(one("P7 1 1 1")).Empty());
  EXPECT_EQ(Error<TPPMGraphic>(one("Q6 1 1 255\n")), "Not a valid ppm file.");
  EXPECT_EQ(Error<TPPMGraphic>(one("P3 2 2 255\n1 2 3 4 5 6 7 8 9 10 11 ")), "PPM: Stream read error.");
  EXPECT_EQ(Error<TPPMGraphic>(one("P6 2 1 255\n\1\2")), "PPM: Stream read error.");
}

TEST(OtherReaders, SignaturesAndSmallCases) {
  EXPECT_EQ(Error<TSGIGraphic>(Bytes(600, 0)), "Not a valid sgi, bw or rgb(a) image.");
  EXPECT_EQ(Error<TPSDGraphic>(Bytes(40, 0)), "Not a valid psd file.");
  EXPECT_EQ(Error<TPCDGraphic>(Bytes(3000, 0)), "PCD: wrong image format.");
  EXPECT_EQ(Error<TAutodeskGraphic>(Bytes(900, 0)), "Cannot load image. Only old style Autodesk images are supported.");
  EXPECT_EQ(Error<TJPEGImage>(Bytes(100, 7)).rfind("JPEG error", 0), 0u);
  TBuilder r;
  r.fill(20); r.be16(2);
  r.fill(740 - r.b.size());
  EXPECT_EQ(Error<TRLAGraphic>(r.b), "RLA: image must be RGB(A).");
  // An SGI picture of two channels is 8-bit grey from its first channel.
  TBuilder s;
  s.be16(474); s.u8(0); s.u8(1); s.be16(3); s.be16(2); s.be16(1); s.be16(2);
  s.fill(512 - s.b.size());
  s.u8(10); s.u8(250); s.u8(99); s.u8(99);
  auto sgi = Load<TSGIGraphic>(s.b);
  EXPECT_EQ(sgi.PixelFormat(), pf8bit);
  EXPECT_EQ(sgi.Pixel(1, 0), RGBColor(250, 250, 250));
  // CUT without its palette file is grey.
  TBuilder c;
  c.u16(2); c.u16(1); c.u16(0); c.u16(4); c.u8(0x82); c.u8(40); c.u8(0);
  auto cut = Load<TCUTGraphic>(c.b);
  EXPECT_EQ(cut.Pixel(1, 0), RGBColor(40, 40, 40));
}

// A grey Photoshop picture of the given size, raw, every pixel 0x80.
Bytes Psd(uint32_t w, uint32_t h) {
  TBuilder p;
  p.text("8BPS");
  p.be16(1); p.fill(6);
  p.be16(1); p.be32(h); p.be32(w); p.be16(8); p.be16(1);
  p.be32(0); p.be32(0); p.be32(0);  // mode data, resources, layers
  p.be16(0);                        // raw
  p.fill(size_t(w) * h, 0x80);
  return p.b;
}

// Every reader has the bitmap's size limit: what one loads, the BMP reader
// reads back; one pixel past it is the reader's own error, before allocating.
TEST(OtherReaders, TheSizeLimitIsTheBitmaps) {
  auto wide = Load<TPSDGraphic>(Psd(917539, 2));
  TBitmap back;
  back.LoadFromBytes(wide.SaveToBytes());
  EXPECT_EQ(back.Width(), 917539);
  EXPECT_EQ(back.Pixel(917538, 1), RGBColor(0x80, 0x80, 0x80));
  EXPECT_EQ(Error<TPSDGraphic>(Psd(uint32_t(kMaxPictureSide) + 1, 1)), "Not a valid psd file.");
  for (const char* header : {"P5 1048577 1 255\n", "P5 1 1048577 255\n"}) {
    Bytes pgm(header, header + std::strlen(header));
    pgm.resize(pgm.size() + kMaxPictureSide + 1, 1);
    EXPECT_EQ(Error<TPPMGraphic>(pgm), "Not a valid ppm file.") << header;
  }
}

TEST(OtherReaders, AFailedLoadKeepsThePicture) {
  Bytes f = Targa(2, 1, 1, 24, 0);
  f.insert(f.end(), {0, 0, 255});
  auto t = Load<TTargaGraphic>(f);
  f.pop_back();
  EXPECT_THROW(t.LoadFromMemory(f), EInvalidGraphic);
  EXPECT_EQ(t.Pixel(0, 0), clRed);
}

// Files are decoded from a view of them; an empty or missing file gives
// the reader's own error or the open error, as a stream would.
TEST(PictureFiles, LoadFromFileAndItsFailures) {
  std::string name = testing::TempDir() + "bx_file.ppm";
  const std::string file("P6 2 1 255\n\xFF\0\0\0\0\xFF", 17);
  SaveFileAtomically(name, [&](TStream& s) { s.WriteString(file); });
  TPPMGraphic ppm;
  ppm.LoadFromFile(name);
  ASSERT_EQ(ppm.Width(), 2);
  EXPECT_EQ(ppm.Pixel(0, 0), clRed);
  EXPECT_EQ(ppm.Pixel(1, 0), clBlue);
  SaveFileAtomically(name, [](TStream&) {});
  EXPECT_THROW(ppm.LoadFromFile(name), EInvalidGraphic);
  EXPECT_EQ(ppm.Pixel(1, 0), clBlue);  // a failed load keeps the picture
  std::remove(name.c_str());
  EXPECT_THROW(ppm.LoadFromFile(name), EFOpenError);
}

// The read-only formats refuse to save instead of leaving an empty file.
TEST(ReadOnlyFormats, SavingRaisesAndKeepsTheOldFile) {
  std::string name = testing::TempDir() + "bx_readonly.pcx";
  SaveFileAtomically(name, [](TStream& s) { s.WriteString("old picture"); });
  TTIFFGraphic tiff;
  TPCXGraphic pcx;
  TPCDGraphic pcd;
  for (TGraphic* g : std::initializer_list<TGraphic*>{&tiff, &pcx, &pcd}) {
    static_cast<TBitmap*>(g)->SetSize(2, 2);
    EXPECT_THROW(g->SaveToFile(name), EInvalidGraphicOperation) << g->ClassName();
  }
  TMemoryStream kept;
  kept.LoadFromFile(name);
  EXPECT_EQ(std::string(kept.Bytes().begin(), kept.Bytes().end()), "old picture");
  // A skin stream still stores them, as bitmaps.
  TMemoryStream data;
  pcx.WriteData(data);
  EXPECT_GT(data.Size(), 54);
  std::remove(name.c_str());
}
