// TMainWindow: the nine picture buttons of the skin. Each shows its normal, hover
// or pressed picture as the mouse moves and presses, and runs its command
// when a press is released over it.
#include "MainWindow.h"

namespace {
enum TButtonState : uint8_t { bsNormal = 0, bsHover = 1, bsPressed = 2 };
// The control's Tag while a press on it is held.
constexpr intptr_t kHeld = 1;
}  // namespace

void TMainWindow::BuildButtons() {
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    TImage* control = ButtonControl(i);
    control->OnMouseEnter = [this, i](TComponent*) { ButtonMouseEnter(i); };
    control->OnMouseLeave = [this, i](TComponent*) { ButtonMouseLeave(i); };
    control->OnMouseDown = [this, i](TComponent*, TMouseButton, TShiftState, int, int) { ButtonMouseDown(i); };
    control->OnMouseUp = [this, i](TComponent*, TMouseButton, TShiftState, int, int) { ButtonMouseUp(i); };
  }
}

void TMainWindow::ShowButtonPicture(int button, int state) {
  const Tbxskinnappi& b = Skin->Data.Button(button);
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
    bitmap->FixedTransparentColor = state == bsHover     ? b.Valittulvari
                                    : state == bsPressed ? b.Painettulvari
                                                         : b.Kuvalvari;
  control->Changed();
}

void TMainWindow::ButtonMouseEnter(int button) {
  const Tbxskinnappi& b = Skin->Data.Button(button);
  const uint8_t state = ButtonStates[size_t(button)];
  if (ButtonControl(button)->Tag == kHeld) {
    if (state != bsPressed && b.Painettuk) ShowButtonPicture(button, bsPressed);
  } else if (state != bsHover && b.Valittuk) {
    ShowButtonPicture(button, bsHover);
  }
}

void TMainWindow::ButtonMouseLeave(int button) {
  if (ButtonStates[size_t(button)] != bsNormal) ShowButtonPicture(button, bsNormal);
  ButtonControl(button)->Tag = 0;
}

void TMainWindow::ButtonMouseDown(int button) {
  ButtonControl(button)->Tag = kHeld;
  if (ButtonStates[size_t(button)] != bsPressed && Skin->Data.Button(button).Painettuk)
    ShowButtonPicture(button, bsPressed);
}

void TMainWindow::ButtonMouseUp(int button) {
  TImage* control = ButtonControl(button);
  const uint8_t state = ButtonStates[size_t(button)];
  if (control->Tag == kHeld && state != bsHover) {
    if (Skin->Data.Button(button).Valittuk) ShowButtonPicture(button, bsHover);
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

void TMainWindow::RunButtonCommand(int button, TComponent* sender) {
  // In the skin's button order.
  static void (TMainWindow::*const commands[TbxskinData::kButtonCount])(TComponent*) = {
      &TMainWindow::NewButtonClick, &TMainWindow::ModifyButtonClick, &TMainWindow::RemoveButtonClick,
      &TMainWindow::RemoveAllButtonClick, &TMainWindow::SettingsButtonClick, &TMainWindow::AboutButtonClick,
      &TMainWindow::CloseButtonClick,  &TMainWindow::UpButtonClick, &TMainWindow::DownButtonClick};
  (this->*commands[button])(sender);
}
