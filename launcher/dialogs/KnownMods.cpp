// The known-mod list, compiled in from knownmods.txt.
#include "KnownMods.h"

#include <unordered_set>

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

bool IsKnownMod(const std::string& folder) {
  static const std::unordered_set<std::string> lookup = [] {
    std::unordered_set<std::string> set;
    for (const std::string& name : KnownMods()) set.insert(LowerCase(name));
    return set;
  }();
  return lookup.count(LowerCase(folder)) != 0;
}
