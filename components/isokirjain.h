// Upper-casing the first character of a text.
#pragma once
#include <string>

// The first character upper-cased by the system's ANSI code page rules (so
// "äpeli" gives "Äpeli"), the rest unchanged.
std::string CapitalizeFirst(const std::string& text);
