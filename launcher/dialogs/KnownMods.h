// The built-in list of known mod folder names (knownmods.txt).
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// In the file's order; lower case.
const std::vector<std::string>& KnownMods();
// Exact match without regard to letter case.
bool IsKnownMod(const std::string& folder);
// The position of a folder name in the list, or NotKnownMod.
inline constexpr size_t NotKnownMod = size_t(-1);
size_t KnownModIndex(const std::string& folder);
