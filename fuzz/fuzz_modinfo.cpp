// Fuzz target: any text read as a mod-info file and as a liblist.gam.
#include <cstdint>
#include <string>

#include "ModInfoText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TModInfo info;
  if (ParseModInfo(text, info) && info.Name.find_first_not_of(" \t") == std::string::npos) __builtin_trap();
  TLiblistValues v = ParseLiblistText(text);
  if ((v.HasGame && v.Game.empty()) || (v.HasUrl && v.Url.empty())) __builtin_trap();
  return 0;
}
