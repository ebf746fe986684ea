// Fuzzes the mask data checker and the mask file reader: any bytes, never a crash.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <unistd.h>

#include "extMaskgenerator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  CheckMaskData(bytes);
  if (size >= 4) CheckMaskData(bytes.subspan(4));
  static const std::string path = "/tmp/fuzz_maskfile_" + std::to_string(getpid()) + ".msk";
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    auto region = ReadMaskFile(path);
    if (region && !region->empty() && !CheckMaskData(*region)) __builtin_trap();
  }
  return 0;
}
