// Fuzz target: a skin stream read onto a skin.
#include <cstdint>

#include "Streams.h"
#include "brannoxskin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream s(std::vector<uint8_t>(data, data + size));
  TBXSkin skin(nullptr);
  try {
    skin.LoadFromStream(s);
  } catch (const Exception&) {
  }
  return 0;
}
