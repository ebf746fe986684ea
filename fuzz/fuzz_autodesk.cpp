// Fuzz target: the TAutodeskGraphic reader.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzPicture<TAutodeskGraphic>(data, size); }
