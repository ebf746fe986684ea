// The pictures of game and entry logos: a ".bmp" as it is, an ".ico" or the
// first icon of an ".exe" drawn onto a bitmap, and the "unknown" fallback.
#pragma once
#include <string>

#include "Graphics.h"

// The colour that an icon's transparent pixels take on its bitmap.
inline constexpr TColor kLogoIconMarker = TColor(0x00123456);

// Loads a logo file into bitmap; true when it was one. transparent tells
// whether the bitmap came from an icon (its marker colour to be left out).
bool LoadLogoPicture(const std::string& path, TBitmap& bitmap, bool& transparent);
// "<appDir>Logos\unknown.bmp", or the program's bitmap "UNKNOWN", or empty.
void LoadUnknownLogoPicture(const std::string& appDir, TBitmap& bitmap);
// A logo value without a folder names a file of "<appDir>Logos\".
std::string LogoPath(const std::string& appDir, const std::string& logo);
