// The editor window driven by real keyboard and mouse input: the menu's
// short cuts while a page's control has the focus, drags on the preview and
// the hints under the resting mouse.
#include "editor_window_test.h"

#include <cctype>

#include "../support/RealInput.h"

namespace {
void ShowForInput(TForm& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  RunLoopUntil([&] { return GetForegroundWindow() == form.Handle(); }, 2000);
  Application().ProcessMessages();
}

// Letters as typed on the keyboard, capitals with Shift.
void TypeText(const std::string& text) {
  for (char c : text) {
    const WORD vk = WORD(std::toupper(static_cast<unsigned char>(c)));
    if (std::isupper(static_cast<unsigned char>(c))) PressKeys({VK_SHIFT, vk});
    else PressKeys({vk});
  }
}
}  // namespace

TEST_F(EditorWindow, CtrlSThatCannotSaveShowsWhyAndKeepsTheUnsavedWork) {
  std::filesystem::create_directories(Dir + "proj");
  TSkinProject p;
  p.SaveAs(Dir + "proj\\gone.bxn");
  Form->FormCreate({Dir + "proj\\gone.bxn"});
  ShowForInput(*Form);
  // The project's folder goes away: nothing can be written there.
  std::filesystem::remove_all(Dir + "proj");
  Form->AuthorEdit->SetFocus();
  TypeText("Ann");
  ASSERT_TRUE(RunLoopUntil([&] { return Form->AuthorEdit->Text() == "Ann"; }, 3000)) << "typed into \"Author:\"";
  PressKeys({VK_CONTROL, 'S'});
  ASSERT_TRUE(RunLoopUntil([&] { return !Asked.empty(); }, 3000)) << "the failure was shown";
  EXPECT_EQ(Asked[0].rfind("Cannot create file", 0), 0u) << Asked[0];
  // The editor goes on with the work it had.
  Asked.clear();
  TypeText("e");
  EXPECT_TRUE(RunLoopUntil([&] { return Form->AuthorEdit->Text() == "Anne"; }, 3000));
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
  EXPECT_EQ(Form->Skin().Tekija, "Anne");
  EXPECT_TRUE(Form->Modified);
  EXPECT_EQ(Form->Caption(), "Brannox 2000 skin editor - [gone.bxn]");
  // A folder that comes back takes the next Ctrl+S.
  std::filesystem::create_directories(Dir + "proj");
  PressKeys({VK_CONTROL, 'S'});
  EXPECT_TRUE(RunLoopUntil([&] { return !Form->Modified; }, 3000));
  EXPECT_TRUE(Asked.empty());
  EXPECT_EQ(Reread(Dir + "proj\\gone.bxn")->Skin.Data.Tekija, "Anne");
}

namespace {
// A point of a preview element on the screen.
POINT OnScreen(TEditorWindow& f, TControl* c, int x, int y) {
  POINT p{c->Left() + x, c->Top() + y};
  ClientToScreen(f.PreviewBox->Handle(), &p);
  return p;
}

// A drag with the real mouse from (x, y) inside c by (dx, dy) in five steps,
// with keys held from before the press to after the release.
void MouseDrag(TEditorWindow& f, TControl* c, int x, int y, int dx, int dy, std::initializer_list<WORD> held = {}) {
  const POINT from = OnScreen(f, c, x, y);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, from);
  RunLoopUntil([] { return false; }, 100);
  // Wine takes the modifier keys' state from the X server's pointer events,
  // so the held keys are pressed again (as a held key repeats) before each
  // event of the mouse.
  auto hold = [&] {
    for (WORD k : held) {
      INPUT in = KeyInput(k, false);
      SendInput(1, &in, sizeof in);
    }
  };
  hold();
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  RunLoopUntil([] { return false; }, 100);
  for (int step = 1; step <= 5; ++step) {
    hold();
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{from.x + dx * step / 5, from.y + dy * step / 5});
    RunLoopUntil([] { return false; }, 60);
  }
  hold();
  SendMouse(MOUSEEVENTF_LEFTUP);
  for (WORD k : held) {
    INPUT in = KeyInput(k, true);
    SendInput(1, &in, sizeof in);
  }
  RunLoopUntil([] { return false; }, 150);
}
}  // namespace

