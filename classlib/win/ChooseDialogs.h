// The colour and font dialogs. Both go through RunPrompt (Dialogs.h) so that
// tests answer them: a colour as colour text ("clRed", "$00102030"), a font
// as "name;height;style bits;colour text;charset".
#pragma once
#include <array>
#include <string>

#include "Classes.h"
#include "Graphics.h"

class TColorDialog : public TComponent {
public:
  explicit TColorDialog(TComponent* owner) : TComponent(owner) { CustomColors.fill(clWhite); }
  std::string ClassName() const override { return "TColorDialog"; }
  TColor Color = clBlack;
  std::array<TColor, 16> CustomColors;  // kept by the dialog between calls
  bool FullOpen = true;                 // the custom-colour part shown
  // True with Color set when the user chose a colour.
  bool Execute();
};

class TFontDialog : public TComponent {
public:
  explicit TFontDialog(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TFontDialog"; }
  TFont Font;
  int MinFontSize = 0, MaxFontSize = 0;  // points; both 0: no limit
  // With effects (colour, underline, strike-out). True with Font set on OK.
  bool Execute();
};

// A font as the font dialog's prompt answers it, and back (EConvertError).
std::string FontToPromptText(const TFont& font);
void FontFromPromptText(const std::string& text, TFont& font);
