// The known-mod list, compiled in from knownmods.txt.
#include "KnownMods.h"

#include <unordered_map>

#include "SysUtils.h"

namespace {
const char* const KnownModNames[] = {
#include "knownmods.inc"
};
}  // namespace

const std::vector<std::string>& KnownMods() {
  static const std::vector<std::string> list(std::begin(KnownModNames), std::end(KnownModNames));
  return list;
}

size_t KnownModIndex(const std::string& folder) {
  // Built once; the names are lower case already.
  static const std::unordered_map<std::string, size_t> index = [] {
    std::unordered_map<std::string, size_t> map;
    const auto& list = KnownMods();
    for (size_t i = 0; i < list.size(); ++i) map.emplace(list[i], i);
    return map;
  }();
  auto it = index.find(LowerCase(folder));
  return it == index.end() ? NotKnownMod : it->second;
}

bool IsKnownMod(const std::string& folder) { return KnownModIndex(folder) != NotKnownMod; }
