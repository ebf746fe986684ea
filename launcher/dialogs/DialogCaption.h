// The caption bar of the launcher's secondary windows, coloured in one place.
#pragma once
#include <functional>
#include <utility>

#include "Colors.h"

class TDialogForm;
class TGradientCaption;
class TIniFile;

// Where the caption colours come from: Options.ini [Asetukset] and the
// current skin's (selected, unselected) row colours. The main window sets it
// once its files are open.
struct TCaptionSource {
  const TIniFile* Options = nullptr;  // not owned
  std::function<std::pair<TColor, TColor>()> SkinColors;
};
void SetCaptionSource(TCaptionSource source);

// The caption colours that the user has not chosen.
inline constexpr char kCaptionColorDefault[] = "$001A91D6";

// Puts a new caption bar (named Cap1, always painted as a gradient) on the
// form and returns it, or returns null when Colorcap is false: with
// usercolors, customcolor on the right and customcolor2 on the left; else
// the skin's (selected, unselected) colours on the right and left.
TGradientCaption* MakeCaptionBar(TDialogForm& form, const TIniFile& options, std::pair<TColor, TColor> skinColors);

// Gives a secondary window its gradient caption bar (owned by the form):
// with usercolors, customcolor on the right and customcolor2 on the left
// (both "$001A91D6" by default); else the skin's unselected colour on the
// left and its selected one on the right. None when Colorcap is false or no
// source is set (the system's plain caption stays).
TGradientCaption* ApplyCaptionBar(TDialogForm& form);
