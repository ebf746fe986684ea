// An INI file full of what the profile functions take their own way: text
// before any section, blanks and tabs, quotes, an end-of-file mark, doubled
// names, a broken header, LF line ends and a last line without one.
#pragma once

inline constexpr const char* kAwkwardIni =
    "loose=before any section\r\n"
    "[Quake]\r\n"
    "Mod = ctf \r\n"
    "  Game=quake\x1A\r\n"
    "Bitmap=\"quoted logo.bmp\"\r\n"
    "single='x'\r\n"
    "lonequote=\"\r\n"
    "mixed=\"a'\r\n"
    "empty=\r\n"
    "novalue\r\n"
    ";comment=yes\r\n"
    "MOD=second of the same name\r\n"
    "eq=a=b\r\n"
    "\r\n"
    "[quake]\r\n"
    "Mod=second section of the same name\r\n"
    "Extra=only here\r\n"
    "[ spaced ]\r\n"
    "\tk\t=\tv\t\r\n"
    "[broken\r\n"
    "[Team Fortress]\n"
    "Mod=tf\n"
    "=nameless\n"
    "after=the nameless key\n"
    "[Dup]\r\na=1\r\n[X1]\r\n[dup]\r\nB=2\r\n"
    "[last]\n"
    "tail=no line end";
