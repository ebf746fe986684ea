// TColorDialog and TFontDialog.
#include "ChooseDialogs.h"

#include "Dialogs.h"
#include "SysUtils.h"
#include "WinGraphics.h"

#include <commdlg.h>

#include <functional>
#include <vector>

namespace {
// Asks the seam first; show(answer) runs the real dialog.
bool RunChooser(const char* caption, std::string& value, const std::function<bool(std::string&)>& show) {
  TPromptRequest r;
  r.Caption = caption;
  r.Buttons = mbOKCancel;
  r.Default = mrCancel;
  std::string answer = value;
  r.Value = &answer;
  if (RunPrompt(r, [&] { return show(answer) ? mrOk : mrCancel; }) != mrOk) return false;
  value = answer;
  return true;
}
}  // namespace

bool TColorDialog::Execute() {
  std::string text = ColorToString(Color);
  bool ok = RunChooser("Color", text, [&](std::string& answer) {
    COLORREF custom[16];
    for (size_t i = 0; i < CustomColors.size(); ++i) custom[i] = ColorToRGB(CustomColors[i]);
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = ColorToRGB(Color);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | (FullOpen ? CC_FULLOPEN : 0);
    // The custom colours are kept also when the dialog is cancelled.
    BOOL chosen = ChooseColorA(&cc);
    for (size_t i = 0; i < CustomColors.size(); ++i) CustomColors[i] = TColor(custom[i]);
    if (!chosen) return false;
    answer = ColorToString(TColor(cc.rgbResult));
    return true;
  });
  if (ok) Color = StringToColor(text);
  return ok;
}

std::string FontToPromptText(const TFont& f) {
  return f.Name + ";" + IntToStr(f.Height) + ";" + IntToStr((long long)f.Style) + ";" + ColorToString(f.Color) + ";" +
         IntToStr(f.Charset);
}

void FontFromPromptText(const std::string& text, TFont& font) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == ';') parts.emplace_back();
    else parts.back() += c;
  }
  if (parts.size() != 5) throw EConvertError("'" + text + "' is not a font");
  TFont f;
  f.Name = parts[0];
  f.Height = StrToInt(parts[1]);
  f.Style = uint32_t(StrToInt(parts[2]));
  f.Color = StringToColor(parts[3]);
  f.Charset = StrToInt(parts[4]);
  font.Assign(f);
}

bool TFontDialog::Execute() {
  std::string text = FontToPromptText(Font);
  bool ok = RunChooser("Font", text, [&](std::string& answer) {
    LOGFONTA lf{};
    lf.lfHeight = Font.Height;
    lf.lfWeight = (Font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Font.Style & fsItalic) != 0;
    lf.lfUnderline = (Font.Style & fsUnderline) != 0;
    lf.lfStrikeOut = (Font.Style & fsStrikeOut) != 0;
    lf.lfCharSet = BYTE(Font.Charset);
    lstrcpynA(lf.lfFaceName, Font.Name.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = GetActiveWindow();
    cf.lpLogFont = &lf;
    cf.rgbColors = ColorToRGB(Font.Color);
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (MinFontSize > 0 || MaxFontSize > 0) {
      cf.Flags |= CF_LIMITSIZE;
      cf.nSizeMin = MinFontSize;
      cf.nSizeMax = MaxFontSize;
    }
    if (!ChooseFontA(&cf)) return false;
    TFont f;
    f.Name = lf.lfFaceName;
    f.Height = lf.lfHeight;
    f.Style = 0;
    if (lf.lfWeight >= FW_BOLD) f.Style |= fsBold;
    if (lf.lfItalic) f.Style |= fsItalic;
    if (lf.lfUnderline) f.Style |= fsUnderline;
    if (lf.lfStrikeOut) f.Style |= fsStrikeOut;
    f.Color = TColor(cf.rgbColors);
    f.Charset = lf.lfCharSet;
    answer = FontToPromptText(f);
    return true;
  });
  if (ok) FontFromPromptText(text, Font);
  return ok;
}
