// Where the fields of a cabinet's records lie: the offsets of CFHEADER,
// CFFOLDER, CFFILE and CFDATA fields from the start of their record, the
// records' fixed sizes (without reserved areas) and the values we use.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace CFHEADER {
constexpr size_t signature = 0;      // "MSCF"
constexpr size_t reserved1 = 4;
constexpr size_t cbCabinet = 8;      // u32: the whole cabinet's size
constexpr size_t reserved2 = 12;
constexpr size_t coffFiles = 16;     // u32: where the first CFFILE is
constexpr size_t reserved3 = 20;
constexpr size_t versionMinor = 24;  // u8
constexpr size_t versionMajor = 25;  // u8
constexpr size_t cFolders = 26;      // u16
constexpr size_t cFiles = 28;        // u16
constexpr size_t flags = 30;         // u16
constexpr size_t setID = 32;         // u16
constexpr size_t iCabinet = 34;      // u16
constexpr size_t kSize = 36;         // the fixed part; the folders follow
constexpr char kSignature[4] = {'M', 'S', 'C', 'F'};
// flags
constexpr uint16_t cfhdrPREV_CABINET = 0x0001;
constexpr uint16_t cfhdrNEXT_CABINET = 0x0002;
constexpr uint16_t cfhdrRESERVE_PRESENT = 0x0004;
// Whether the bytes start with a cabinet's signature.
inline bool HasSignature(std::span<const uint8_t> bytes) {
  return bytes.size() >= signature + sizeof kSignature &&
         std::memcmp(bytes.data() + signature, kSignature, sizeof kSignature) == 0;
}
}  // namespace CFHEADER

namespace CFFOLDER {
constexpr size_t coffCabStart = 0;   // u32: where its first CFDATA is
constexpr size_t cCFData = 4;        // u16
constexpr size_t typeCompress = 6;   // u16
constexpr size_t kSize = 8;
// typeCompress
constexpr uint16_t tcompTYPE_NONE = 0;
constexpr uint16_t tcompTYPE_MSZIP = 1;
}  // namespace CFFOLDER

namespace CFFILE {
constexpr size_t cbFile = 0;           // u32: uncompressed size
constexpr size_t uoffFolderStart = 4;  // u32: where it starts in its folder's data
constexpr size_t iFolder = 8;          // u16
constexpr size_t date = 10;            // u16
constexpr size_t time = 12;            // u16
constexpr size_t attribs = 14;         // u16
constexpr size_t szName = 16;          // zero-terminated
constexpr size_t kSize = 16;           // before the name
// iFolder values from here up name folders continued across cabinets.
constexpr uint16_t ifoldCONTINUED_FROM_PREV = 0xFFFD;
constexpr uint16_t kArchive = 0x20;    // attribs: _A_ARCH
}  // namespace CFFILE

namespace CFDATA {
constexpr size_t csum = 0;       // u32: checksum of what follows it
constexpr size_t cbData = 4;     // u16: compressed bytes
constexpr size_t cbUncomp = 6;   // u16: bytes they unpack to
constexpr size_t ab = 8;         // the data
constexpr size_t kSize = 8;      // before the data
constexpr uint32_t kMaxUncomp = 32768;  // a block unpacks to at most 32 KiB
}  // namespace CFDATA
