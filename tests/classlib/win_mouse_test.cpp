#include <gtest/gtest.h>

#include <string>

#include "ExtCtrls.h"
#include "Forms.h"

#include <windows.h>

TEST(MouseRouting, DoubleClickReachesTheControlWithItsFlag) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 200);
  auto* label = new TLabel(&form);
  label->SetBounds(10, 10, 50, 20);
  label->SetParent(&form);
  std::string log;
  label->OnClick = [&](TComponent*) { log += "c"; };
  label->OnDblClick = [&](TComponent* s) { log += s == label ? "D" : "?"; };
  label->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState shift, int, int) {
    log += (shift & ssDouble) ? "2" : "1";
  };
  const LPARAM at = MAKELPARAM(20, 15);
  SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, at);
  SendMessageA(form.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(log, "1c2Dc");
  // A right double click is no double click of the control.
  log.clear();
  SendMessageA(form.Handle(), WM_RBUTTONDBLCLK, MK_RBUTTON, at);
  SendMessageA(form.Handle(), WM_RBUTTONUP, 0, at);
  EXPECT_EQ(log, "2");
}

TEST(MouseRouting, WheelCallsTheFormsEventByDirection) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 100);
  std::string log;
  form.OnMouseWheelDown = [&](TComponent*, TShiftState, POINT, bool& handled) {
    log += "d";
    handled = true;
  };
  SendMessageA(form.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(5, 5));
  SendMessageA(form.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(5, 5));
  form.OnMouseWheelUp = [&](TComponent*, TShiftState shift, POINT, bool&) { log += (shift & ssCtrl) ? "U" : "u"; };
  SendMessageA(form.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(5, 5));
  EXPECT_EQ(log, "dU");
}
