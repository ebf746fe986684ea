// Fuzz target: a BMP stream read into a TDIB, run through the filters, saved
// and read again.
#include <cstdint>

#include "DIB.h"
#include "Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream in(std::vector<uint8_t>(data, data + size));
  TDIB d;
  try {
    d.LoadFromStream(in);
  } catch (const Exception&) {
    return 0;
  }
  if (d.Empty()) return 0;
  d.InvertColors();
  d.Mirror(true, true);
  TDIB grey;
  grey.Assign(d);
  grey.Greyscale(size % 2 ? 8 : 1);
  TMemoryStream out;
  grey.SaveToStream(out);
  out.SetPosition(0);
  TDIB back;
  back.LoadFromStream(out);
  if (back.Width() != d.Width() || back.Height() != d.Height()) __builtin_trap();
  return 0;
}
