// Every picture fixture decodes to the pixels that ImageMagick decodes from
// it (tests/data/pictures/make-fixtures.py made both), and no truncated or
// damaged copy of a fixture crashes its reader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "GraphicFormats.h"
#include "Streams.h"

namespace {
std::string Fixture(const std::string& name) { return std::string(BX_TEST_DATA) + "/pictures/" + name; }

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

struct TCase {
  const char* File;
  int Tolerance;  // largest difference allowed in a channel
  TPixelFormat Format;
};

// Tolerances: 5-bit channels and 16-bit samples are widened or narrowed with
// other rounding than ImageMagick's; Photo-CD's colour rule is its own.
const TCase kCases[] = {
    {"tga-raw24.tga", 0, pf24bit},      {"tga-rle24.tga", 0, pf24bit},     {"tga-raw8map.tga", 0, pf8bit},
    {"tga-rle8map.tga", 0, pf8bit},     {"tga-grey.tga", 0, pf8bit},       {"tga-rlegrey.tga", 0, pf8bit},
    {"tga-raw32.tga", 0, pf32bit},      {"tga-rle32.tga", 0, pf32bit},     {"tga-topdown.tga", 0, pf24bit},
    {"tga-rletopdown.tga", 0, pf24bit}, {"tga-raw16.tga", 1, pf15bit},     {"tga-rle16.tga", 1, pf15bit},
    {"tga-raw15.tga", 1, pf15bit},      {"tga-greymap.tga", 0, pf8bit},    {"tga-crossrows.tga", 0, pf24bit},
    {"tiff-ii-none.tif", 0, pf24bit},   {"tiff-mm-none.tif", 0, pf24bit},  {"tiff-ii-lzw.tif", 0, pf24bit},
    {"tiff-mm-lzw.tif", 0, pf24bit},    {"tiff-packbits.tif", 0, pf24bit}, {"tiff-predictor.tif", 0, pf24bit},
    {"tiff-strips.tif", 0, pf24bit},    {"tiff-ii-16.tif", 1, pf24bit},    {"tiff-mm-16.tif", 1, pf24bit},
    {"tiff-palette.tif", 1, pf8bit},    {"tiff-palette16.tif", 1, pf4bit}, {"tiff-grey.tif", 0, pf8bit},
    {"tiff-grey16.tif", 1, pf8bit},     {"tiff-bilevel.tif", 0, pf1bit},   {"tiff-rgba.tif", 0, pf32bit},
    {"gif-plain.gif", 0, pf8bit},       {"gif-interlaced.gif", 0, pf8bit}, {"gif-control.gif", 0, pf8bit},
    {"gif-grey.gif", 0, pf8bit},        {"gif-local.gif", 0, pf8bit},      {"pcx-palette.pcx", 0, pf8bit},
    {"pcx-24.pcx", 0, pf24bit},         {"pcx-mono.pcx", 0, pf1bit},       {"pcx-planes4.pcx", 0, pf4bit},
    {"sgi-raw3.sgi", 0, pf24bit},       {"sgi-rle3.sgi", 0, pf24bit},      {"sgi-raw1.sgi", 0, pf8bit},
    {"sgi-rle1.sgi", 0, pf8bit},        {"sgi-raw4.sgi", 0, pf32bit},      {"sgi-rle4.sgi", 0, pf32bit},
    {"sgi-raw16.sgi", 1, pf24bit},      {"sgi-rle16.sgi", 1, pf24bit},     {"pnm-p1.pbm", 0, pf1bit},
    {"pnm-p4.pbm", 0, pf1bit},          {"pnm-p2.pgm", 0, pf8bit},         {"pnm-p5.pgm", 0, pf8bit},
    {"pnm-p3.ppm", 0, pf24bit},         {"pnm-p6.ppm", 0, pf24bit},        {"pnm-p6-16.ppm", 1, pf24bit},
    {"pnm-p5-max1000.pgm", 1, pf8bit},  {"psd-rgb-raw.psd", 0, pf24bit},   {"psd-rgb-rle.psd", 0, pf24bit},
    {"psd-grey-raw.psd", 0, pf8bit},    {"psd-grey-rle.psd", 0, pf8bit},   {"psd-palette.psd", 1, pf8bit},
    {"psd-rgb16.psd", 1, pf24bit},      {"pcd-base.pcd", 70, pf24bit},      {"jpeg-colour.jpg", 0, pf24bit},
    {"jpeg-grey.jpg", 0, pf8bit},       {"jpeg-progressive.jpg", 0, pf24bit}, {"cut-halo.cut", 0, pf8bit},
    {"rla-rgba.rla", 0, pf32bit},       {"autodesk.cel", 0, pf8bit},
};

class PictureFixtures : public testing::TestWithParam<TCase> {
protected:
  static void SetUpTestSuite() { RegisterGraphicFormats(); }
};

std::string CaseName(const testing::TestParamInfo<TCase>& info) {
  std::string n = info.param.File;
  for (char& c : n)
    if (!isalnum((unsigned char)c)) c = '_';
  return n;
}
}  // namespace

TEST_P(PictureFixtures, DecodesAsImageMagickDoes) {
  const TCase& c = GetParam();
  std::string file = Fixture(c.File);
  TPicture picture;
  picture.LoadFromFile(file);
  auto* b = dynamic_cast<TBitmap*>(picture.Graphic());
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->PixelFormat(), c.Format);
  std::string stem = file.substr(0, file.rfind('.'));
  auto rgb = ReadFile(stem + ".rgb");
  ASSERT_EQ(rgb.size(), size_t(b->Width()) * b->Height() * 3) << b->Width() << "x" << b->Height();
  int worst = 0, wx = 0, wy = 0;
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) {
      TColor p = b->Pixel(x, y);
      const uint8_t* e = &rgb[(size_t(y) * b->Width() + x) * 3];
      int d = std::max({std::abs(GetRValue(p) - e[0]), std::abs(GetGValue(p) - e[1]), std::abs(GetBValue(p) - e[2])});
      if (d > worst) worst = d, wx = x, wy = y;
    }
  EXPECT_LE(worst, c.Tolerance) << "at " << wx << "," << wy;
}

// Truncated copies of every length near the start and spread over the rest,
// and copies with single bytes changed: each reader raises or returns.
TEST_P(PictureFixtures, SurvivesTruncationAndDamage) {
  const TCase& c = GetParam();
  std::string file = Fixture(c.File);
  auto bytes = ReadFile(file);
  auto format = FindFileFormat(ExtractFileExt(file));
  ASSERT_NE(format, nullptr);
  auto graphic = CreateGraphic(format->ClassName);
  auto* reader = dynamic_cast<TDecodedGraphic*>(graphic.get());
  ASSERT_NE(reader, nullptr);
  auto attempt = [&](std::span<const uint8_t> b) {
    try {
      reader->LoadFromMemory(b);
    } catch (const Exception&) {
    }
  };
  size_t step = bytes.size() / 61 + 1;
  for (size_t n = 0; n < bytes.size(); n += n < 256 ? 1 : step) attempt(std::span(bytes).first(n));
  uint32_t seed = 12345;
  for (int i = 0; i < 300; ++i) {
    seed = seed * 1103515245 + 12345;
    auto copy = bytes;
    size_t at = i < 128 ? size_t(i) % copy.size() : (seed >> 8) % copy.size();
    copy[at] ^= uint8_t(i < 128 ? 0xFF : (seed >> 3) | 1);
    attempt(copy);
  }
}

INSTANTIATE_TEST_SUITE_P(All, PictureFixtures, testing::ValuesIn(kCases), CaseName);
