// TColorDropButton: a push button showing a colour swatch and an arrow that
// drops down a palette of colours (CBtnForm.h), keeping 16 custom colours of
// the colour dialog in an INI file.
#pragma once
#include <string>

#include "CBtnForm.h"
#include "StdCtrls.h"

enum TColorDropButtonStyle { cdsNormal };

class TColorDropButton : public TButton {
public:
  static constexpr int kDefaultWidth = 45, kDefaultHeight = 22;
  explicit TColorDropButton(TComponent* owner);
  // Saves the custom colours; a failure there is swallowed (no raise from here).
  ~TColorDropButton() override;
  std::string ClassName() const override { return "TColorDropButton"; }

  std::string Version() const { return "TColorDropButton v2.59"; }
  bool ShowColorHints = true;
  TColorDropButtonStyle Style = cdsNormal;
  std::string OtherBtnCaption = "&Other";
  TColor OtherColor = clBtnFace;
  bool CycleColors = false;
  const TColorArrayClass& PaletteColors() const { return FPaletteColors; }
  void SetPaletteColors(const TColorArrayClass& colors) { FPaletteColors.Assign(colors); }
  const TColorArrayClass& CustomColors() const { return FCustomColors; }
  void SetCustomColors(const TColorArrayClass& colors) { FCustomColors.Assign(colors); }
  TColor Color() const { return FColor; }
  // A new colour: its index in the palette (0 when not there), a repaint, OnColorChange.
  void SetColor(TColor color);
  // The 1-based palette index of Color, 0 when it is not in the palette.
  int ColorIndex() const { return FIndex; }
  // Selects a palette colour (0: OtherColor); below 0, the current index or
  // past the palette does nothing.
  void SelectIndex(int index);
  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  // The INI file of the custom colours; a bare name lives in the Windows folder.
  std::string CustomColorsKey;
  TNotifyEvent OnColorChange;
  TColorHintTextEvent OnGetColorHintText;

  void Loaded() override;
  void Click() override;
  // The palette while it is open (owned by this button), else null.
  TColorDropPalette* Palette() const { return FPalette; }
  bool DroppedDown() const { return FPalette != nullptr; }
  // Where the palette of the given size goes for a button at screen rect
  // button, in the work area.
  static POINT PalettePosition(const RECT& button, SIZE palette, const RECT& workArea);

  // The key name: the button's Name, and "." and the parent's Name.
  virtual std::string GetCustomColorsName() const;
  virtual void SaveCustomColors();
  virtual void LoadCustomColors();

protected:
  virtual void ColorChanged();
  DWORD ButtonStyle() const override { return BS_OWNERDRAW; }
  void CreateHandle() override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool CommandNotify(WORD code) override;

private:
  void Draw(const DRAWITEMSTRUCT& item);
  void PaletteClosed();
  TColorArrayClass FPaletteColors{4, 5};
  TColorArrayClass FCustomColors{8, 2};
  TColor FColor = 0;
  int FIndex = 0;
  bool FFlat = false;
  TColorDropPalette* FPalette = nullptr;  // owned while open
  bool FSkipNextClick = false;
  std::string FLoadedKey;
  bool FLoaded = false;
  std::vector<HWND> FTopMost;  // made non-top-most while the palette is open
};
