// The launcher's options file and the names in it that the skin editor also
// writes: "Test skin" switches the launcher to the skin just compiled.
#pragma once

inline constexpr char kOptionsFile[] = "Options.ini";
// The section of the options (also of "bx2000_stats.ini", for the start
// counter and the day of installation).
inline constexpr char kOptions[] = "Asetukset";
inline constexpr char kSkinKey[] = "Nahka";          // the skin package's file name
inline constexpr char kRandomSkinKey[] = "random";  // a random skin at each start
