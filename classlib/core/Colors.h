// TColor and its text form: a colour name, "$" hexadecimal or decimal.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// $00BBGGRR for plain colours; $80000000 + index for the Windows system colours.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clNone = 0x1FFFFFFF;
constexpr TColor SystemColor(int index) { return TColor(0x80000000u | unsigned(index)); }
constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                 clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3),
                 clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6),
                 clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                 clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                 clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                 clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                 clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16),
                 clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                 clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                 cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22),
                 clInfoText = SystemColor(23), clInfoBk = SystemColor(24);

// The colour's name when it has one, else "$" and eight upper-case hex digits.
std::string ColorToString(TColor c);
// Accepts a name (any letter case), "$" hexadecimal or decimal; raises EConvertError.
TColor StringToColor(const std::string& s);
std::optional<std::string> ColorToIdent(TColor c);
std::optional<TColor> IdentToColor(const std::string& ident);

constexpr uint8_t GetRValue(TColor c) { return uint8_t(c); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t(c >> 8); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t(c >> 16); }
constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) { return TColor(r | g << 8 | b << 16); }
