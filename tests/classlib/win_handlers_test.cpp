// The decoded keyboard, focus, creation and size handlers of TWinControl,
// reached by real messages on our own window and on a standard edit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Forms.h"
#include "StdCtrlsForm.h"
#include "StdEdits.h"

namespace {
// What a handler saw, one line a call.
using TLog = std::vector<std::string>;

std::string Num(uintptr_t v) { return std::to_string(v); }

// Swallows Home (key down) and 'x' (typed); types 'b' for 'a'; answers
// WM_GETDLGCODE with WantCode when it is not 0.
template <class TBase>
class TProbe : public TBase {
public:
  TProbe(TComponent* owner, TLog& log) : TBase(owner), FLog(log) {}
  LRESULT WantCode = 0;
  bool HandleAtCreation = false, BoundAtCreation = false;

protected:
  bool KeyDown(uint16_t& key, TShiftState shift) override {
    FLog.push_back("down " + Num(key) + " " + Num(shift));
    if (key == VK_HOME) key = 0;
    return false;
  }
  bool KeyUp(uint16_t& key, TShiftState shift) override {
    FLog.push_back("up " + Num(key) + " " + Num(shift));
    return key == VK_F2;
  }
  bool KeyPress(wchar_t& key) override {
    FLog.push_back("char " + Num(key));
    if (key == L'a') key = L'b';
    return key == L'x';
  }
  bool WantedKeys(const MSG* key, LRESULT& code) override {
    FLog.push_back(std::string("dlgcode ") + (key ? Num(key->wParam) : "null"));
    code = WantCode;
    return WantCode != 0;
  }
  void FocusEnter(HWND previous) override { FLog.push_back("enter " + Num(uintptr_t(previous))); }
  void FocusExit(HWND next) override { FLog.push_back("exit " + Num(uintptr_t(next))); }
  void Created() override {
    FLog.push_back("created");
    HandleAtCreation = this->HandleAllocated();
    BoundAtCreation = FindControl(this->FHandle) == this;
  }
  void Sized(UINT kind, int width, int height) override {
    FLog.push_back("sized " + Num(kind) + " " + Num(width) + "x" + Num(height));
  }

private:
  TLog& FLog;
};

using TWindowProbe = TProbe<TWinControl>;
using TEditProbe = TProbe<TEdit>;

// A visible form holding a probe edit and a probe window of ours.
struct TProbeForm {
  TLog editLog, ownLog;
  TForm form{nullptr};
  TEditProbe* edit = new TEditProbe(&form, editLog);
  TWindowProbe* own = new TWindowProbe(&form, ownLog);
  TProbeForm() {
    form.SetBounds(40, 40, 300, 200);
    edit->SetBounds(10, 10, 200, 24);
    edit->SetParent(&form);
    own->SetBounds(10, 50, 100, 60);
    own->SetParent(&form);
    form.Show();
    SetForegroundWindow(form.Handle());
    editLog.clear();
    ownLog.clear();
  }
  bool Has(const TLog& log, const std::string& line) const {
    for (const auto& l : log)
      if (l == line) return true;
    return false;
  }
};
}  // namespace

TEST(DecodedHandlers, CreatedOnceTheWindowIsBound) {
  TLog log;
  TForm form(nullptr);
  TWindowProbe own(&form, log);
  TEditProbe edit(&form, log);
  own.SetParent(&form);
  edit.SetParent(&form);
  form.Handle();
  EXPECT_EQ(std::count(log.begin(), log.end(), "created"), 2);
  EXPECT_TRUE(own.HandleAtCreation && own.BoundAtCreation);
  // A standard control is told after it joins the window procedure.
  EXPECT_TRUE(edit.HandleAtCreation && edit.BoundAtCreation);
}

