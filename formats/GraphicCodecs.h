// The decompressors that the picture readers share (run-length and LZW codecs
// of Targa, TIFF, PCX, SGI, Dr. Halo CUT, GIF and Wavefront RLA) and the Targa
// run-length encoder. Each works on one block that the reader has in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// What a decoder took from its source and gave to its destination.
struct TDecodeResult {
  size_t Consumed = 0;
  size_t Written = 0;
};

class TDecoder {
public:
  virtual ~TDecoder() = default;
  // Expands packed bytes into dest; never writes past dest.size() (a packet
  // that would pass it is cut there) and never reads past source.size().
  virtual TDecodeResult Decode(std::span<const uint8_t> source, std::span<uint8_t> dest) = 0;
};

class TPackbitsRLE : public TDecoder {
public:
  TDecodeResult Decode(std::span<const uint8_t> source, std::span<uint8_t> dest) override;
};

// A run cut at the end of dest goes on at the start of the next call's dest,
// so a picture can be expanded a row at a time as if in one piece.
class TPCXRLE : public TDecoder {
public:
  TDecodeResult Decode(std::span<const uint8_t> source, std::span<uint8_t> dest) override;

private:
  size_t FPending = 0;  // bytes of value FValue still to come
  uint8_t FValue = 0;
};

// sampleSize 1 or 2; two-byte samples give one byte (their high byte) each.
class TSGIRLE : public TDecoder {
public:
  explicit TSGIRLE(int sampleSize) : FSampleSize(sampleSize) {}
  TDecodeResult Decode(std::span<const uint8_t> source, std::span<uint8_t> dest) override;

private:
  int FSampleSize;
};

class TCUTRLE : public TDecoder {
public:
  TDecodeResult Decode(std::span<const uint8_t> source, std::span<uint8_t> dest) override;
};

class TRLADecoder : public TDecoder {
public:
  TDecodeResult Decode(std::span<const uint8_t> source, std::span<uint8_t> dest) override;
};

// The LZW string table and code reader shared by TIFF and GIF.
class TLZWDecoder : public TDecoder {
public:
  // Decodes one whole stream from its first code; nothing carries over
  // between calls. Short strings are moved eight bytes at a time: up to 7
  // bytes of dest past what it wrote may be overwritten too (never past
  // dest.size()).
  TDecodeResult Decode(std::span<const uint8_t> source, std::span<uint8_t> dest) override;

protected:
  // rootBits: bits of the literal codes (8 for TIFF, the GIF code size);
  // lsbFirst: GIF packs codes from the low bit; earlyChange: TIFF widens the
  // code one entry before the table reaches 2^width.
  TLZWDecoder(int rootBits, bool lsbFirst, bool earlyChange, std::string error);

private:
  template <bool LsbFirst>
  TDecodeResult DecodeCodes(std::span<const uint8_t> source, std::span<uint8_t> dest);
  static constexpr int kTableSize = 4096;  // 12-bit codes
  int FRootBits;
  bool FLsbFirst, FEarlyChange;
  std::string FError;
  int FClear, FEnd;
  // An entry is the previous code's string and the next string's first byte,
  // which stand one after the other in the output: the table keeps where each
  // string starts (in the output of the running Decode; a literal's in a
  // table of its own) and its length.
  const uint8_t* FString[kTableSize];
  uint16_t FLength[kTableSize];
};

class TTIFFLZW : public TLZWDecoder {
public:
  TTIFFLZW() : TLZWDecoder(8, false, true, "TIF LZW: invalid opcode.") {}
};

// codeSize: the GIF's initial code size (2..11; the reader checks it).
class TGIFLZW : public TLZWDecoder {
public:
  explicit TGIFLZW(int codeSize) : TLZWDecoder(codeSize, true, false, "GIF LZW: invalid opcode.") {}
};

// Bytes of a Targa pixel of pixelSize bits (8, 15, 16, 24, 32), else 0.
int TargaPixelBytes(int pixelSize);
// Targa run-length rows. pixelSize in bits (8, 15, 16, 24, 32); other sizes
// decode nothing. Fills row up to its end: a packet that runs past it is cut.
TDecodeResult DecodeTargaRLE(std::span<const uint8_t> source, std::span<uint8_t> row, int pixelSize);
// Appends the packets of one row of width pixels of bytesPerPixel (1..4)
// bytes to target; returns the number of bytes appended. Packets never cross
// the end of the row.
size_t EncodeTargaRLE(std::span<const uint8_t> row, std::vector<uint8_t>& target, int width, int bytesPerPixel);
