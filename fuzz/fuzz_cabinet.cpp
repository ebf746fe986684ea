// Fuzzes the cabinet structure check: any bytes give a verdict, never a crash.
#include <cstdint>
#include <span>

#include "cabfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    CheckCabinetBytes(std::span<const uint8_t>(data, size), "fuzz.cab");
  } catch (const ECABFileError&) {
  }
  CabinetBlockChecksum(std::span<const uint8_t>(data, size));
  return 0;
}
