// A strict look at a cabinet's own structure before the cabinet library runs
// over it: a truncated file, a table that points outside the file or a data
// block whose checksum fails is reported as ECABFileError, whatever the
// library would make of it.
//
// Policy: strict for single cabinets without reserved areas, which is what
// skin packages are. Cabinets of a set (previous or next cabinet named) and
// cabinets with reserved areas are left to the library after the header check.
#include <cstdint>
#include <span>

#include "ByteReader.h"
#include "cabfiles.h"

namespace {

// Field offsets of the cabinet header (CFHEADER).
constexpr size_t kHeaderSize = 36;        // fixed part of CFHEADER
constexpr size_t kFolderSize = 8;         // CFFOLDER without reserve
constexpr size_t kDataHeaderSize = 8;     // CFDATA: csum, cbData, cbUncomp
constexpr size_t kFileHeaderSize = 16;    // CFFILE before its name
constexpr uint16_t kFlagPrevCabinet = 0x0001, kFlagNextCabinet = 0x0002, kFlagReservePresent = 0x0004;
constexpr uint32_t kMaxBlockUncompressed = 32768;  // a data block unpacks to at most 32 KiB
constexpr uint16_t kFirstContinuedFolder = 0xFFFD;  // iFolder values of members split across cabinets

class ECabinetBytes : public ECABFileError { using ECABFileError::ECABFileError; };

// The checksum of a data block: the 32-bit little-endian words XORed, the
// 1 to 3 bytes left over taken first byte highest.
uint32_t BlockChecksum(std::span<const uint8_t> bytes, uint32_t seed) {
  uint32_t sum = seed;
  size_t words = bytes.size() / 4, i = 0;
  for (size_t w = 0; w < words; ++w, i += 4)
    sum ^= uint32_t(bytes[i]) | uint32_t(bytes[i + 1]) << 8 | uint32_t(bytes[i + 2]) << 16 |
           uint32_t(bytes[i + 3]) << 24;
  uint32_t tail = 0;
  for (; i < bytes.size(); ++i) tail = tail << 8 | bytes[i];
  return sum ^ tail;
}

}  // namespace

uint32_t CabinetBlockChecksum(std::span<const uint8_t> block) {
  // The sum covers the data, then the block's cbData and cbUncomp fields.
  if (block.size() < kDataHeaderSize) return 0;
  return BlockChecksum(block.subspan(4, 4), BlockChecksum(block.subspan(kDataHeaderSize), 0));
}

void CheckCabinetBytes(std::span<const uint8_t> bytes, const std::string& name) {
  const std::string truncated = FDIErrorText(12) + ": " + name;
  const std::string corrupt = FDIErrorText(4) + ": " + name;
  TByteReader<ECabinetBytes> r(bytes, truncated);
  r.Need(kHeaderSize);
  if (bytes[0] != 'M' || bytes[1] != 'S' || bytes[2] != 'C' || bytes[3] != 'F')
    throw ECABFileError(FDIErrorText(2) + ": " + name);
  r.Seek(8);
  uint32_t cbCabinet = r.U32LE();
  r.Seek(16);
  uint32_t coffFiles = r.U32LE();
  r.Seek(26);
  uint16_t cFolders = r.U16LE(), cFiles = r.U16LE(), flags = r.U16LE();
  if (cbCabinet > bytes.size()) throw ECABFileError(truncated);
  if (cbCabinet < kHeaderSize) throw ECABFileError(corrupt);
  if (flags & (kFlagPrevCabinet | kFlagNextCabinet | kFlagReservePresent)) return;

  // From here every offset must stay inside the cabinet's own length.
  TByteReader<ECabinetBytes> cab(bytes.first(cbCabinet), corrupt);
  std::vector<uint64_t> folderSizes;  // uncompressed bytes per folder
  for (uint16_t f = 0; f < cFolders; ++f) {
    cab.Seek(kHeaderSize + size_t(f) * kFolderSize);
    uint32_t coffCabStart = cab.U32LE();
    uint16_t cCFData = cab.U16LE();
    cab.U16LE();  // typeCompress: the library knows its types
    cab.Seek(coffCabStart);
    uint64_t unpacked = 0;
    for (uint16_t d = 0; d < cCFData; ++d) {
      size_t start = cab.Offset();
      uint32_t csum = cab.U32LE();
      uint16_t cbData = cab.U16LE(), cbUncomp = cab.U16LE();
      cab.Skip(cbData);
      if (cbUncomp > kMaxBlockUncompressed) throw ECABFileError(corrupt);
      if (csum != 0 && csum != CabinetBlockChecksum(bytes.subspan(start, kDataHeaderSize + cbData)))
        throw ECABFileError(corrupt);
      unpacked += cbUncomp;
    }
    folderSizes.push_back(unpacked);
  }

  cab.Seek(coffFiles);
  for (uint16_t i = 0; i < cFiles; ++i) {
    uint32_t cbFile = cab.U32LE();
    uint32_t uoffFolderStart = cab.U32LE();
    uint16_t iFolder = cab.U16LE();
    cab.Skip(kFileHeaderSize - 10);  // date, time, attribs
    if (iFolder >= kFirstContinuedFolder || iFolder >= folderSizes.size()) throw ECABFileError(corrupt);
    if (uint64_t(uoffFolderStart) + cbFile > folderSizes[iFolder]) throw ECABFileError(corrupt);
    // The name ends with a zero inside the cabinet.
    while (cab.U8() != 0) {
    }
  }
}
