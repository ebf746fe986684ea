// A portable writer of single-folder cabinets, stored or MSZIP, for the
// build machine, where the cabinet library does not run.
#include <limits>

#include "cabfiles.h"
#include "cabfiles_layout.h"
#include "cabfiles_mszip.h"

namespace {

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

  // One folder, right after the header; the members, then the data blocks.
  constexpr size_t folder = CFHEADER::kSize;
  std::vector<uint8_t> out(CFHEADER::kSize + CFFOLDER::kSize);
  std::copy_n(CFHEADER::kSignature, sizeof CFHEADER::kSignature, out.begin() + CFHEADER::signature);
  out[CFHEADER::versionMinor] = 3, out[CFHEADER::versionMajor] = 1;
  Put16(out, CFHEADER::cFolders, 1);
  Put16(out, CFHEADER::cFiles, uint16_t(members.size()));
  Put32(out, CFHEADER::coffFiles, uint32_t(out.size()));
  uint32_t offset = 0;
  for (const auto& m : members) {
    size_t at = Grow(out, CFFILE::kSize + m.Name.size() + 1);
    Put32(out, at + CFFILE::cbFile, uint32_t(m.Bytes.size()));
    Put32(out, at + CFFILE::uoffFolderStart, offset);  // iFolder 0
    Put16(out, at + CFFILE::date, dosDate);
    Put16(out, at + CFFILE::time, dosTime);
    Put16(out, at + CFFILE::attribs, CFFILE::kArchive);
    std::copy(m.Name.begin(), m.Name.end(), out.begin() + std::ptrdiff_t(at + CFFILE::szName));
    offset += uint32_t(m.Bytes.size());
  }

  Put32(out, folder + CFFOLDER::coffCabStart, uint32_t(out.size()));
  Put16(out, folder + CFFOLDER::cCFData, uint16_t(blocks));
  Put16(out, folder + CFFOLDER::typeCompress,
        compression == typMSZIP ? CFFOLDER::tcompTYPE_MSZIP : CFFOLDER::tcompTYPE_NONE);
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
    size_t at = Grow(out, CFDATA::kSize + data.size());
    Put16(out, at + CFDATA::cbData, uint16_t(data.size()));
    Put16(out, at + CFDATA::cbUncomp, uint16_t(n));
    std::copy(data.begin(), data.end(), out.begin() + std::ptrdiff_t(at + CFDATA::ab));
    Put32(out, at + CFDATA::csum,
          CabinetBlockChecksum(std::span<const uint8_t>(out).subspan(at, CFDATA::kSize + data.size())));
  }
  Put32(out, CFHEADER::cbCabinet, uint32_t(out.size()));
  return out;
}
