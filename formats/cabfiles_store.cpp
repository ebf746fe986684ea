// A portable writer of single-folder cabinets, stored or MSZIP, for the
// build machine, where the cabinet library does not run.
#include <limits>

#include "cabfiles.h"
#include "cabfiles_mszip.h"

namespace {

// Sizes and values of the cabinet format's records.
constexpr size_t kHeaderSize = 36;          // CFHEADER without reserve
constexpr size_t kFolderSize = 8;           // CFFOLDER without reserve
constexpr size_t kFileHeaderSize = 16;      // CFFILE before its name
constexpr size_t kDataHeaderSize = 8;       // CFDATA: csum, cbData, cbUncomp
constexpr uint16_t kCompressNone = 0;       // typeCompress tcompTYPE_NONE
constexpr uint16_t kCompressMSZIP = 1;      // typeCompress tcompTYPE_MSZIP
constexpr uint16_t kAttribArchive = 0x20;   // _A_ARCH
constexpr size_t kMaxName = 255;            // CB_MAX_FILENAME less its zero
constexpr uint16_t kMaxCount = 0xFFFF;      // cFiles, cCFData are 16-bit

void Put16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
  out[at] = uint8_t(v);
  out[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16(out, at, uint16_t(v));
  Put16(out, at + 2, uint16_t(v >> 16));
}
size_t Grow(std::vector<uint8_t>& out, size_t n) {
  size_t at = out.size();
  out.resize(at + n);
  return at;
}

// The folder's bytes cut into stored blocks.
std::vector<std::vector<uint8_t>> StoredBlocks(std::span<const uint8_t> folder) {
  std::vector<std::vector<uint8_t>> blocks;
  for (size_t start = 0; start < folder.size(); start += kCabinetBlockSize) {
    auto part = folder.subspan(start, std::min(kCabinetBlockSize, folder.size() - start));
    blocks.emplace_back(part.begin(), part.end());
  }
  return blocks;
}

}  // namespace

std::vector<uint8_t> MakeCabinet(std::span<const TCabinetMember> members, uint16_t dosDate, uint16_t dosTime,
                                 TCompressionType compression) {
  if (compression != typNone && compression != typMSZIP) throw ECABFileError(FCIErrorText(5));
  if (members.empty()) throw ECABFileError("A cabinet needs at least one member");
  if (members.size() > kMaxCount) throw ECABFileError("Too many members for one cabinet");
  uint64_t total = 0;
  for (const auto& m : members) {
    if (!IsSafeMemberName(m.Name) || m.Name.size() > kMaxName)
      throw ECABFileError("Unusable member name: " + m.Name);
    total += m.Bytes.size();
  }
  const uint64_t blocks = (total + kCabinetBlockSize - 1) / kCabinetBlockSize;
  if (blocks > kMaxCount || total > std::numeric_limits<uint32_t>::max() / 2)
    throw ECABFileError("Members too large for one cabinet");

  std::vector<uint8_t> out(kHeaderSize + kFolderSize);
  out[0] = 'M', out[1] = 'S', out[2] = 'C', out[3] = 'F';
  out[24] = 3, out[25] = 1;  // version 1.3
  Put16(out, 26, 1);         // cFolders
  Put16(out, 28, uint16_t(members.size()));
  Put32(out, 16, uint32_t(out.size()));  // coffFiles
  uint32_t offset = 0;
  for (const auto& m : members) {
    size_t at = Grow(out, kFileHeaderSize + m.Name.size() + 1);
    Put32(out, at, uint32_t(m.Bytes.size()));
    Put32(out, at + 4, offset);  // uoffFolderStart; iFolder 0
    Put16(out, at + 10, dosDate);
    Put16(out, at + 12, dosTime);
    Put16(out, at + 14, kAttribArchive);
    std::copy(m.Name.begin(), m.Name.end(), out.begin() + std::ptrdiff_t(at + kFileHeaderSize));
    offset += uint32_t(m.Bytes.size());
  }

  Put32(out, kHeaderSize, uint32_t(out.size()));  // coffCabStart
  Put16(out, kHeaderSize + 4, uint16_t(blocks));
  Put16(out, kHeaderSize + 6, compression == typMSZIP ? kCompressMSZIP : kCompressNone);
  // The folder is the members' bytes end to end, cut into 32 KiB blocks.
  std::vector<uint8_t> stream;
  stream.reserve(size_t(total));
  for (const auto& m : members) stream.insert(stream.end(), m.Bytes.begin(), m.Bytes.end());
  auto blockData = compression == typMSZIP ? MakeMSZIPBlocks(stream) : StoredBlocks(stream);
  size_t unpacked = stream.size();
  for (const auto& data : blockData) {
    size_t n = std::min(kCabinetBlockSize, unpacked);
    unpacked -= n;
    if (data.size() > 0xFFFF) throw ECABFileError(FCIErrorText(8));
    size_t at = Grow(out, kDataHeaderSize + data.size());
    Put16(out, at + 4, uint16_t(data.size()));
    Put16(out, at + 6, uint16_t(n));
    std::copy(data.begin(), data.end(), out.begin() + std::ptrdiff_t(at + kDataHeaderSize));
    Put32(out, at, CabinetBlockChecksum(std::span<const uint8_t>(out).subspan(at, kDataHeaderSize + data.size())));
  }
  Put32(out, 8, uint32_t(out.size()));  // cbCabinet
  return out;
}
