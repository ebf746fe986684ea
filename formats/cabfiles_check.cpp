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
#include "cabfiles_layout.h"

namespace {

class ECabinetBytes : public ECABFileError { using ECABFileError::ECABFileError; };
using TCabinetReader = TByteReader<ECabinetBytes>;

// The field at `at` (a record's start plus the field's offset); the reader
// then stands after it.
uint32_t U32At(TCabinetReader& r, size_t at) {
  r.Seek(at);
  return r.U32LE();
}
uint16_t U16At(TCabinetReader& r, size_t at) {
  r.Seek(at);
  return r.U16LE();
}

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
  if (block.size() < CFDATA::kSize) return 0;
  return BlockChecksum(block.subspan(CFDATA::cbData, 4), BlockChecksum(block.subspan(CFDATA::ab), 0));
}

void CheckCabinetBytes(std::span<const uint8_t> bytes, const std::string& name) {
  const std::string truncated = FDIErrorText(12) + ": " + name;
  const std::string corrupt = FDIErrorText(4) + ": " + name;
  TCabinetReader r(bytes, truncated);
  r.Need(CFHEADER::kSize);
  if (!CFHEADER::HasSignature(bytes))
    throw ECABFileError(FDIErrorText(2) + ": " + name);
  uint32_t cbCabinet = U32At(r, CFHEADER::cbCabinet);
  uint32_t coffFiles = U32At(r, CFHEADER::coffFiles);
  uint16_t cFolders = U16At(r, CFHEADER::cFolders);
  uint16_t cFiles = U16At(r, CFHEADER::cFiles);
  uint16_t flags = U16At(r, CFHEADER::flags);
  if (cbCabinet > bytes.size()) throw ECABFileError(truncated);
  if (cbCabinet < CFHEADER::kSize) throw ECABFileError(corrupt);
  if (flags & (CFHEADER::cfhdrPREV_CABINET | CFHEADER::cfhdrNEXT_CABINET | CFHEADER::cfhdrRESERVE_PRESENT)) return;

  // From here every offset must stay inside the cabinet's own length.
  TCabinetReader cab(bytes.first(cbCabinet), corrupt);
  std::vector<uint64_t> folderSizes;  // uncompressed bytes per folder
  for (uint16_t f = 0; f < cFolders; ++f) {
    const size_t folder = CFHEADER::kSize + size_t(f) * CFFOLDER::kSize;
    uint32_t coffCabStart = U32At(cab, folder + CFFOLDER::coffCabStart);
    uint16_t cCFData = U16At(cab, folder + CFFOLDER::cCFData);
    // typeCompress is left to the library, which knows its types.
    cab.Seek(coffCabStart);
    uint64_t unpacked = 0;
    for (uint16_t d = 0; d < cCFData; ++d) {
      const size_t start = cab.Offset();
      uint32_t csum = U32At(cab, start + CFDATA::csum);
      uint16_t cbData = U16At(cab, start + CFDATA::cbData);
      uint16_t cbUncomp = U16At(cab, start + CFDATA::cbUncomp);
      cab.Seek(start + CFDATA::ab);
      cab.Skip(cbData);
      if (cbUncomp > CFDATA::kMaxUncomp) throw ECABFileError(corrupt);
      if (csum != 0 && csum != CabinetBlockChecksum(bytes.subspan(start, CFDATA::kSize + cbData)))
        throw ECABFileError(corrupt);
      unpacked += cbUncomp;
    }
    folderSizes.push_back(unpacked);
  }

  cab.Seek(coffFiles);
  for (uint16_t i = 0; i < cFiles; ++i) {
    const size_t file = cab.Offset();
    uint32_t cbFile = U32At(cab, file + CFFILE::cbFile);
    uint32_t uoffFolderStart = U32At(cab, file + CFFILE::uoffFolderStart);
    uint16_t iFolder = U16At(cab, file + CFFILE::iFolder);
    cab.Seek(file + CFFILE::szName);  // past date, time, attribs
    if (iFolder >= CFFILE::ifoldCONTINUED_FROM_PREV || iFolder >= folderSizes.size()) throw ECABFileError(corrupt);
    if (uint64_t(uoffFolderStart) + cbFile > folderSizes[iFolder]) throw ECABFileError(corrupt);
    // The name ends with a zero inside the cabinet.
    while (cab.U8() != 0) {
    }
  }
}
