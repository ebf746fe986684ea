// Fuzz target: the Targa reader; a decoded picture is also written as Targa
// (packed and raw) and read back.
#include "FuzzPicture.h"
#include "Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzPicture<TTargaGraphic>(data, size);
  TTargaGraphic t;
  try {
    t.LoadFromMemory({data, size});
  } catch (const Exception&) {
    return 0;
  }
  for (bool packed : {true, false}) {
    TMemoryStream s;
    t.WriteTarga(s, packed);
    if (t.Empty()) continue;
    TTargaGraphic back;
    back.LoadFromMemory(s.Bytes());
    if (back.Width() != t.Width() || back.Height() != t.Height()) __builtin_trap();
  }
  return 0;
}
