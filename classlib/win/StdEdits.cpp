// TCustomEdit, TEdit and TMemo.
#include "StdEdits.h"

#include "SysUtils.h"

// --- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TStdControl(owner) { Color = clWindow; }

void TCustomEdit::CreateParams(TCreateParams& p) {
  UseSystemClass(p, "EDIT");
  p.Caption = FText;
  p.Style |= WS_TABSTOP | (FReadOnly ? ES_READONLY : 0);
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateHandle() {
  TStdControl::CreateHandle();
  FText.clear();
}

std::string TCustomEdit::Text() const { return FHandle ? WindowText(FHandle) : FText; }

void TCustomEdit::SetText(const std::string& text) {
  // One OnChange, whether or not the window tells EN_CHANGE itself (a
  // multi-line edit does not for WM_SETTEXT).
  if (FHandle) {
    FSettingText = true;
    SetWindowTextA(FHandle, text.c_str());
    FSettingText = false;
  } else {
    FText = text;
  }
  Change();
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  FReadOnly = readOnly;
  if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, readOnly, 0);
}

bool TCustomEdit::Modified() const { return FHandle && SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0; }

void TCustomEdit::SetModified(bool modified) {
  SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_SETMODIFY, modified, 0);
}

bool TCustomEdit::CommandNotify(WORD code) {
  if (code != EN_CHANGE) return false;
  if (!FSettingText) Change();
  return true;
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

// --- TEdit

void TEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_AUTOHSCROLL;
}

// --- TMemo

void TMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | (WordWrap ? 0 : ES_AUTOHSCROLL);
  if (ScrollBars == ssVertical || ScrollBars == ssBoth) p.Style |= WS_VSCROLL;
  if (ScrollBars == ssHorizontal || ScrollBars == ssBoth) p.Style |= WS_HSCROLL;
}

// --- TMemoLines: every change rewrites the memo's text in CR LF lines.

namespace {
TStringList Split(const std::string& text) {
  TStringList list;
  list.SetText(text);
  return list;
}
}  // namespace

int TMemoLines::Count() const { return Split(FMemo.Text()).Count(); }

std::string TMemoLines::Strings(int i) const { return Split(FMemo.Text()).Strings(i); }

void TMemoLines::Insert(int i, const std::string& s) {
  TStringList list = Split(FMemo.Text());
  list.Insert(i, s);
  FMemo.SetText(list.Text());
}

void TMemoLines::Delete(int i) {
  TStringList list = Split(FMemo.Text());
  list.Delete(i);
  FMemo.SetText(list.Text());
}

void TMemoLines::Clear() { FMemo.SetText(""); }

void TMemoLines::Assign(const TStringList& list) { FMemo.SetText(list.Text()); }
