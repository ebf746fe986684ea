// The web address finder. A file that exists but cannot be opened counts as
// one without an address, so a locked readme does not stop a menu.
#include "etsiosoite.h"

#include <algorithm>
#include <string_view>

#include "FileUtils.h"
#include "Streams.h"
#include "StringList.h"

namespace {

// The characters that end a sentence or a bracket around an address, and
// are never its own last character.
constexpr std::string_view kTrailing = "\"'),.]}";

// The address that starts at start on line: up to the first blank, without
// the punctuation that closes the sentence around it.
std::string AddressAt(const std::string& line, size_t start) {
  std::string address = line.substr(start, line.find(' ', start) - start);
  while (!address.empty() && kTrailing.find(address.back()) != std::string_view::npos) address.pop_back();
  return address;
}

}  // namespace

std::string FindWebAddress(const std::string& fileName) {
  if (!FileExists(fileName)) return {};
  TStringList lines;
  try {
    lines.LoadFromFile(fileName);
  } catch (const EStreamError&) {
    return {};
  }
  // Secure addresses count as web addresses as plain ones do: the first
  // line with either, from whichever of them comes first on it.
  for (const auto& line : lines.Items()) {
    const size_t start = std::min(line.find("http://"), line.find("https://"));
    if (start != std::string::npos) return AddressAt(line, start);
  }
  for (const auto& line : lines.Items())
    if (const size_t start = line.find("www."); start != std::string::npos) return AddressAt(line, start);
  return {};
}
