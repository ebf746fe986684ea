// The colour name table and the colour text.
#include "Colors.h"

#include "SysUtils.h"

namespace {
struct ColorName {
  TColor value;
  const char* name;
};
// The class library's table: 17 plain colours and the 25 system colours.
constexpr ColorName kColors[] = {
    {clBlack, "clBlack"},     {clMaroon, "clMaroon"},   {clGreen, "clGreen"},
    {clOlive, "clOlive"},     {clNavy, "clNavy"},       {clPurple, "clPurple"},
    {clTeal, "clTeal"},       {clGray, "clGray"},       {clSilver, "clSilver"},
    {clRed, "clRed"},         {clLime, "clLime"},       {clYellow, "clYellow"},
    {clBlue, "clBlue"},       {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},
    {clWhite, "clWhite"},     {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},         {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},                   {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},     {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},       {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},   {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},   {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},         {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},             {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},   {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},             {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};
}  // namespace

std::optional<std::string> ColorToIdent(TColor c) {
  for (const auto& e : kColors)
    if (e.value == c) return std::string(e.name);
  return std::nullopt;
}

std::optional<TColor> IdentToColor(const std::string& ident) {
  for (const auto& e : kColors)
    if (SameText(e.name, ident)) return e.value;
  return std::nullopt;
}

std::string ColorToString(TColor c) {
  if (auto name = ColorToIdent(c)) return *name;
  return "$" + IntToHex(uint32_t(c), 8);
}

TColor StringToColor(const std::string& s) {
  if (auto c = IdentToColor(Trim(s))) return *c;
  return StrToInt(s);
}
