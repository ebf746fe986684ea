// The secondary windows' caption bar.
#include "DialogCaption.h"

#include "DialogForm.h"
#include "GradCap.h"
#include "IniFiles.h"
#include "SharedNames.h"

namespace {

TCaptionSource& Source() {
  static TCaptionSource source;
  return source;
}

TColor ReadColor(const TIniFile& ini, const char* key) {
  try {
    return StringToColor(ini.ReadString(kOptions, key, kCaptionColorDefault));
  } catch (const EConvertError&) {
    return StringToColor(kCaptionColorDefault);
  }
}
}  // namespace

void SetCaptionSource(TCaptionSource source) { Source() = std::move(source); }

TGradientCaption* MakeCaptionBar(TDialogForm& form, const TIniFile& options, std::pair<TColor, TColor> skinColors) {
  if (!options.ReadBool(kOptions, "Colorcap", true)) return nullptr;
  TColor left = skinColors.second, right = skinColors.first;
  if (options.ReadBool(kOptions, "usercolors", false)) {
    right = ReadColor(options, "customcolor");
    left = ReadColor(options, "customcolor2");
  }
  auto* bar = new TGradientCaption(&form);
  bar->Name = "Cap1";
  bar->ColorLeftActive = bar->ColorLeftInActive = left;
  bar->ColorRightActive = bar->ColorRightInActive = right;
  bar->Enabled = geAlways;
  bar->RepaintCaption();
  return bar;
}

TGradientCaption* ApplyCaptionBar(TDialogForm& form) {
  const TCaptionSource& source = Source();
  if (!source.Options) return nullptr;
  // Without the skin's colours only the user's own colours can be used.
  if (!source.SkinColors && !source.Options->ReadBool(kOptions, "usercolors", false)) return nullptr;
  return MakeCaptionBar(form, *source.Options,
                        source.SkinColors ? source.SkinColors() : std::pair<TColor, TColor>(clNone, clNone));
}
