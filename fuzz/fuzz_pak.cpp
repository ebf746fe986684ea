// Fuzz target: any bytes read as a PAK archive's directory give a list or the
// stream's read error, never a crash or an outsized allocation.
#include <cstdint>
#include <vector>

#include "PakExplr.h"
#include "Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (TPakFileType type : {ptAll, ptMaps}) {
    TMemoryStream s(std::vector<uint8_t>(data, data + size));
    TStringList list;
    try {
      ReadPakDirectory(s, type, list);
    } catch (const EReadError&) {
    }
    // Every entry takes 64 bytes of the input and gives at most one name.
    if (size_t(list.Count()) > size / 64) __builtin_trap();
  }
  return 0;
}
