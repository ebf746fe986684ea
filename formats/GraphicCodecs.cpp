// Run-length and LZW decoders of the picture formats, and the Targa encoder.
//
// Policy: the run-length decoders trust the meaning of their input but are
// bounded by it: they stop when the packed bytes or the room in the
// destination run out, and cut a packet at the destination's end. The LZW
// decoders raise on a code that is not yet defined.
// Departures: a full LZW table (4,096 entries) stays frozen until the next
// clear code instead of overwriting its last entry.
#include "GraphicCodecs.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "Graphics.h"

// --- run-length decoders

TDecodeResult TPackbitsRLE::Decode(std::span<const uint8_t> src, std::span<uint8_t> dst) {
  size_t in = 0, out = 0;
  while (in < src.size() && out < dst.size()) {
    int n = int8_t(src[in++]);
    if (n >= 0) {  // n + 1 literal bytes
      size_t avail = std::min<size_t>(size_t(n) + 1, src.size() - in);
      size_t count = std::min(avail, dst.size() - out);
      std::memcpy(dst.data() + out, src.data() + in, count);
      in += avail;
      out += count;
    } else if (n != -128) {  // the next byte 1 - n times; -128 is a no-op
      if (in >= src.size()) break;
      uint8_t v = src[in++];
      size_t count = std::min<size_t>(size_t(1 - n), dst.size() - out);
      std::memset(dst.data() + out, v, count);
      out += count;
    }
  }
  return {in, out};
}

TDecodeResult TPCXRLE::Decode(std::span<const uint8_t> src, std::span<uint8_t> dst) {
  size_t in = 0, out = std::min(FPending, dst.size());
  std::memset(dst.data(), FValue, out);
  FPending -= out;
  while (in < src.size() && out < dst.size()) {
    uint8_t b = src[in++];
    if (b < 0xC0) {
      dst[out++] = b;
      continue;
    }
    if (in >= src.size()) break;
    FValue = src[in++];
    const size_t count = b & 0x3F, n = std::min(count, dst.size() - out);
    std::memset(dst.data() + out, FValue, n);
    out += n;
    FPending = count - n;
  }
  return {in, out};
}

TDecodeResult TSGIRLE::Decode(std::span<const uint8_t> src, std::span<uint8_t> dst) {
  const size_t step = FSampleSize == 2 ? 2 : 1;
  size_t in = 0, out = 0;
  // Samples are big-endian: the high byte of a 2-byte sample comes first.
  while (src.size() - in >= step && out < dst.size()) {
    uint8_t header = src[in + step - 1];
    in += step;
    size_t count = header & 0x7F;
    if (count == 0) break;
    if (header & 0x80) {  // count samples as they are
      const size_t avail = std::min(count, (src.size() - in) / step);
      const size_t n = std::min(avail, dst.size() - out);
      if (step == 1) {
        std::memcpy(dst.data() + out, src.data() + in, n);
      } else {
        for (size_t i = 0; i < n; ++i) dst[out + i] = src[in + i * step];
      }
      in += avail * step;
      out += n;
    } else {  // one sample repeated
      if (src.size() - in < step) break;
      uint8_t v = src[in];
      in += step;
      size_t n = std::min(count, dst.size() - out);
      std::memset(dst.data() + out, v, n);
      out += n;
    }
  }
  return {in, out};
}

TDecodeResult TCUTRLE::Decode(std::span<const uint8_t> src, std::span<uint8_t> dst) {
  size_t in = std::min<size_t>(2, src.size()), out = 0;  // the line's byte count
  while (in < src.size()) {
    uint8_t h = src[in++];
    if (h == 0) break;
    if (h & 0x80) {
      if (in >= src.size()) break;
      uint8_t v = src[in++];
      size_t n = std::min<size_t>(h & 0x7F, dst.size() - out);
      std::memset(dst.data() + out, v, n);
      out += n;
    } else {
      size_t n = std::min<size_t>(h, src.size() - in);
      size_t w = std::min(n, dst.size() - out);
      std::memcpy(dst.data() + out, src.data() + in, w);
      in += n;
      out += w;
    }
  }
  return {in, out};
}

