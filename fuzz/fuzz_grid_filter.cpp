// Fuzz target: a value and a filter condition (split at the first line feed).
#include <cstdint>
#include <string_view>

#include "ExtGridUtil.h"

namespace {
constexpr size_t MaxInput = 8192;  // matching is text x pattern steps
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > MaxInput) return 0;
  std::string_view in(reinterpret_cast<const char*>(data), size);
  size_t nl = in.find('\n');
  std::string_view value = in.substr(0, nl), condition = nl == in.npos ? std::string_view() : in.substr(nl + 1);
  MatchFilterCondition(value, condition, true);
  MatchFilterCondition(value, condition, false);
  // A pattern of only literal characters matches exactly itself.
  if (condition.find_first_of("*?") == condition.npos && !WildcardMatch(condition, condition)) __builtin_trap();
  return 0;
}
