// The typed in-place editors of the grid: each is its control of the grid
// family and, through TGridTypedEditor, the grid's view of it. They reach
// the grid only through its TGridEditorHost.
#pragma once
#include <optional>
#include <string>

#include "DateTimePicker.h"
#include "EsgCombo.h"
#include "EsgEdit.h"
#include "EsgSpin.h"
#include "ExtGridEditing.h"
#include "StdCtrls.h"

// What the typed editors do alike with their grid.
class TGridTypedEditor : public TGridEditorControl {
protected:
  explicit TGridTypedEditor(TGridEditorHost& host) : FHost(host) {}
  // Puts back the cell's text from when editing started (Escape).
  virtual void RestoreStart() = 0;
  // Shows a text that the grid's validation gave back.
  virtual void ShowText(const std::string& text) = 0;
  // The start of an editing (LoadCell calls it): the control takes the cell's colour.
  void Began();
  // The grid's validation of the editor's text; a refused text leaves the
  // editor open with the text the grid gives back.
  bool Validate();
  // Hands a key to the grid, which writes the value back and moves on.
  // The editor may be gone afterwards: return at once.
  void HandToGrid(uint16_t key, TShiftState shift);
  // The focus left: the grid's leave step, once per editing. The editor may
  // be gone afterwards.
  void Leave();
  // Escape, Enter, Tab (with goTabs) and, with upDownLeave, Up and Down:
  // true when the key was taken (the editor may then be gone).
  bool CommonKey(uint16_t key, TShiftState shift, bool upDownLeave);
  bool HandedOn() const { return FHandedOn; }
  // Editors are made hidden over the grid; the grid places and shows them.
  static void PutOnGrid(TWinControl& editor, TWinControl& grid);
  // Characters the editors keep from their edit windows: Enter, line feed, Tab, Escape.
  static bool IsEditingChar(WPARAM ch) { return ch == '\r' || ch == '\n' || ch == '\t' || ch == VK_ESCAPE; }
  TGridEditorHost& FHost;

private:
  bool FHandedOn = false;  // the value went back to the grid
};

class TGridSpin : public TEsgSpinEdit, public TGridTypedEditor {
public:
  TGridSpin(TGridEditorHost& host, TWinControl& grid);
  std::string ClassName() const override { return "TGridSpin"; }
  TWinControl& Control() override { return *this; }
  void LoadCell(TEditorType type, const std::string& text) override;
  // The text in bounds (an empty one is the minimum); after Escape the start text.
  std::optional<std::string> CellText() const override;
  void UpClick() override;
  void DownClick() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void RestoreStart() override;
  void ShowText(const std::string& text) override { SetText(text); }
  void Change() override;

private:
  // Sets the text of a value from the keys and raises the spin event.
  void KeyValue(const std::string& text);
  void RaiseSpin();
  bool FEscaped = false;  // the start text is back and not changed since
};

class TGridCombo : public TESGComboBox, public TGridTypedEditor {
public:
  TGridCombo(TGridEditorHost& host, TWinControl& grid);
  ~TGridCombo() override;
  std::string ClassName() const override { return "TGridCombo"; }
  TWinControl& Control() override { return *this; }
  // The grid fills Items before: a drop-down list selects the item of the
  // text, else the item selected before, else the first.
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override { return Text(); }
  // A key of the combo or of its edit; true when it was taken.
  bool EditorKey(uint16_t key, TShiftState shift);
  // Completes a typed text from the items (with the grid's Lookup).
  void Complete();
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateHandle() override;
  bool CommandNotify(WORD code) override;
  void RestoreStart() override;
  void ShowText(const std::string& text) override;

private:
  void SizeDropWidth();
  HWND FEdit = nullptr;  // the edit inside a drop-down combo (the combo's child)
  int FStartIndex = -1;
};

class TGridCheckBox : public TCheckBox, public TGridTypedEditor {
public:
  TGridCheckBox(TGridEditorHost& host, TWinControl& grid);
  std::string ClassName() const override { return "TGridCheckBox"; }
  TWinControl& Control() override { return *this; }
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override { return std::nullopt; }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void RestoreStart() override { SetChecked(false); }
  void ShowText(const std::string&) override {}
};

class TGridDatePicker : public TDateTimePicker, public TGridTypedEditor {
public:
  TGridDatePicker(TGridEditorHost& host, TWinControl& grid);
  std::string ClassName() const override { return "TGridDatePicker"; }
  TWinControl& Control() override { return *this; }
  // Date kind (up-down buttons for etDateUpDown) or time kind.
  void LoadCell(TEditorType type, const std::string& text) override;
  // The date in the short date format, or the time.
  std::optional<std::string> CellText() const override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void RestoreStart() override { ShowText(FHost.EditStartText()); }
  void ShowText(const std::string& text) override;
};

class TGridEditBtn : public TEsgEditBtn, public TGridTypedEditor {
public:
  TGridEditBtn(TGridEditorHost& host, TWinControl& grid);
  std::string ClassName() const override { return "TGridEditBtn"; }
  TWinControl& Control() override { return *this; }
  // etEditNumeric and etEditFloat take only their numbers.
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override { return Text(); }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void ButtonClick() override;
  void RestoreStart() override { SetText(FHost.EditStartText()); }
  void ShowText(const std::string& text) override { SetText(text); }

private:
  TNumberFilter FFilter = nfNone;
};

class TGridUnitEditBtn : public TEsgUnitEditBtn, public TGridTypedEditor {
public:
  TGridUnitEditBtn(TGridEditorHost& host, TWinControl& grid);
  std::string ClassName() const override { return "TGridUnitEditBtn"; }
  TWinControl& Control() override { return *this; }
  // The value in the edit, the unit as UnitID.
  void LoadCell(TEditorType type, const std::string& text) override;
  // The value followed by the unit.
  std::optional<std::string> CellText() const override { return Text() + UnitID(); }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void RestoreStart() override { ShowText(FHost.EditStartText()); }
  void ShowText(const std::string& text) override;
};

class TGridButton : public TButton, public TGridTypedEditor {
public:
  TGridButton(TGridEditorHost& host, TWinControl& grid);
  std::string ClassName() const override { return "TGridButton"; }
  TWinControl& Control() override { return *this; }
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override { return std::nullopt; }
  // Asks the grid's ellipsis step for the caption.
  void Click() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void RestoreStart() override { SetCaption(FHost.EditStartText()); }
  void ShowText(const std::string& text) override { SetCaption(text); }
};
