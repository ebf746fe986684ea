// In-place editing: the editor types a grid's cells can ask for, what an
// in-place editor asks of the grid that shows it, and the grid's view of a
// typed editor control.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "Controls.h"
#include "ExtGridSettings.h"
#include "StringList.h"
#include "SysUtils.h"

// Set by OnGetEditorType before the editor of a cell opens. The text variants
// (etNumeric .. etString) use the default in-place editor.
enum TEditorType {
  etNormal = 0, etSpin = 1, etCombo = 2, etComboList = 3, etEditBtn = 4, etCheckBox = 5,
  etDatePicker = 6, etDateUpDown = 7, etTimePicker = 8, etButton = 9,
  etNumeric = 11,          // signed whole number
  etPositiveNumeric = 12,  // unsigned whole number
  etFloat = 13, etUppercase = 14, etMixedcase = 15, etPassword = 16,
  etUnitEditBtn = 17, etLowercase = 18, etString = 19,
  etFloatSpin = 20, etTimeSpin = 21, etDateSpin = 22,
  etEditNumeric = 23,      // edit with button, whole numbers
  etEditFloat = 24,        // edit with button, floating point
  etEditLink = 25, etRichEdit = 26,
};

// True for the types that the default in-place editor serves.
constexpr bool IsTextEditorType(int type) {
  return type == etNormal || (type >= etNumeric && type <= etPassword) || type == etLowercase || type == etString;
}

enum TClipboardAction { caCut, caCopy, caPaste };

// The grid's settings that its editors follow.
struct TGridEditorSettings {
  bool Tabs = false;  // the grid option goTabs
  const TNavigation* Navigation = nullptr;
  const TSizeWhileTyping* SizeWhileTyping = nullptr;
  bool ExcelStyleDecimalSeparator = false;
  bool Lookup = false, LookupCaseSensitive = false, LookupHistory = false;
  char PasswordChar = '*';
  int MaxEditLength = 0;  // 0: no limit
};

// What an in-place editor asks of the grid that shows it.
class TGridEditorHost {
public:
  virtual ~TGridEditorHost() = default;
  // The cell being edited (shown column, row) and its editor type.
  virtual int EditCol() const = 0;
  virtual int EditRow() const = 0;
  virtual TEditorType EditorType() const = 0;
  // The cell's text when editing began; Escape puts it back.
  virtual std::string EditStartText() const = 0;
  virtual TGridEditorSettings EditorSettings() const = 0;
  virtual TStringList& LookupItems() = 0;
  // The grid's validation of an edited text, which the grid may change;
  // false when it is refused (the editor then shows the text given back).
  virtual bool ValidateEditor(std::string& text) = 0;
  // Hides the showing editor and writes its value into the cell.
  virtual void LeaveEditor() = 0;
  // A key the editor hands on: the grid moves to another cell as the key asks.
  virtual void EditorKeyToGrid(uint16_t key, TShiftState shift) = 0;
  // Events raised for the editor's cell.
  virtual void SpinClicked(TEditorType type, double value) = 0;  // whole, float, date or time value
  virtual std::string EllipsClick(const std::string& text) = 0;   // the text the button shows next
  virtual void ComboChanged(int index, const std::string& text, void* object) = 0;
  virtual void DblClickCell() = 0;
  virtual bool AllowClipboard(TClipboardAction action) = 0;
  // The colour the cell's editor takes.
  virtual TColor EditorColor() = 0;
};

// The grid's view of a typed editor (a control shown over the cell).
class TGridEditorControl {
public:
  virtual ~TGridEditorControl() = default;
  virtual TWinControl& Control() = 0;
  // Shows the cell's text as the editor type asks (spin kind, picker kind, list style).
  virtual void LoadCell(TEditorType type, const std::string& text) = 0;
  // The text written back into the cell; none for editors that write nothing.
  virtual std::optional<std::string> CellText() const = 0;
};

// The typed editor for a type, owned by the caller and parented to grid;
// null for the text types, which the default in-place editor serves.
std::unique_ptr<TGridEditorControl> CreateGridEditor(TEditorType type, TGridEditorHost& host, TWinControl& grid);

// An editor that the grid's user attaches for etEditLink cells: a control
// of the user's, shown over the cell or, when the link asks, in a borderless
// popup form at the cell. The user ends it with the grid's EditLinkDone.
class TEditLink {
public:
  virtual ~TEditLink() = default;
  virtual TWinControl& Control() = 0;  // the user's; the grid only parents and shows it
  virtual void SetEditorValue(const std::string& text) = 0;
  virtual std::string GetEditorValue() = 0;
  virtual bool Popup() const { return false; }
  virtual SIZE PopupSize() const { return SIZE{200, 120}; }
};
