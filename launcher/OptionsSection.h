// The section of the launcher's INI files that holds its options (and, in
// "bx2000_stats.ini", the start counter and the day of installation).
#pragma once

inline constexpr char kOptions[] = "Asetukset";