TDecodeResult TRLADecoder::Decode(std::span<const uint8_t> src, std::span<uint8_t> dst) {
  size_t in = 0, out = 0;
  while (in < src.size() && out < dst.size()) {
    int c = int8_t(src[in++]);
    if (c < 0) {
      size_t n = std::min<size_t>(size_t(-c), src.size() - in);
      size_t w = std::min(n, dst.size() - out);
      std::memcpy(dst.data() + out, src.data() + in, w);
      in += n;
      out += w;
    } else {
      if (in >= src.size()) break;
      uint8_t v = src[in++];
      size_t n = std::min<size_t>(size_t(c) + 1, dst.size() - out);
      std::memset(dst.data() + out, v, n);
      out += n;
    }
  }
  return {in, out};
}

// --- LZW

namespace {
// Each literal code's string: byte i at index i, then room for the 8-byte
// reads of the copy below.
struct TLiterals {
  uint8_t Bytes[256 + 8] = {};
  TLiterals() {
    for (int i = 0; i < 256; ++i) Bytes[i] = uint8_t(i);
  }
};
const TLiterals kLiterals;

// Eight bytes as one number: the first byte lowest (LowFirst) or highest.
template <bool LowFirst>
uint64_t LoadWord(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  if ((std::endian::native == std::endian::little) != LowFirst) v = __builtin_bswap64(v);
  return v;
}
}  // namespace

TLZWDecoder::TLZWDecoder(int rootBits, bool lsbFirst, bool earlyChange, std::string error)
    : FRootBits(rootBits), FLsbFirst(lsbFirst), FEarlyChange(earlyChange), FError(std::move(error)),
      FClear(1 << rootBits), FEnd((1 << rootBits) + 1) {
  for (int i = 0; i < FClear; ++i) {
    FString[i] = &kLiterals.Bytes[i & 255];  // GIF's codes past 255 stand for their low byte
    FLength[i] = 1;
  }
}

TDecodeResult TLZWDecoder::Decode(std::span<const uint8_t> src, std::span<uint8_t> dst) {
  return FLsbFirst ? DecodeCodes<true>(src, dst) : DecodeCodes<false>(src, dst);
}

// A call decodes one whole stream: the code width and table start afresh, and
// nothing is kept for a next call. The state lives in locals while it runs:
// stores to the output (bytes, which may alias anything) would otherwise
// reload every member. The
// loop has one common case, a defined code after a defined code; clear, end,
// the code being defined (KwKwK) and errors take the branch after it.
template <bool LsbFirst>
TDecodeResult TLZWDecoder::DecodeCodes(std::span<const uint8_t> src, std::span<uint8_t> dst) {
  const int clear = FClear, end = FEnd, rootWidth = FRootBits + 1, early = FEarlyChange ? 1 : 0;
  int width = rootWidth, widenAt = (1 << width) - early, nextFree = clear + 2, previous = -1;
  const uint8_t** const strings = FString;
  uint16_t* const lengths = FLength;
  uint8_t* const d = dst.data();
  const size_t size = dst.size();
  size_t in = 0, out = 0;
  size_t previousAt = 0;  // where the previous code's string was written
  uint64_t acc = 0;
  int bits = 0;
  // The next code, or -1 when the data ends. The bit buffer is refilled with
  // as many whole bytes as it holds: from one 8-byte read while 8 bytes are
  // left (for codes taken from the low end, the bits read past those bytes
  // are the next bytes' own, and are read again as they are), else a byte at
  // a time.
  auto next = [&]() -> int {
    if (bits < width) {
      if (src.size() - in >= 8) {
        const uint8_t* p = src.data() + in;
        const int take = (63 - bits) >> 3;  // bits + 8 * take stays below 64
        const uint64_t v = LoadWord<LsbFirst>(p);
        if (LsbFirst) acc |= v << bits;
        else acc = (acc << (8 * take)) | (v >> (64 - 8 * take));
        in += size_t(take);
        bits += 8 * take;
      } else {
        while (bits <= 56 && in < src.size()) {
          if (LsbFirst) acc |= uint64_t(src[in++]) << bits;
          else acc = (acc << 8) | src[in++];
          bits += 8;
        }
        if (bits < width) return -1;
      }
    }
    int code;
    if (LsbFirst) {
      code = int(acc & ((1u << width) - 1));
      acc >>= width;
      bits -= width;
    } else {
      bits -= width;
      code = int((acc >> bits) & ((1u << width) - 1));
    }
    return code;
  };
  // Adds the entry that the code just written makes: the previous string and
  // this one's first byte, as they stand in the output.
  auto define = [&](int code, size_t at) {
    if (nextFree < kTableSize) {
      strings[nextFree] = d + previousAt;
      lengths[nextFree] = uint16_t(lengths[previous] + 1);
      // TIFF widens when the next free code reaches 2^width - 1, GIF at 2^width.
      if (++nextFree >= widenAt && width < 12) widenAt = (1 << ++width) - early;
    }
    previousAt = at;
    previous = code;
  };
  while (out < size) {
    const int code = next();
    if (code < 0) break;  // the data ends without an end code
    const size_t at = out, room = size - out;
    if (code < nextFree && unsigned(code - clear) > 1 && previous >= 0) {
      // A literal, or an entry copied from where it was first written (it
      // ends at or before `at`). Short strings move as one 8-byte word when
      // there is room for it; the bytes past the string are overwritten by
      // the strings that follow.
      const uint8_t* from = strings[code];
      const size_t length = lengths[code];
      if (length <= 8 && room >= 8) {
        uint64_t word;
        std::memcpy(&word, from, 8);
        std::memcpy(d + out, &word, 8);
        out += length;
      } else {
        const size_t n = std::min(length, room);  // what does not fit is cut
        std::memmove(d + out, from, n);
        out += n;
      }
      define(code, at);
      continue;
    }
    if (code == clear) {
      width = rootWidth;
      widenAt = (1 << width) - early;
      nextFree = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      // Right after a clear only the literal codes are defined.
      if (code >= clear) throw EInvalidGraphic(FError);
      d[out++] = uint8_t(code);
      previousAt = at;
      previous = code;
      continue;
    }
    if (code != nextFree || nextFree >= kTableSize) throw EInvalidGraphic(FError);
    // KwKwK: the code being defined is the previous string plus its own
    // first byte; the previous string ends where this one starts.
    const size_t length = lengths[previous];
    const size_t n = std::min(length + 1, room);
    std::memcpy(d + out, d + previousAt, std::min(length, n));
    if (n > length) d[out + length] = d[previousAt];
    out += n;
    define(code, at);
  }
  return {in, out};
}

