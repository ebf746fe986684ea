// Fuzz target: the TTIFFGraphic reader.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzPicture<TTIFFGraphic>(data, size); }
