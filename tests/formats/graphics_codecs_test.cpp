// The picture codecs: run-length decoders at their edges, the LZW decoders
// against an independent encoder, and the Targa encoder's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "GraphicCodecs.h"
#include "Graphics.h"

namespace {
using Bytes = std::vector<uint8_t>;

Bytes Expand(TDecoder&& d, const Bytes& src, size_t room, size_t* consumed = nullptr) {
  Bytes out(room, 0xEE);
  auto r = d.Decode(src, out);
  out.resize(r.Written);
  if (consumed) *consumed = r.Consumed;
  return out;
}

// A plain LZW encoder: clear first, codes of the given bit order, the width
// rule of TIFF (early) or GIF, and no clear when the table is full. The
// decoder makes each entry one code later than the encoder, so the width
// follows the decoder's count.
Bytes LzwEncode(const Bytes& data, int rootBits, bool lsbFirst, bool early) {
  Bytes out;
  uint32_t acc = 0;
  int bits = 0, width = rootBits + 1;
  const int clear = 1 << rootBits;
  int next = clear + 2;
  auto put = [&](int code) {
    if (lsbFirst) {
      acc |= uint32_t(code) << bits;
      bits += width;
      while (bits >= 8) out.push_back(uint8_t(acc)), acc >>= 8, bits -= 8;
    } else {
      acc = (acc << width) | uint32_t(code);
      bits += width;
      while (bits >= 8) out.push_back(uint8_t(acc >> (bits - 8))), bits -= 8;
      acc &= (1u << bits) - 1;
    }
  };
  auto widen = [&](int decoderNext) {
    if (decoderNext >= (1 << width) - (early ? 1 : 0) && width < 12) ++width;
  };
  std::map<std::pair<int, uint8_t>, int> table;
  put(clear);
  int prefix = -1;
  for (uint8_t c : data) {
    if (prefix < 0) {
      prefix = c;
      continue;
    }
    auto it = table.find({prefix, c});
    if (it != table.end()) {
      prefix = it->second;
      continue;
    }
    put(prefix);
    bool added = next < 4096;
    if (added) table[{prefix, c}] = next++;
    widen(added ? next - 1 : next);
    prefix = c;
  }
  if (prefix >= 0) {
    put(prefix);
    widen(next);
  }
  put(clear + 1);
  if (bits) out.push_back(uint8_t(lsbFirst ? acc : acc << (8 - bits)));
  return out;
}

Bytes Noise(size_t n, uint32_t seed, int alphabet) {
  Bytes b(n);
  for (auto& v : b) {
    seed = seed * 1664525 + 1013904223;
    v = uint8_t((seed >> 16) % alphabet);
  }
  return b;
}
}  // namespace

TEST(RunLengthCodecs, PackBitsLiteralRepeatAndNoOp) {
  // 2 literal bytes, -128 (nothing), the byte 7 repeated 3 times.
  EXPECT_EQ(Expand(TPackbitsRLE(), {1, 10, 11, 0x80, 0xFE, 7}, 10), (Bytes{10, 11, 7, 7, 7}));
  // A run past the room is cut; a literal whose bytes are missing gives what is there.
  EXPECT_EQ(Expand(TPackbitsRLE(), {0x81, 5}, 4), (Bytes{5, 5, 5, 5}));
  EXPECT_EQ(Expand(TPackbitsRLE(), {4, 1, 2}, 10), (Bytes{1, 2}));
}

TEST(RunLengthCodecs, PcxRunIsCutToTheSpaceLeft) {
  EXPECT_EQ(Expand(TPCXRLE(), {0x12, 0xC5, 9, 0xC1, 0xC3}, 4), (Bytes{0x12, 9, 9, 9}));
  EXPECT_EQ(Expand(TPCXRLE(), {0xC2, 0xC3, 0x05}, 10), (Bytes{0xC3, 0xC3, 0x05}));
}

