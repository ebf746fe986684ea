// The names of the launcher's own INI files, which the main window, its
// searches and the Settings dialog open (Options.ini: SharedNames.h).
#pragma once

inline constexpr char kEntryFile[] = "Mod.ini";              // the entries, beside the program
inline constexpr char kFavouritesFile[] = "favourites.ini";  // the favourites view, beside the program
inline constexpr char kGamesFile[] = "Games.ini";            // the games' folders, beside the program
inline constexpr char kStartCountsFile[] = "brannox2000.ini";  // start counts, in the Windows folder
inline constexpr char kStatsFile[] = "bx2000_stats.ini";       // start counter and colours, in the Windows folder