TEST(DecodedHandlers, RealKeyPressesReachAStandardEdit) {
  TProbeForm f;
  f.edit->SetText("abc");
  f.edit->SetFocus();
  SendMessageA(f.edit->Handle(), EM_SETSEL, 1, 1);
  f.editLog.clear();
  PressKey(VK_END);
  PumpUntil([&] { return f.Has(f.editLog, "up " + Num(VK_END) + " 0"); });
  EXPECT_TRUE(f.Has(f.editLog, "down " + Num(VK_END) + " 0"));
  EXPECT_TRUE(f.Has(f.editLog, "up " + Num(VK_END) + " 0"));
  DWORD start = 0, end = 0;
  SendMessageA(f.edit->Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 3u);  // not swallowed: the edit moved its caret
  // Home set to 0 by the handler never reaches the edit.
  PressKey(VK_HOME);
  PumpUntil([&] { return f.Has(f.editLog, "up " + Num(VK_HOME) + " 0"); });
  EXPECT_TRUE(f.Has(f.editLog, "down " + Num(VK_HOME) + " 0"));
  SendMessageA(f.edit->Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 3u);
  // A key typed with Shift held is decoded with its shift.
  f.editLog.clear();
  INPUT in[4]{};
  for (auto& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = VK_SHIFT;
  in[1].ki.wVk = VK_F3;
  in[2].ki.wVk = VK_F3, in[2].ki.dwFlags = KEYEVENTF_KEYUP;
  in[3].ki.wVk = VK_SHIFT, in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
  PumpUntil([&] { return f.Has(f.editLog, "up " + Num(VK_SHIFT) + " 0"); });
  EXPECT_TRUE(f.Has(f.editLog, "down " + Num(VK_F3) + " " + Num(ssShift)));
}

TEST(DecodedHandlers, TypedCharactersCanBeSwallowedOrChanged) {
  TProbeForm f;
  HWND edit = f.edit->Handle();
  SendMessageA(edit, WM_CHAR, 'x', 1);
  EXPECT_EQ(f.edit->Text(), "");
  SendMessageA(edit, WM_CHAR, 'a', 1);
  SendMessageA(edit, WM_CHAR, 'c', 1);
  EXPECT_EQ(f.edit->Text(), "bc");
  EXPECT_EQ(f.editLog, (TLog{"char " + Num('x'), "char " + Num('a'), "char " + Num('c')}));
  // Our own window hears typed characters too.
  SendMessageA(f.own->Handle(), WM_CHAR, 'q', 1);
  EXPECT_EQ(f.ownLog, (TLog{"char " + Num('q')}));
  if (GetACP() == 1252) {
    // A byte of the code page arrives as its character: 0x80 is the euro sign.
    f.editLog.clear();
    SendMessageA(edit, WM_CHAR, 0x80, 1);
    EXPECT_EQ(f.editLog, (TLog{"char " + Num(0x20AC)}));
    EXPECT_EQ(f.edit->Text(), "bc\x80");
  }
}

TEST(DecodedHandlers, KeyUpSwallowedReturnsZero) {
  TProbeForm f;
  EXPECT_EQ(SendMessageA(f.own->Handle(), WM_KEYUP, VK_F2, 0), 0);
  EXPECT_EQ(f.ownLog, (TLog{"up " + Num(VK_F2) + " 0"}));
}

TEST(DecodedHandlers, DialogCodeIsAnsweredOrLeftToTheWindow) {
  TProbeForm f;
  // Not answered: the edit's own code stands.
  const LRESULT own = SendMessageA(f.edit->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_NE(own & DLGC_HASSETSEL, 0);
  f.edit->WantCode = DLGC_WANTALLKEYS;
  MSG key{f.edit->Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_EQ(SendMessageA(f.edit->Handle(), WM_GETDLGCODE, VK_TAB, LPARAM(&key)), DLGC_WANTALLKEYS);
  EXPECT_EQ(f.editLog, (TLog{"dlgcode null", "dlgcode " + Num(VK_TAB)}));
}

TEST(DecodedHandlers, FocusChangesNameTheOtherWindow) {
  TProbeForm f;
  f.edit->SetFocus();
  f.editLog.clear();
  f.own->SetFocus();
  f.edit->SetFocus();
  const std::string ownWnd = Num(uintptr_t(f.own->Handle())), editWnd = Num(uintptr_t(f.edit->Handle()));
  EXPECT_EQ(f.editLog, (TLog{"exit " + ownWnd, "enter " + ownWnd}));
  EXPECT_EQ(f.ownLog, (TLog{"enter " + editWnd, "exit " + editWnd}));
  // Told after the window's own handling: the edit has its caret by then.
  EXPECT_TRUE(f.edit->Focused());
}

TEST(DecodedHandlers, SizedFollowsEveryClientSizeChange) {
  TProbeForm f;
  f.own->SetBounds(10, 50, 120, 70);
  f.edit->SetBounds(10, 10, 150, 24);
  EXPECT_EQ(f.ownLog, (TLog{"sized " + Num(SIZE_RESTORED) + " 120x70"}));
  RECT r;
  GetClientRect(f.edit->Handle(), &r);
  EXPECT_EQ(f.editLog, (TLog{"sized " + Num(SIZE_RESTORED) + " " + Num(r.right) + "x" + Num(r.bottom)}));
}
