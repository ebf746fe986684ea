// The region-mask generator and the mask files: region bytes, banding, the
// file round trip and malformed files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Graphics.h"
#include "Streams.h"
#include "extMaskgenerator.h"
#include "../support/testfiles.h"

namespace {

struct TRect4 {
  int32_t Left, Top, Right, Bottom;
  bool operator==(const TRect4&) const = default;
};

int32_t I32(const std::vector<uint8_t>& d, size_t at) {
  return int32_t(uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 |
                 uint32_t(d[at + 3]) << 24);
}

std::vector<TRect4> Rects(const std::vector<uint8_t>& d) {
  std::vector<TRect4> out;
  for (size_t at = 32; at + 16 <= d.size(); at += 16)
    out.push_back({I32(d, at), I32(d, at + 4), I32(d, at + 8), I32(d, at + 12)});
  return out;
}

// A picture drawn from text rows: '#' opaque (black), '.' transparent (white).
TBitmap Picture(const std::vector<std::string>& rows) {
  TBitmap b;
  b.SetSize(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, rows[y][x] == '#' ? clBlack : clWhite);
  return b;
}

std::string TempPath(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() / "bx_mask_test";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

std::vector<uint8_t> WithCount(const std::vector<uint8_t>& data, uint32_t n) {
  std::vector<uint8_t> file(4 + data.size());
  for (int i = 0; i < 4; ++i) file[i] = uint8_t(n >> (8 * i));
  std::copy(data.begin(), data.end(), file.begin() + 4);
  return file;
}

void SetI32(std::vector<uint8_t>& d, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) d[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}

}  // namespace

TEST(MaskRegion, OpaquePictureIsOneRectangleWithItsHeader) {
  TBitmap b = Picture({"####", "####", "####"});
  auto d = MakeMaskRegionData(b, clWhite);
  ASSERT_EQ(d.size(), 48u);
  EXPECT_EQ(I32(d, 0), 32);
  EXPECT_EQ(I32(d, 4), 1);
  EXPECT_EQ(I32(d, 8), 1);
  EXPECT_EQ(I32(d, 12), 16);
  EXPECT_EQ((TRect4{I32(d, 16), I32(d, 20), I32(d, 24), I32(d, 28)}), (TRect4{0, 0, 4, 3}));
  EXPECT_EQ(Rects(d), (std::vector<TRect4>{{0, 0, 4, 3}}));
  EXPECT_TRUE(CheckMaskData(d));
}

TEST(MaskRegion, TransparentPictureGivesNoRegionAndNoFile) {
  TBitmap b = Picture({"...", "..."});
  EXPECT_TRUE(MakeMaskRegionData(b, clWhite).empty());
  EXPECT_TRUE(MakeMaskRegionData(TBitmap(), clWhite).empty());
  std::string path = TempPath("empty.msk");
  std::filesystem::remove(path);
  GenerateMaskFile(b, clWhite, path);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(MaskRegion, HoleSplitsTheBandsAndEqualRowsMerge) {
  TBitmap b = Picture({
      "#####",
      "#####",
      "##.##",
      "#####",
  });
  EXPECT_EQ(Rects(MakeMaskRegionData(b, clWhite)),
            (std::vector<TRect4>{{0, 0, 5, 2}, {0, 2, 2, 3}, {3, 2, 5, 3}, {0, 3, 5, 4}}));
}

TEST(MaskRegion, RunsAtBothEdgesAndBoundOfInsetShape) {
  TBitmap b = Picture({
      "........",
      "#......#",
      "#......#",
      "...##...",
      "........",
  });
  auto d = MakeMaskRegionData(b, clWhite);
  EXPECT_EQ(Rects(d), (std::vector<TRect4>{{0, 1, 1, 3}, {7, 1, 8, 3}, {3, 3, 5, 4}}));
  EXPECT_EQ((TRect4{I32(d, 16), I32(d, 20), I32(d, 24), I32(d, 28)}), (TRect4{0, 1, 8, 4}));
}

TEST(MaskRegion, EqualRowsApartStaySeparateBands) {
  TBitmap b = Picture({".##.", "....", ".##."});
  EXPECT_EQ(Rects(MakeMaskRegionData(b, clWhite)),
            (std::vector<TRect4>{{1, 0, 3, 1}, {1, 2, 3, 3}}));
}

TEST(MaskRegion, ComparesTheExactColour) {
  TBitmap b;
  b.SetSize(3, 1);
  b.SetPixel(0, 0, clWhite);
  b.SetPixel(1, 0, TColor(0xFEFFFF));
  b.SetPixel(2, 0, clWhite);
  EXPECT_EQ(Rects(MakeMaskRegionData(b, clWhite)), (std::vector<TRect4>{{1, 0, 2, 1}}));
  // Another transparent colour: the white pixels are the window.
  EXPECT_EQ(Rects(MakeMaskRegionData(b, TColor(0xFEFFFF))),
            (std::vector<TRect4>{{0, 0, 1, 1}, {2, 0, 3, 1}}));
}

TEST(MaskFile, RoundTripsThroughTheFile) {
  TBitmap b = Picture({".##.", "####", "#..#"});
  std::string path = TempPath("shape.msk");
  GenerateMaskFile(b, clWhite, path);
  auto read = ReadMaskFile(path);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, MakeMaskRegionData(b, clWhite));
  EXPECT_EQ(std::filesystem::file_size(path), 4 + read->size());
  EXPECT_FALSE(std::filesystem::exists(path + ".~tmp"));
}

// The count is little-endian whatever the host; the bytes read back are the
// region data, and the same reader serves files and stored properties.
TEST(MaskFile, BytesCarryALittleEndianCountAndParseBack) {
  std::vector<std::string> rows;
  for (int y = 0; y < 16; ++y) rows.push_back(y % 2 ? ".#" : "#.");
  const std::vector<uint8_t> data = MakeMaskRegionData(Picture(rows), clWhite);
  ASSERT_GT(data.size(), 255u);
  const std::vector<uint8_t> bytes = MaskFileBytes(data);
  ASSERT_EQ(bytes.size(), 4 + data.size());
  EXPECT_EQ(bytes[0], uint8_t(data.size()));
  EXPECT_EQ(bytes[1], uint8_t(data.size() >> 8));
  EXPECT_EQ(bytes[2], 0);
  EXPECT_EQ(bytes[3], 0);
  auto parsed = ParseMaskBytes(bytes);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(*parsed, data);
  std::vector<uint8_t> bigEndian = bytes;
  std::reverse(bigEndian.begin(), bigEndian.begin() + 4);
  EXPECT_FALSE(ParseMaskBytes(bigEndian).has_value());
}

TEST(MaskFile, UncreatableFileRaisesTheFileError) {
  TBitmap b = Picture({"#"});
  std::string path = TempPath("no-such-folder/x.msk");
  EXPECT_THROW(GenerateMaskFile(b, clWhite, path), EFCreateError);
}

TEST(MaskFile, ZeroCountIsAnEmptyRegion) {
  std::string path = TempPath("zero.msk");
  WriteBytes(path, {0, 0, 0, 0});
  auto read = ReadMaskFile(path);
  ASSERT_TRUE(read.has_value());
  EXPECT_TRUE(read->empty());
}

TEST(MaskFile, MissingShortAndOverlongFilesAreRefused) {
  std::string path = TempPath("bad.msk");
  std::filesystem::remove(path);
  EXPECT_FALSE(ReadMaskFile(path).has_value());
  WriteBytes(path, {});
  EXPECT_FALSE(ReadMaskFile(path).has_value());
  WriteBytes(path, {48, 0, 0});
  EXPECT_FALSE(ReadMaskFile(path).has_value());
  auto data = MakeMaskRegionData(Picture({"##"}), clWhite);
  WriteBytes(path, WithCount(data, uint32_t(data.size() + 1)));
  EXPECT_FALSE(ReadMaskFile(path).has_value());
  WriteBytes(path, WithCount(data, 0xFFFFFFFFu));
  EXPECT_FALSE(ReadMaskFile(path).has_value());
  // Trailing bytes after the region data do not matter.
  auto padded = WithCount(data, uint32_t(data.size()));
  padded.push_back(0xAA);
  WriteBytes(path, padded);
  EXPECT_EQ(ReadMaskFile(path), data);
}

TEST(MaskFile, MalformedHeadersAreRefused) {
  const auto good = MakeMaskRegionData(Picture({"#.#", "###"}), clWhite);
  ASSERT_TRUE(CheckMaskData(good));
  auto broken = [&](size_t at, int32_t v) {
    auto d = good;
    SetI32(d, at, v);
    return d;
  };
  EXPECT_FALSE(CheckMaskData(broken(0, 40)));       // header size
  EXPECT_FALSE(CheckMaskData(broken(4, 2)));        // type
  EXPECT_FALSE(CheckMaskData(broken(8, 2)));        // count below the bytes
  EXPECT_FALSE(CheckMaskData(broken(8, 0x10000001)));  // count far beyond
  EXPECT_FALSE(CheckMaskData(broken(12, 8)));       // byte size
  EXPECT_TRUE(CheckMaskData(broken(12, 0)));        // byte size left unknown
  EXPECT_FALSE(CheckMaskData(broken(24, 2)));       // bound narrower than a rectangle
  EXPECT_FALSE(CheckMaskData(broken(32 + 8, 0)));   // right before left
  EXPECT_FALSE(CheckMaskData(broken(32 + 12, 0)));  // bottom before top
  auto cut = good;
  cut.pop_back();
  EXPECT_FALSE(CheckMaskData(cut));
  EXPECT_FALSE(CheckMaskData(std::span<const uint8_t>(good.data(), 31)));
  EXPECT_FALSE(CheckMaskData({}));

  std::string path = TempPath("badheader.msk");
  auto d = broken(4, 3);
  WriteBytes(path, WithCount(d, uint32_t(d.size())));
  EXPECT_FALSE(ReadMaskFile(path).has_value());
}

// The header fields as the region data's readers see them.
TEST(MaskRegion, HeaderReadsBackItsFields) {
  TBitmap bm = Picture({"..##.", ".###.", "....."});
  const std::vector<uint8_t> d = MakeMaskRegionData(bm, clWhite);
  const auto h = ReadRegionHeader(d);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->dwSize, 32u);
  EXPECT_EQ(h->iType, 1u);
  EXPECT_EQ(h->nCount, 2u);
  EXPECT_EQ(h->nRgnSize, 32u);
  EXPECT_EQ(h->rcBound.left, 1);
  EXPECT_EQ(h->rcBound.top, 0);
  EXPECT_EQ(h->rcBound.right, 4);
  EXPECT_EQ(h->rcBound.bottom, 2);
  std::vector<uint8_t> negative = d;
  negative[16] = negative[17] = negative[18] = negative[19] = 0xFF;
  EXPECT_EQ(ReadRegionHeader(negative)->rcBound.left, -1);
  EXPECT_FALSE(ReadRegionHeader(std::span<const uint8_t>(d.data(), 31)));
  EXPECT_FALSE(ReadRegionHeader({}));
}
