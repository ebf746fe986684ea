// TForm1: the nine picture buttons of the skin. Each shows its normal, hover
// or pressed picture as the mouse moves and presses, and runs its command
// when a press is released over it.
#include "Unit1.h"

namespace {
enum TButtonState : uint8_t { bsNormal = 0, bsHover = 1, bsPressed = 2 };
// The control's Tag while a press on it is held.
constexpr intptr_t kHeld = 1;
}  // namespace

void TForm1::BuildButtons() {
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    TImage* control = ButtonControl(i);
    control->OnMouseEnter = [this, i](TComponent*) { ButtonMouseEnter(i); };
    control->OnMouseLeave = [this, i](TComponent*) { ButtonMouseLeave(i); };
    control->OnMouseDown = [this, i](TComponent*, TMouseButton, TShiftState, int, int) { ButtonMouseDown(i); };
    control->OnMouseUp = [this, i](TComponent*, TMouseButton, TShiftState, int, int) { ButtonMouseUp(i); };
  }
}

void TForm1::ShowButtonPicture(int button, int state) {
  const Tbxskinnappi& b = bxs->Data.Button(button);
  TImage* control = ButtonControl(button);
  ButtonStates[size_t(button)] = uint8_t(state);
  if (state == bsNormal && !b.Kuvak) {
    control->Picture().Clear();
    control->Changed();
    return;
  }
  const TPicture& picture = state == bsHover ? b.Valittu : state == bsPressed ? b.Painettu : b.Kuva;
  control->Picture().Assign(picture);
  control->Transparent = state == bsHover ? b.Valittulapik : state == bsPressed ? b.Painettulapik : b.Kuvalapik;
  if (auto* bitmap = dynamic_cast<TBitmap*>(control->Picture().Graphic()))
    bitmap->FixedTransparentColor = state == bsHover ? b.Valittulvari : state == bsPressed ? b.Painettulvari : b.Kuvalvari;
  control->Changed();
}

void TForm1::ButtonMouseEnter(int button) {
  const Tbxskinnappi& b = bxs->Data.Button(button);
  const uint8_t state = ButtonStates[size_t(button)];
  if (ButtonControl(button)->Tag == kHeld) {
    if (state != bsPressed && b.Painettuk) ShowButtonPicture(button, bsPressed);
  } else if (state != bsHover && b.Valittuk) {
    ShowButtonPicture(button, bsHover);
  }
}

void TForm1::ButtonMouseLeave(int button) {
  if (ButtonStates[size_t(button)] != bsNormal) ShowButtonPicture(button, bsNormal);
  ButtonControl(button)->Tag = 0;
}

void TForm1::ButtonMouseDown(int button) {
  ButtonControl(button)->Tag = kHeld;
  if (ButtonStates[size_t(button)] != bsPressed && bxs->Data.Button(button).Painettuk)
    ShowButtonPicture(button, bsPressed);
}

void TForm1::ButtonMouseUp(int button) {
  TImage* control = ButtonControl(button);
  const uint8_t state = ButtonStates[size_t(button)];
  if (control->Tag == kHeld && state != bsHover) {
    if (bxs->Data.Button(button).Valittuk) ShowButtonPicture(button, bsHover);
    else if (state != bsNormal) ShowButtonPicture(button, bsNormal);
  } else if (control->Tag != kHeld && state != bsNormal) {
    ShowButtonPicture(button, bsNormal);
  }
  // The new picture shows before the command runs.
  Application().ProcessMessages();
  if (control->Tag == kHeld) {
    RunButtonCommand(button, control);
    control->Tag = 0;
  }
}

void TForm1::RunButtonCommand(int button, TComponent* sender) {
  // In the skin's button order.
  static void (TForm1::*const commands[TbxskinData::kButtonCount])(TComponent*) = {
      &TForm1::Image18Click, &TForm1::Image15Click, &TForm1::Image17Click,
      &TForm1::Image16Click, &TForm1::Image14Click, &TForm1::Image13Click,
      &TForm1::Image1Click,  &TForm1::Image2aClick, &TForm1::Image3aClick};
  (this->*commands[button])(sender);
}
