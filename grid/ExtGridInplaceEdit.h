// TExtInplaceEdit: the grid's default cell editor. It filters typed
// characters by the cell's editor type, completes from the lookup list,
// grows the cell while typing, guards the clipboard and hands the keys that
// end or leave editing to the grid.
#pragma once
#include "ExtGridEditText.h"
#include "ExtGridEditing.h"
#include "Grids.h"

class TExtInplaceEdit : public TInplaceEdit {
public:
  TExtInplaceEdit(TStringGrid& grid, TGridEditorHost& host);
  std::string ClassName() const override { return "TExtInplaceEdit"; }
  // Word wrap, alignment (0 left, 1 right, 2 centre) and hidden text are
  // styles of the window: a change makes it anew. A password edit has one line.
  void SetLayout(bool wordWrap, int alignment, bool password);
  // Applies the cell's editor type and the grid's settings before showing.
  void Prepare();
  int MaxLength() const { return FMaxLength; }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;
  bool EditKeyDown(uint16_t key, TShiftState shift) override;
  bool AcceptChar(char& c) override;
  void FocusGained() override;
  void FocusLost() override;
  // A new text joins the lookup items when LookupHistory asks.
  void AddToHistory();
  void DblClicked() override;
  void SelectOnShow() override;
  void MaskedPaste() override { Paste(); }

private:
  TEditTextKind Kind() const;
  void Paste();
  // Cut and copy pass on to the edit when the grid allows them.
  bool ClipboardAllowed(TClipboardAction action) { return FHost.AllowClipboard(action); }
  void Complete();
  void SizeToText();
  // The text shows the grid's mixed-case rule after each typed character.
  void ApplyMixedCase();
  bool CaretAtEnd() const;
  // With a mask and ImproveMaskSel the first input position is selected.
  bool ImproveMaskSel() const;
  void SelectFirstInput();
  bool MaskFilled() const;
  int CaretLine() const;
  int LineCount() const;

  TGridEditorHost& FHost;
  TGridEditorSettings FSettings;
  bool FWordWrap = false;
  int FAlignment = 0;
  bool FPassword = false;
  int FMaxLength = 0;
  bool FCompleteOff = false;  // Backspace and Delete stop completion until another key
  bool FKeypadDecimal = false;
};