// --- Targa

int TargaPixelBytes(int pixelSize) {
  switch (pixelSize) {
    case 8: return 1;
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
  }
}

TDecodeResult DecodeTargaRLE(std::span<const uint8_t> src, std::span<uint8_t> row, int pixelSize) {
  const size_t bpp = TargaPixelBytes(pixelSize);
  if (!bpp) return {};
  size_t in = 0, out = 0;
  while (out < row.size() && in < src.size()) {
    uint8_t h = src[in++];
    size_t count = size_t(h & 0x7F) + 1;
    if (h & 0x80) {
      if (src.size() - in < bpp) break;
      const uint8_t* px = src.data() + in;
      in += bpp;
      for (size_t i = 0; i < count && out < row.size(); ++i)
        for (size_t b = 0; b < bpp && out < row.size(); ++b) row[out++] = px[b];
    } else {
      size_t bytes = std::min(count * bpp, src.size() - in);
      size_t w = std::min(bytes, row.size() - out);
      std::memcpy(row.data() + out, src.data() + in, w);
      in += bytes;
      out += w;
    }
  }
  return {in, out};
}

size_t EncodeTargaRLE(std::span<const uint8_t> row, std::vector<uint8_t>& target, int width, int bytesPerPixel) {
  const size_t bpp = size_t(bytesPerPixel);
  const size_t start = target.size();
  if (bpp < 1 || bpp > 4 || width <= 0 || row.size() < size_t(width) * bpp) return 0;
  auto same = [&](int a, int b) { return std::memcmp(&row[a * bpp], &row[b * bpp], bpp) == 0; };
  int x = 0;
  while (x < width) {
    int literal = 0;
    if (x == width - 1) {
      literal = 1;
    } else {
      while (x + literal < width && !(x + literal + 1 < width && same(x + literal, x + literal + 1))) ++literal;
    }
    int equal = 1;
    while (x + equal < width && same(x, x + equal)) ++equal;
    literal = std::min(literal, 128);
    equal = std::min(equal, 128);
    if (literal > 0) {
      target.push_back(uint8_t(literal - 1));
      target.insert(target.end(), row.begin() + x * bpp, row.begin() + (x + literal) * bpp);
      x += literal;
    } else {
      target.push_back(uint8_t((equal - 1) | 0x80));
      target.insert(target.end(), row.begin() + x * bpp, row.begin() + (x + 1) * bpp);
      x += equal;
    }
  }
  return target.size() - start;
}
