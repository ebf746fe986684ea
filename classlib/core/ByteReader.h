// A bounded reader over a byte span: every read is checked against what is
// left, and a short read raises the format's own error.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

template <class Error>
class TByteReader {
public:
  TByteReader(std::span<const uint8_t> bytes, std::string message)
      : FBytes(bytes), FMessage(std::move(message)) {}

  size_t Size() const { return FBytes.size(); }
  size_t Offset() const { return FOff; }
  size_t Left() const { return FBytes.size() - FOff; }
  void Seek(size_t off) { if (off > FBytes.size()) Fail(); FOff = off; }
  void Skip(size_t n) { Need(n); FOff += n; }
  // Raises unless n bytes are left; written so that it cannot overflow.
  void Need(size_t n) const { if (n > FBytes.size() - FOff) Fail(); }
  [[noreturn]] void Fail() const { throw Error(FMessage); }

  uint8_t U8() { Need(1); return FBytes[FOff++]; }
  uint16_t U16LE() { Need(2); uint16_t v = uint16_t(FBytes[FOff] | FBytes[FOff + 1] << 8); FOff += 2; return v; }
  uint16_t U16BE() { Need(2); uint16_t v = uint16_t(FBytes[FOff] << 8 | FBytes[FOff + 1]); FOff += 2; return v; }
  uint32_t U32LE() {
    Need(4);
    const uint8_t* p = FBytes.data() + FOff;
    FOff += 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }
  uint32_t U32BE() {
    Need(4);
    const uint8_t* p = FBytes.data() + FOff;
    FOff += 4;
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
  }
  int32_t I32LE() { return int32_t(U32LE()); }
  std::span<const uint8_t> Bytes(size_t n) { Need(n); auto s = FBytes.subspan(FOff, n); FOff += n; return s; }
  std::span<const uint8_t> Rest() const { return FBytes.subspan(FOff); }

private:
  std::span<const uint8_t> FBytes;
  size_t FOff = 0;
  std::string FMessage;
};
