// Standard controls of the "BUTTON" class: the push button, check box, radio
// button and group box. The edits and lists are in StdEdits.h and StdLists.h,
// included here, so that a form includes this one header.
#pragma once
#include <string>

#include "Dialogs.h"
#include "StdControl.h"

// A control of the "BUTTON" class with its caption.
class TButtonControl : public TStdControl {
public:
  using TStdControl::TStdControl;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);

protected:
  // The BS_ style of the kind of button.
  virtual DWORD ButtonStyle() const = 0;
  void CreateParams(TCreateParams& params) override;

private:
  std::string FCaption;
};

// A push button. The Default button is pressed by Enter and the Cancel
// button by Esc in a modal form (they take the ids IDOK and IDCANCEL, which
// the dialog keys send); a disabled button is never pressed.
class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* owner) : TButtonControl(owner) {}
  std::string ClassName() const override { return "TButton"; }
  bool Default = false;                // drawn as the default push button; Enter
  bool Cancel = false;                 // Esc
  TModalResult ModalResult = mrNone;   // given to the parent form when clicked
  void Click() override;

protected:
  DWORD ButtonStyle() const override;
  void CreateHandle() override;
  bool CommandNotify(WORD code) override;
};

// A button with a check mark: the check box and the radio button.
class TCheckButton : public TButtonControl {
public:
  using TButtonControl::TButtonControl;
  bool Checked() const { return FChecked; }

protected:
  void CreateHandle() override;
  // Shows the state; false when it was already so.
  bool StoreChecked(bool checked);

private:
  bool FChecked = false;
};

// Checking by the user or by SetChecked fires OnClick (when the state changes).
class TCheckBox : public TCheckButton {
public:
  explicit TCheckBox(TComponent* owner) : TCheckButton(owner) {}
  std::string ClassName() const override { return "TCheckBox"; }
  void SetChecked(bool checked);

protected:
  DWORD ButtonStyle() const override { return BS_CHECKBOX; }
  bool CommandNotify(WORD code) override;
};

// The radio buttons of one parent are one group: checking one unchecks the
// others. Becoming checked (by the user or by SetChecked) fires OnClick.
class TRadioButton : public TCheckButton {
public:
  explicit TRadioButton(TComponent* owner) : TCheckButton(owner) {}
  std::string ClassName() const override { return "TRadioButton"; }
  void SetChecked(bool checked);

protected:
  DWORD ButtonStyle() const override { return BS_RADIOBUTTON; }
  bool CommandNotify(WORD code) override;
};

// A captioned frame around its child controls.
class TGroupBox : public TButtonControl {
public:
  explicit TGroupBox(TComponent* owner) : TButtonControl(owner) {}
  std::string ClassName() const override { return "TGroupBox"; }
  // WM_ERASEBKGND: the standard class leaves the frame's inside unpainted.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  DWORD ButtonStyle() const override { return BS_GROUPBOX; }
  void CreateParams(TCreateParams& params) override;
};

#include "StdEdits.h"
#include "StdLists.h"