// A background of 1 x 1 pixel: the layout reaches far past it, and every
// drag still goes where the mouse goes.
TEST_F(EditorWindow, DragsOnAPreviewLargerThanItsBackgroundFollowTheMouse) {
  OpenProject("tiny.bxn", 1, 1);
  TEditorWindow& f = *Form;
  ShowForInput(f);
  const TbxskinData& d = f.Skin();

  MouseDrag(f, f.PreviewRows[0], 20, 5, 5, 5);
  EXPECT_EQ(d.Mainlist.Left, 53 + 5);
  EXPECT_EQ(d.Mainlist.Top, 16 + 5);
  EXPECT_EQ(f.PreviewRows[0]->Left(), 53 + 5);
  EXPECT_EQ(f.PreviewRows[12]->Left(), 53 + 5) << "the rows move as one";

  MouseDrag(f, f.PreviewButtons[0], 10, 5, 5, 4, {VK_SHIFT});
  EXPECT_EQ(d.NewButton.Width, 62 + 5);
  EXPECT_EQ(d.NewButton.Height, 18);
  MouseDrag(f, f.PreviewButtons[0], 10, 5, 3, 4, {VK_CONTROL});
  EXPECT_EQ(d.NewButton.Height, 18 + 4);
  EXPECT_EQ(d.NewButton.Width, 62 + 5);
  EXPECT_EQ(d.NewButton.Left, 231);
  // Shrinking and moving towards the background still work.
  MouseDrag(f, f.PreviewButtons[0], 30, 10, -20, -6, {VK_SHIFT, VK_CONTROL});
  EXPECT_EQ(d.NewButton.Width, 62 + 5 - 20);
  EXPECT_EQ(d.NewButton.Height, 18 + 4 - 6);
  MouseDrag(f, f.PreviewButtons[0], 10, 5, -31, -3);
  EXPECT_EQ(d.NewButton.Left, 231 - 31);
  EXPECT_EQ(d.NewButton.Top, 13 - 3);
  EXPECT_TRUE(f.Modified);
}

// Hints as the user sees them: the mouse rests on a control and its tooltip shows.
TEST_F(EditorWindow, TheHintsOfButtonsAndPreviewShowUnderTheRestingMouse) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  ShowForInput(f);
  EXPECT_EQ(HintAfterResting(MiddleOf(f.NewButton->Handle())), "New skin");
  EXPECT_EQ(HintAfterResting(MiddleOf(f.CompileButton->Handle())), "Compile skin");
  EXPECT_EQ(HintAfterResting(MiddleOf(f.SelectedFontButton->Handle())), "Select font");
  EXPECT_EQ(HintAfterResting(OnScreen(f, f.PreviewButtons[6], 10, 5)), "Close BX2000 button") << "a windowless one";
  f.Pages->SetActivePage(f.Properties);
  f.ElementCombo->SetItemIndex(0);
  f.ElementComboChange(&f);
  EXPECT_EQ(HintAfterResting(MiddleOf(f.Groups[0].Clear->Handle())), "Clear");
  EXPECT_EQ(HintAfterResting(MiddleOf(f.Groups[0].Open->Handle())), "Open Picture");
}

namespace {
// How many pixels on screen over a control of the preview have the colour:
// what the user sees there, not what the control would paint afresh.
int PixelsOnScreen(TEditorWindow& f, TControl* c, TColor colour) {
  const POINT at = OnScreen(f, c, 0, 0);
  const int w = c->Width(), h = c->Height();
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, w, h, screen, at.x, at.y, SRCCOPY);
  int count = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) count += GetPixel(copy, x, y) == ColorToRGB(colour) ? 1 : 0;
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  return count;
}
}  // namespace

// "Unselected color:" clicked with the real mouse: the preview's rows show
// the new colour at once, without anything else repainting them.
TEST_F(EditorWindow, TheRowsShowANewUnselectedColourAtOnce) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  ShowForInput(f);
  TLabel* row = f.PreviewRows[0];
  const TColor before = f.Skin().Mainlist.MainListunselFont.Color;
  ASSERT_NE(before, clLime);
  ASSERT_TRUE(RunLoopUntil([&] { return PixelsOnScreen(f, row, before) > 0; }, 3000)) << "the row is on screen";
  ASSERT_EQ(PixelsOnScreen(f, row, clLime), 0);
  Answer(mrOk, "clLime");
  POINT swatch{f.UnselectedColorSwatch->Left() + 12, f.UnselectedColorSwatch->Top() + 10};
  ClientToScreen(f.General->Handle(), &swatch);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, swatch);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(RunLoopUntil([&] { return f.UnselectedColorSwatch->BrushColor() == clLime; }, 3000));
  EXPECT_TRUE(RunLoopUntil([&] { return PixelsOnScreen(f, row, clLime) > 0; }, 3000))
      << "the row is painted in the new colour";
  EXPECT_TRUE(RunLoopUntil([&] { return PixelsOnScreen(f, f.PreviewRows[12], clLime) > 0; }, 3000))
      << "and so is the last row";
  // BX_DIALOG_LINGER=seconds keeps the window on screen to be looked at.
  char linger[16];
  if (GetEnvironmentVariableA("BX_DIALOG_LINGER", linger, sizeof linger))
    RunLoopUntil([] { return false; }, atoi(linger) * 1000);
}
