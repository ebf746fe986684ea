// The built-in list of known mod folder names (knownmods.txt).
#pragma once
#include <string>
#include <vector>

// In the file's order; lower case.
const std::vector<std::string>& KnownMods();
// Exact match without regard to letter case.
bool IsKnownMod(const std::string& folder);
