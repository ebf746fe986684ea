// liblist.gam, the file that names a Half-Life mod: lines of a key, a blank
// and a value in double quotes.
#pragma once
#include <array>
#include <string>
#include <vector>

struct TLiblistKey {
  const char* Key;  // with its trailing blank, which takes part in matching
  const char* Hint;
};
const std::array<TLiblistKey, 15>& LiblistKeys();

// Whether a line, trimmed and lower-cased, begins with the key.
bool LiblistLineMatches(const std::string& line, const std::string& key);
// The quoted value of the last matching line that holds a double quote.
std::string LiblistValue(const std::vector<std::string>& lines, const std::string& key);
// Puts value into the last matching line (key, quoted value, then what
// followed the old quoted value), or appends a line for it; an empty value or
// a matching line without a double quote changes nothing.
void SetLiblistValue(std::vector<std::string>& lines, const std::string& key, const std::string& value);
