// Fuzz target: a BMP file read into a bitmap, then written and read again.
#include <cstdint>

#include "Graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TBitmap b;
  try {
    b.LoadFromBytes({data, size});
  } catch (const Exception&) {
    return 0;
  }
  TBitmap again;
  again.LoadFromBytes(b.SaveToBytes());
  if (again.Width() != b.Width() || again.Height() != b.Height()) __builtin_trap();
  return 0;
}
