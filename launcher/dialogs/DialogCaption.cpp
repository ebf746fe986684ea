// The secondary windows' caption bar.
#include "DialogCaption.h"

#include "DialogForm.h"
#include "GradCap.h"
#include "IniFiles.h"

namespace {
constexpr char kOptions[] = "Asetukset";
constexpr char kCaptionColorDefault[] = "$001A91D6";

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

TGradientCaption* ApplyCaptionBar(TDialogForm& form) {
  const TCaptionSource& source = Source();
  if (!source.Options || !source.Options->ReadBool(kOptions, "Colorcap", true)) return nullptr;
  TColor left, right;
  if (source.Options->ReadBool(kOptions, "usercolors", false)) {
    right = ReadColor(*source.Options, "customcolor");
    left = ReadColor(*source.Options, "customcolor2");
  } else if (source.SkinColors) {
    std::tie(right, left) = source.SkinColors();
  } else {
    return nullptr;
  }
  auto* bar = new TGradientCaption(&form);
  bar->ColorLeftActive = bar->ColorLeftInActive = left;
  bar->ColorRightActive = bar->ColorRightInActive = right;
  bar->Enabled = geAlways;
  return bar;
}
