// Fuzz target: a skin stream listed entry by entry without an object graph,
// as `skinstream dump` shows it (nested lists included).
#include <cstdint>

#include "Filer.h"
#include "Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream s(std::vector<uint8_t>(data, data + size));
  try {
    ReadResourceHeader(s);
    ListComponentStream(s);
  } catch (const Exception&) {
  }
  return 0;
}
