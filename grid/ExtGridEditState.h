// The extended grid's editing state: the edited cell and its starting text,
// the editor type, the typed editors and which editor is showing.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "ExtGridEditing.h"
#include "Forms.h"
#include "StringList.h"

struct TGridEditState {
  // The cell and its text when editing began; -1 when none was edited.
  int Col = -1, Row = -1;
  std::string StartText;
  TEditorType Type = etNormal;
  bool Ending = false;  // an end of editing is under way: no editor opens or ends meanwhile
  // The text validation last accepted, so that it is not asked twice.
  bool Validated = false;
  std::string ValidatedText;
  // The typed editors, one per type, made on first need, and the one showing.
  std::map<int, std::unique_ptr<TGridEditorControl>> TypedEditors;
  TGridEditorControl* TypedShowing = nullptr;
  bool RichShowing = false;          // the rich-text editor is the one showing
  TEditLink* LinkShowing = nullptr;  // the edit link showing, not owned
  std::unique_ptr<TForm> LinkPopup;  // the popup form of a popup link
  char FirstChar = 0;                // the character that opens the editor
  int MaxLength = 0;
  TStringList LookupItems;
};