// A run cut at the room's end goes on in the next call, so that expanding a
// row at a time gives what one expansion of the whole gives.
TEST(RunLengthCodecs, PcxRunGoesOnInTheNextCall) {
  const Bytes packed = {0xC5, 9, 0x12, 0xC3, 7};
  TPCXRLE rle;
  Bytes first(3), second(3), third(3, 0xEE);
  auto a = rle.Decode(packed, first);
  EXPECT_EQ(first, (Bytes{9, 9, 9}));
  EXPECT_EQ(a.Consumed, 2u);
  auto b = rle.Decode(std::span(packed).subspan(a.Consumed), second);
  EXPECT_EQ(second, (Bytes{9, 9, 0x12}));
  EXPECT_EQ(b.Written, 3u);
  auto c = rle.Decode(std::span(packed).subspan(a.Consumed + b.Consumed), third);
  EXPECT_EQ(c.Written, 3u);
  EXPECT_EQ(third, (Bytes{7, 7, 7}));
  // Nothing is left over once the data is spent.
  EXPECT_EQ(rle.Decode({}, third).Written, 0u);
}

TEST(RunLengthCodecs, SgiOneAndTwoByteSamples) {
  // Literal 2 bytes (bit 7 set), a run of 3, then the end.
  EXPECT_EQ(Expand(TSGIRLE(1), {0x82, 1, 2, 0x03, 9, 0, 77}, 10), (Bytes{1, 2, 9, 9, 9}));
  // Two-byte samples give their high byte: literal of two, run of two.
  EXPECT_EQ(Expand(TSGIRLE(2), {0, 0x82, 0x12, 0x34, 0x56, 0x78, 0, 0x02, 0xAB, 0xCD, 0, 0}, 10),
            (Bytes{0x12, 0x56, 0xAB, 0xAB}));
}

TEST(RunLengthCodecs, CutSkipsTheLineCountAndEndsOnZero) {
  size_t used = 0;
  EXPECT_EQ(Expand(TCUTRLE(), {6, 0, 0x83, 4, 2, 7, 8, 0, 99}, 10, &used), (Bytes{4, 4, 4, 7, 8}));
  EXPECT_EQ(used, 8u);
}

TEST(RunLengthCodecs, RlaLiteralAndRepeat) {
  EXPECT_EQ(Expand(TRLADecoder(), {0xFE, 1, 2, 2, 6}, 10), (Bytes{1, 2, 6, 6, 6}));
}

TEST(TargaCodec, PacketsFillTheRowOnlyToItsEnd) {
  Bytes row(4);
  // A run of 3 two-byte pixels into a row of 2 pixels.
  auto r = DecodeTargaRLE(Bytes{0x82, 1, 2, 0x00, 9, 9}, row, 15);
  EXPECT_EQ(row, (Bytes{1, 2, 1, 2}));
  EXPECT_EQ(r.Consumed, 3u);
  EXPECT_EQ(DecodeTargaRLE(Bytes{0x82, 1, 2}, row, 12).Consumed, 0u);  // no such pixel size
}

TEST(TargaCodec, EncoderBytes) {
  Bytes row(130 * 3, 0x42);
  Bytes out;
  EXPECT_EQ(EncodeTargaRLE(row, out, 130, 3), 8u);
  EXPECT_EQ(out, (Bytes{0xFF, 0x42, 0x42, 0x42, 0x81, 0x42, 0x42, 0x42}));
  // Distinct pixels, then a run: a literal packet stops before the pair.
  out.clear();
  EncodeTargaRLE(Bytes{1, 2, 3, 3, 3, 4}, out, 6, 1);
  EXPECT_EQ(out, (Bytes{0x01, 1, 2, 0x82, 3, 0x00, 4}));
  // Every row decodes back to itself.
  for (int bpp = 1; bpp <= 4; ++bpp) {
    Bytes noise = Noise(size_t(301) * bpp, uint32_t(bpp), 3);
    out.clear();
    EncodeTargaRLE(noise, out, 301, bpp);
    Bytes back(noise.size());
    auto r = DecodeTargaRLE(out, back, bpp == 2 ? 16 : bpp * 8);
    EXPECT_EQ(back, noise);
    EXPECT_EQ(r.Consumed, out.size());
  }
}

