// MSZIP compression of a cabinet folder through zlib.
#include "cabfiles_mszip.h"

#include <zlib.h>

#include "cabfiles.h"

namespace {

// A raw deflate stream (no zlib header or trailer), freed with its owner.
class TRawDeflate {
public:
  TRawDeflate() {
    if (deflateInit2(&FStream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
      throw ECABFileError("Insufficient memory in FCI");
  }
  ~TRawDeflate() { deflateEnd(&FStream); }
  TRawDeflate(const TRawDeflate&) = delete;
  TRawDeflate& operator=(const TRawDeflate&) = delete;

  // One complete deflate stream of `input`, whose back references may reach
  // into `dictionary` (the bytes just before it).
  std::vector<uint8_t> Compress(std::span<const uint8_t> input, std::span<const uint8_t> dictionary) {
    Check(deflateReset(&FStream));
    if (!dictionary.empty())
      Check(deflateSetDictionary(&FStream, dictionary.data(), uInt(dictionary.size())));
    std::vector<uint8_t> out(deflateBound(&FStream, uLong(input.size())));
    FStream.next_in = const_cast<Bytef*>(input.data());
    FStream.avail_in = uInt(input.size());
    FStream.next_out = out.data();
    FStream.avail_out = uInt(out.size());
    if (deflate(&FStream, Z_FINISH) != Z_STREAM_END) throw ECABFileError("Failure compressing data");
    out.resize(out.size() - FStream.avail_out);
    return out;
  }

private:
  static void Check(int result) {
    if (result != Z_OK) throw ECABFileError("Failure compressing data");
  }
  z_stream FStream{};
};

}  // namespace

std::vector<std::vector<uint8_t>> MakeMSZIPBlocks(std::span<const uint8_t> folder) {
  TRawDeflate deflater;
  std::vector<std::vector<uint8_t>> blocks;
  for (size_t start = 0; start < folder.size(); start += kCabinetBlockSize) {
    size_t n = std::min(kCabinetBlockSize, folder.size() - start);
    size_t history = std::min(kCabinetBlockSize, start);
    std::vector<uint8_t> block = {'C', 'K'};
    auto packed = deflater.Compress(folder.subspan(start, n), folder.subspan(start - history, history));
    block.insert(block.end(), packed.begin(), packed.end());
    blocks.push_back(std::move(block));
  }
  return blocks;
}
