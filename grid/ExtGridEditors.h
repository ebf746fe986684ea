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

// A typed editor over its control: keys, characters and the focus reach the
// editing before the control's own handling, so Enter, Tab and Escape go to
// the grid rather than into the control. Each editor says only what differs.
template <class TControlBase>
class TGridEditorOn : public TControlBase, public TGridTypedEditor {
public:
  TWinControl& Control() override { return *this; }

protected:
  // The most derived editor puts itself on the grid (PutOnGrid) once it is
  // set up: the window may be made there, with its virtual members.
  explicit TGridEditorOn(TGridEditorHost& host) : TControlBase(nullptr), TGridTypedEditor(host) {}
  // A key for the editing; true when taken (the editor may then be gone).
  virtual bool EditingKey(uint16_t key, TShiftState shift) = 0;
  // A typed character kept from the control; the editing characters by default.
  virtual bool KeepsChar(wchar_t key) { return IsEditingChar(key); }
  // Whether the focus going to next ends the editing.
  virtual bool LeavesTo(HWND next) { return true; }

  bool KeyDown(uint16_t& key, TShiftState shift) override {
    // Alt with a key (a system key) is the control's: Alt+Down opens a list.
    const bool system = (shift & ssAlt) && !(shift & ssCtrl);
    return (!system && EditingKey(key, shift)) || TControlBase::KeyDown(key, shift);
  }
  bool KeyPress(wchar_t& key) override { return KeepsChar(key) || TControlBase::KeyPress(key); }
  void FocusExit(HWND next) override {
    TControlBase::FocusExit(next);
    if (LeavesTo(next)) Leave();
  }
};

class TGridSpin : public TGridEditorOn<TEsgSpinEdit> {
public:
  TGridSpin(TGridEditorHost& host, TWinControl& grid);
  std::string ClassName() const override { return "TGridSpin"; }
  void LoadCell(TEditorType type, const std::string& text) override;
  // The text in bounds (an empty one is the minimum); after Escape the start text.
  std::optional<std::string> CellText() const override;
  void UpClick() override;
  void DownClick() override;

protected:
  void RestoreStart() override;
  void ShowText(const std::string& text) override { SetText(text); }
  void Change() override;
  // Page keys step by the increment; End and Home go to the bounds.
  bool EditingKey(uint16_t key, TShiftState shift) override;
  // A value handed to the grid is not put into bounds again.
  void FocusExit(HWND next) override;

private:
  // Sets the text of a value from the keys and raises the spin event.
  void KeyValue(const std::string& text);
  void RaiseSpin();
  bool FEscaped = false;  // the start text is back and not changed since
};

class TGridCombo : public TGridEditorOn<TESGComboBox> {
public:
  TGridCombo(TGridEditorHost& host, TWinControl& grid);
  ~TGridCombo() override;
  std::string ClassName() const override { return "TGridCombo"; }
  // The grid fills Items before: a drop-down list selects the item of the
  // text, else the item selected before, else the first.
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override { return Text(); }
  // A key of the combo or of its edit; true when it was taken.
  bool EditorKey(uint16_t key, TShiftState shift);
  // Completes a typed text from the items (with the grid's Lookup).
  void Complete();
  // The wheel moves one item.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateHandle() override;
  bool CommandNotify(WORD code) override;
  void RestoreStart() override;
  void ShowText(const std::string& text) override;
  bool EditingKey(uint16_t key, TShiftState shift) override { return EditorKey(key, shift); }
  // The open list takes every character.
  bool KeepsChar(wchar_t key) override { return IsEditingChar(key) && !DroppedDown(); }
  // The combo leaves on its own notification (CBN_KILLFOCUS).
  bool LeavesTo(HWND) override { return false; }

private:
  void SizeDropWidth();
  HWND FEdit = nullptr;  // the edit inside a drop-down combo (the combo's child)
  int FStartIndex = -1;
};

class TGridCheckBox : public TGridEditorOn<TCheckBox> {
public:
  TGridCheckBox(TGridEditorHost& host, TWinControl& grid) : TGridEditorOn(host) { PutOnGrid(*this, grid); }
  std::string ClassName() const override { return "TGridCheckBox"; }
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override { return std::nullopt; }

protected:
  void RestoreStart() override { SetChecked(false); }
  void ShowText(const std::string&) override {}
  // Enter moves on to the next cell; the navigation keys leave the check box.
  bool EditingKey(uint16_t key, TShiftState shift) override;
};

class TGridDatePicker : public TGridEditorOn<TDateTimePicker> {
public:
  TGridDatePicker(TGridEditorHost& host, TWinControl& grid) : TGridEditorOn(host) { PutOnGrid(*this, grid); }
  std::string ClassName() const override { return "TGridDatePicker"; }
  // Date kind (up-down buttons for etDateUpDown) or time kind.
  void LoadCell(TEditorType type, const std::string& text) override;
  // The date in the short date format, or the time.
  std::optional<std::string> CellText() const override;

protected:
  void RestoreStart() override { ShowText(FHost.EditStartText()); }
  void ShowText(const std::string& text) override;
  // Keys go to the grid only while the calendar is closed.
  bool EditingKey(uint16_t key, TShiftState shift) override {
    return !DroppedDown() && CommonKey(key, shift, false);
  }
  bool KeepsChar(wchar_t) override { return false; }
  // The calendar taking the focus is not leaving.
  bool LeavesTo(HWND next) override;
};

class TGridEditBtn : public TGridEditorOn<TEsgEditBtn> {
public:
  TGridEditBtn(TGridEditorHost& host, TWinControl& grid);
  std::string ClassName() const override { return "TGridEditBtn"; }
  // etEditNumeric and etEditFloat take only their numbers.
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override { return Text(); }

protected:
  void ButtonClick() override;
  void RestoreStart() override { SetText(FHost.EditStartText()); }
  void ShowText(const std::string& text) override { SetText(text); }
  bool EditingKey(uint16_t key, TShiftState shift) override { return CommonKey(key, shift, true); }
  // A character that the number filter refuses beeps.
  bool KeepsChar(wchar_t key) override;

private:
  TNumberFilter FFilter = nfNone;
};

class TGridUnitEditBtn : public TGridEditorOn<TEsgUnitEditBtn> {
public:
  TGridUnitEditBtn(TGridEditorHost& host, TWinControl& grid) : TGridEditorOn(host) { PutOnGrid(*this, grid); }
  std::string ClassName() const override { return "TGridUnitEditBtn"; }
  // The value in the edit, the unit as UnitID.
  void LoadCell(TEditorType type, const std::string& text) override;
  // The value followed by the unit.
  std::optional<std::string> CellText() const override { return Text() + UnitID(); }

protected:
  void RestoreStart() override { ShowText(FHost.EditStartText()); }
  void ShowText(const std::string& text) override;
  bool EditingKey(uint16_t key, TShiftState shift) override { return CommonKey(key, shift, true); }
};

class TGridButton : public TGridEditorOn<TButton> {
public:
  TGridButton(TGridEditorHost& host, TWinControl& grid) : TGridEditorOn(host) { PutOnGrid(*this, grid); }
  std::string ClassName() const override { return "TGridButton"; }
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override { return std::nullopt; }
  // Asks the grid's ellipsis step for the caption.
  void Click() override;

protected:
  void RestoreStart() override { SetCaption(FHost.EditStartText()); }
  void ShowText(const std::string& text) override { SetCaption(text); }
  // The button hides, and the grid takes the focus and the key.
  bool EditingKey(uint16_t key, TShiftState shift) override;
  bool KeepsChar(wchar_t) override { return false; }
};