TEST(LzwCodecs, KwKwKAndWidthChanges) {
  // A long run makes KwKwK codes; noise fills the table past 511, 1023, 2047
  // and 4095 (where it stays frozen).
  for (const Bytes& data : {Bytes(3000, 'a'), Noise(20000, 7, 256), Noise(60000, 3, 4)}) {
    Bytes tiff = LzwEncode(data, 8, false, true);
    Bytes out(data.size());
    EXPECT_EQ(TTIFFLZW().Decode(tiff, out).Written, data.size());
    EXPECT_EQ(out, data);
    for (int size : {2, 8}) {
      Bytes small = data;
      for (auto& v : small) v &= uint8_t((1 << size) - 1);
      Bytes gif = LzwEncode(small, size, true, false);
      Bytes back(small.size());
      TGIFLZW(size).Decode(gif, back);
      EXPECT_EQ(back, small) << size;
    }
  }
}

// Room shorter than the data: the strings that do not fit are cut, and
// nothing is written past the room.
TEST(LzwCodecs, OutputIsCutAtTheRoom) {
  Bytes data = Noise(5000, 5, 16);
  data.insert(data.end(), 300, 'z');  // long strings near the end
  Bytes tiff = LzwEncode(data, 8, false, true);
  for (size_t room : {size_t(1), size_t(7), size_t(2500), data.size() - 3}) {
    Bytes out(room + 16, 0xEE);
    auto r = TTIFFLZW().Decode(tiff, std::span<uint8_t>(out).first(room));
    EXPECT_EQ(r.Written, room);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + ptrdiff_t(room), data.begin())) << room;
    EXPECT_EQ(Bytes(out.begin() + ptrdiff_t(room), out.end()), Bytes(16, 0xEE)) << room;
  }
}

// A GIF code size above 8 has literal codes past 255: each stands for its low byte.
TEST(LzwCodecs, GifLiteralsPastAByte) {
  Bytes packed;
  uint32_t acc = 0;
  int bits = 0;
  for (int code : {512, 300, 301, 514, 513}) {  // clear, two literals, the entry they make, end
    acc |= uint32_t(code) << bits;
    for (bits += 10; bits >= 8; bits -= 8, acc >>= 8) packed.push_back(uint8_t(acc));
  }
  packed.push_back(uint8_t(acc));
  Bytes out(16, 0xEE);
  auto r = TGIFLZW(9).Decode(packed, out);
  ASSERT_EQ(r.Written, 4u);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{44, 45, 44, 45}));
}

TEST(LzwCodecs, TiffWidensOneCodeEarlierThanGif) {
  // The same codes packed most significant bit first with GIF's width rule
  // do not read as TIFF once the table passes 510 entries.
  Bytes data = Noise(4000, 11, 256);
  Bytes late = LzwEncode(data, 8, false, false);
  Bytes out(data.size());
  bool differs = true;
  try {
    TTIFFLZW().Decode(late, out);
    differs = out != data;
  } catch (const EInvalidGraphic&) {
  }
  EXPECT_TRUE(differs);
}

TEST(LzwCodecs, UndefinedCodesRaise) {
  Bytes out(16);
  // 9-bit codes, MSB first: clear (256), 'A', then 300 (not yet defined).
  Bytes tiff = {0x80, 0x10, 0x65, 0x80};
  EXPECT_THROW(TTIFFLZW().Decode(tiff, out), EInvalidGraphic);
  // GIF, code size 2: clear (4), then 7 right after it (not a literal).
  try {
    TGIFLZW(2).Decode(Bytes{0x3C}, out);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "GIF LZW: invalid opcode.");
  }
}

// One decoder decodes stream after stream, each from its start: nothing of
// the one before (table, code width) carries over.
TEST(LzwCodecs, EachCallDecodesAFreshStream) {
  const Bytes wide = Noise(6000, 11, 256), narrow = Bytes(50, 'q');
  TTIFFLZW tiff;
  TGIFLZW gif(8);
  for (int round = 0; round < 2; ++round)
    for (const Bytes* data : {&wide, &narrow}) {
      Bytes out(data->size());
      EXPECT_EQ(tiff.Decode(LzwEncode(*data, 8, false, true), out).Written, data->size());
      EXPECT_EQ(out, *data);
      Bytes back(data->size());
      gif.Decode(LzwEncode(*data, 8, true, false), back);
      EXPECT_EQ(back, *data);
    }
}
