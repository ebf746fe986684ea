// The caption bar of the launcher's secondary windows: coloured from
// Options.ini [Asetukset] (usercolors, customcolor, customcolor2) or else
// from the current skin's list colours; none while Colorcap is off.
#pragma once
#include <utility>

#include "GradCap.h"
#include "IniFiles.h"

// The caption colours that the user has not chosen.
inline constexpr char kCaptionColorDefault[] = "$001A91D6";

// Puts a new caption bar (named Cap1, always painted as a gradient) on the
// form and returns it, or returns null when Colorcap is false. skinColors:
// the skin's selected and unselected list colours.
TGradientCaption* MakeCaptionBar(TDialogForm& form, const TIniFile& options, std::pair<TColor, TColor> skinColors);
