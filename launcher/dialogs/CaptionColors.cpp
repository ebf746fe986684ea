// The caption-colour rule of the secondary windows.
#include "CaptionColors.h"

#include "OptionsSection.h"
#include "Unit3.h"

TGradientCaption* MakeCaptionBar(TDialogForm& form, const TIniFile& options, std::pair<TColor, TColor> skinColors) {
  if (!options.ReadBool(kOptions, "Colorcap", true)) return nullptr;
  auto* cap = new TGradientCaption(&form);
  cap->Name = "Cap1";
  TColor left = skinColors.second, right = skinColors.first;
  if (options.ReadBool(kOptions, "usercolors", false)) {
    TColor def = StringToColor(kCaptionColorDefault);
    right = ReadColorOption(options, "customcolor", def);
    left = ReadColorOption(options, "customcolor2", def);
  }
  cap->ColorLeftActive = cap->ColorLeftInActive = left;
  cap->ColorRightActive = cap->ColorRightInActive = right;
  cap->Enabled = geAlways;
  cap->RepaintCaption();
  return cap;
}
