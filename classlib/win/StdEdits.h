// The edit controls: the one-line edit and the memo ("EDIT" windows).
#pragma once
#include <string>

#include "ControlStrings.h"
#include "StdControl.h"

// Text, read-only state, the modified flag and OnChange of an "EDIT" window.
class TCustomEdit : public TStdControl {
public:
  explicit TCustomEdit(TComponent* owner);
  std::string Text() const;
  // Fires OnChange (as typing does).
  void SetText(const std::string& text);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly);
  // Set by typing; cleared by SetModified(false) and by SetText.
  bool Modified() const;
  void SetModified(bool modified);
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool CommandNotify(WORD code) override;
  virtual void Change();

private:
  std::string FText;  // the text until the window exists
  bool FReadOnly = false;
  bool FSettingText = false;
};

class TEdit : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
  std::string ClassName() const override { return "TEdit"; }

protected:
  void CreateParams(TCreateParams& params) override;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo;

// A memo's lines, split from its text at every line break.
class TMemoLines : public TControlStrings {
public:
  explicit TMemoLines(TMemo& memo) : FMemo(memo) {}
  int Count() const override;
  std::string Strings(int i) const override;
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  // The whole text at once: one OnChange.
  void Assign(const TStringList& list) override;

private:
  TMemo& FMemo;
};

// A multi-line edit; Enter makes a new line. WordWrap and ScrollBars are
// read when the window is made.
class TMemo : public TCustomEdit {
public:
  explicit TMemo(TComponent* owner) : TCustomEdit(owner), Lines(*this) {}
  std::string ClassName() const override { return "TMemo"; }
  TMemoLines Lines;
  bool WordWrap = true;
  TScrollStyle ScrollBars = ssNone;

protected:
  void CreateParams(TCreateParams& params) override;
};
