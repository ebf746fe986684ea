// Test steps inside a modal window: show a form modally, run the steps once
// it is on screen, and end it with -1 when the steps leave it open.
#pragma once

#include <functional>

#include "Forms.h"

inline int RunModal(TForm& form, const std::function<void()>& steps) {
  bool done = false;
  int ticks = 0;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        if (!IsWindowVisible(form.Handle())) return;
        if (!done) {
          done = true;
          steps();
        } else if (++ticks > 100 && form.ModalResult == 0) {
          form.ModalResult = -1;
        }
      },
      20);
  int result = form.ShowModal();
  Application().RemoveTimer(timer);
  return result;
}

// Clicks a button as the user would.
inline void Press(TWinControl* button) { SendMessageA(button->Handle(), BM_CLICK, 0, 0); }
