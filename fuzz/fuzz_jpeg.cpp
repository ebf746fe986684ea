// Fuzz target: the TJPEGImage reader.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzPicture<TJPEGImage>(data, size); }
