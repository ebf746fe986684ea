// The editor's main window under Wine: start-up and the command line, the
// mouse editing of the preview, unsaved changes, and the colour pickers.
#include "editor_window_test.h"

#include <fstream>

namespace {
constexpr TShiftState kLeft = ssLeft;

// A whole drag: down at (x0, y0), one move to (x1, y1) holding shift, up.
template <typename Down, typename Move, typename Up>
void Drag(TControl* c, Down down, Move move, Up up, int x0, int y0, int x1, int y1, TShiftState shift) {
  down(c, mbLeft, kLeft, x0, y0);
  move(c, shift, x1, y1);
  up(c, mbLeft, 0, x1, y1);
}
}  // namespace

TEST_F(EditorWindow, StartsWithItsTitleAndOpensTheProjectNamedOnTheCommandLine) {
  std::filesystem::create_directories(Dir + "my skins");
  TSkinProject p;
  p.Skin.Data.Title = "Dark";
  p.PreviewImagePath = Dir + "my skins\\preview.bmp";
  p.PreviewTransparentColor = clFuchsia;
  p.SaveAs(Dir + "my skins\\dark.bxn");
  // Unquoted, a path with a blank comes as two arguments.
  Form->FormCreate({Dir + "my", "skins\\dark.bxn"});
  EXPECT_EQ(Form->Caption(), "Brannox 2000 skin editor - [dark.bxn]");
  EXPECT_EQ(Form->TitleEdit->Text(), "Dark");
  EXPECT_EQ(Form->RecentProjects(), std::vector<std::string>{Dir + "my skins\\dark.bxn"});
  // The preview picture and its colour come along, so a save keeps them.
  EXPECT_EQ(Form->Project.PreviewImagePath, Dir + "my skins\\preview.bmp");
  EXPECT_EQ(Form->Project.PreviewTransparentColor, clFuchsia);
  EXPECT_FALSE(Form->Modified);
  EXPECT_TRUE(Asked.empty());
  // The menu bar: File, Options, About; the project is under File, Reopen.
  HMENU bar = GetMenu(Form->Handle());
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  char text[64];
  GetMenuStringA(bar, 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Options");
  ASSERT_EQ(Form->ReopenItem->Count(), 1);
  EXPECT_TRUE(Form->ReopenItem->Enabled);
  EXPECT_EQ(Form->ReopenItem->Items(0)->Caption, Dir + "my skins\\dark.bxn");
  // Closing keeps the recent list in options.ini for the next start.
  bool canClose = false;
  Form->FormCloseQuery(Form.get(), canClose);
  EXPECT_TRUE(canClose);
  TEditorWindow next(nullptr, Dir + "editor\\");
  next.FormCreate({});
  EXPECT_EQ(next.RecentProjects(), std::vector<std::string>{Dir + "my skins\\dark.bxn"});
}

TEST_F(EditorWindow, AFileThatIsNoProjectIsRefusedWithAWarning) {
  std::ofstream(Dir + "notes.txt") << "text";
  Form->FormCreate({Dir + "notes.txt"});
  EXPECT_EQ(Asked, std::vector<std::string>{kNotProjectMessage});
  EXPECT_EQ(Form->Caption(), kEditorTitle);
  Asked.clear();
  Form->FormCreate({Dir + "missing.bxn"});
  EXPECT_TRUE(Asked.empty()) << "a missing name is ignored";
}

TEST_F(EditorWindow, DragsMoveAndSizeTheElementsAndLandInTheSavedProject) {
  const std::string file = OpenLargeProject();
  TEditorWindow& f = *Form;
  auto rowDown = [&](TControl* c, TMouseButton b, TShiftState s, int x, int y) {
    f.PreviewRowMouseDown(c, b, s, x, y);
  };
  auto rowMove = [&](TControl* c, TShiftState s, int x, int y) { f.PreviewRowMouseMove(c, s, x, y); };
  auto rowUp = [&](TControl* c, TMouseButton b, TShiftState s, int x, int y) { f.PreviewRowMouseUp(c, b, s, x, y); };
  auto btnDown = [&](TControl* c, TMouseButton b, TShiftState s, int x, int y) {
    f.PreviewButtonMouseDown(c, b, s, x, y);
  };
  auto btnMove = [&](TControl* c, TShiftState s, int x, int y) { f.PreviewButtonMouseMove(c, s, x, y); };
  auto btnUp = [&](TControl* c, TMouseButton b, TShiftState s, int x, int y) { f.PreviewButtonMouseUp(c, b, s, x, y); };
  auto iconDown = [&](TControl* c, TMouseButton b, TShiftState s, int x, int y) {
    f.PreviewIconMouseDown(c, b, s, x, y);
  };
  auto iconMove = [&](TControl* c, TShiftState s, int x, int y) { f.PreviewIconMouseMove(c, s, x, y); };
  auto iconUp = [&](TControl* c, TMouseButton b, TShiftState s, int x, int y) { f.PreviewIconMouseUp(c, b, s, x, y); };

  // Row 5 dragged by (10, 20): all rows move.
  Drag(f.PreviewRows[4], rowDown, rowMove, rowUp, 5, 5, 15, 25, kLeft);
  // Button "New": its bottom-right corner dragged by (7, 3) with Shift and Ctrl.
  Drag(f.PreviewButtons[0], btnDown, btnMove, btnUp, 61, 17, 68, 20, ssShift | ssCtrl | kLeft);
  // Row 3 alone sideways by 6, then wider by 11 with Ctrl.
  Drag(f.PreviewRows[2], rowDown, rowMove, rowUp, 5, 5, 11, 5, ssShift | kLeft);
  Drag(f.PreviewRows[2], rowDown, rowMove, rowUp, 100, 5, 111, 5, ssCtrl | kLeft);
  // Icon 2 sideways by 4, then all icons down by 9.
  Drag(f.PreviewIcons[1], iconDown, iconMove, iconUp, 2, 2, 6, 2, ssShift | kLeft);
  Drag(f.PreviewIcons[0], iconDown, iconMove, iconUp, 2, 2, 2, 11, kLeft);
  // Shift + Alt is not an edit.
  Drag(f.PreviewRows[0], rowDown, rowMove, rowUp, 5, 5, 50, 50, ssShift | ssAlt | kLeft);
  EXPECT_TRUE(f.Modified);
  f.SaveItemClick(&f);

  auto p = Reread(file);
  const TbxskinData& d = p->Skin.Data;
  EXPECT_EQ(d.Mainlist.Left, 53 + 10);
  EXPECT_EQ(d.Mainlist.Top, 16 + 20);
  EXPECT_EQ(d.NewButton.Width, 62 + 7);
  EXPECT_EQ(d.NewButton.Height, 18 + 3);
  EXPECT_EQ(d.NewButton.Left, 231);
  EXPECT_EQ(d.Mainlist.Items[2].Left, 6);
  EXPECT_EQ(d.Mainlist.Items[2].Width, 169 + 11);
  EXPECT_EQ(d.Mainlist.Items[3].Width, 169);
  EXPECT_EQ(d.Iconlist.Items[1].Left, 4);
  EXPECT_EQ(d.Iconlist.Top, 16 + 9);
  EXPECT_EQ(d.Iconlist.Left, 19);
  EXPECT_EQ(f.PreviewIcons[1]->Left(), 19 + 4) << "moving all icons keeps each one's offset";
}

TEST_F(EditorWindow, AltDragsSizeEveryRow) {
  OpenLargeProject();
  TEditorWindow& f = *Form;
  f.Skin().Mainlist.Items[0].Width = 100;
  f.LayoutModList();
  // Alt: each row grows by the distance from its own width.
  f.PreviewRowMouseDown(f.PreviewRows[4], mbLeft, kLeft, 50, 5);
  f.PreviewRowMouseMove(f.PreviewRows[4], ssAlt | kLeft, 60, 5);
  EXPECT_EQ(f.Skin().Mainlist.Items[0].Width, 110);
  EXPECT_EQ(f.Skin().Mainlist.Items[4].Width, 179);
  // Alt + Ctrl: every row takes row 5's width plus the distance.
  f.PreviewRowMouseMove(f.PreviewRows[4], ssAlt | ssCtrl | kLeft, 65, 5);
  for (const Tbxskinitem& item : f.Skin().Mainlist.Items) EXPECT_EQ(item.Width, 169 + 15);
  f.PreviewRowMouseUp(f.PreviewRows[4], mbLeft, 0, 65, 5);
}

TEST_F(EditorWindow, DragsNeverGoNegativeAndStayInsideThePreview) {
  OpenLargeProject();
  TEditorWindow& f = *Form;
  const Tbxskinnappi& b = f.Skin().NewButton;
  f.PreviewButtonMouseDown(f.PreviewButtons[0], mbLeft, kLeft, 5, 5);
  f.PreviewButtonMouseMove(f.PreviewButtons[0], kLeft, -995, -995);
  EXPECT_EQ(b.Left, 0);
  EXPECT_EQ(b.Top, 0);
  f.PreviewButtonMouseMove(f.PreviewButtons[0], kLeft, 5000, 5000);
  EXPECT_EQ(b.Left, 400 - 62);
  EXPECT_EQ(b.Top, 300 - 18);
  f.PreviewButtonMouseUp(f.PreviewButtons[0], mbLeft, 0, 0, 0);
  // Shrinking past the grab point stops at 8 x 8; growing stops at the edge.
  f.PreviewButtonMouseDown(f.PreviewButtons[0], mbLeft, kLeft, 5, 5);
  f.PreviewButtonMouseMove(f.PreviewButtons[0], ssShift | ssCtrl | kLeft, -300, -300);
  EXPECT_EQ(b.Width, 8);
  EXPECT_EQ(b.Height, 8);
  f.PreviewButtonMouseMove(f.PreviewButtons[0], ssShift | ssCtrl | kLeft, 900, 900);
  EXPECT_EQ(b.Left + b.Width, 400);
  EXPECT_EQ(b.Top + b.Height, 300);
  f.PreviewButtonMouseUp(f.PreviewButtons[0], mbLeft, 0, 0, 0);
  // The rows move as one and keep inside; a row is never narrower than 20.
  f.PreviewRowMouseDown(f.PreviewRows[0], mbLeft, kLeft, 5, 5);
  f.PreviewRowMouseMove(f.PreviewRows[0], kLeft, -500, 900);
  EXPECT_EQ(f.PreviewRows[0]->Left(), 0);
  EXPECT_EQ(f.PreviewRows[12]->Top() + f.PreviewRows[12]->Height(), 300);
  EXPECT_GE(f.Skin().Mainlist.Left, 0);
  f.PreviewRowMouseMove(f.PreviewRows[0], ssCtrl | kLeft, -500, 5);
  EXPECT_EQ(f.Skin().Mainlist.Items[0].Width, 20);
  f.PreviewRowMouseUp(f.PreviewRows[0], mbLeft, 0, 0, 0);
  f.PreviewIconMouseDown(f.PreviewIcons[0], mbLeft, kLeft, 2, 2);
  f.PreviewIconMouseMove(f.PreviewIcons[0], kLeft, -500, -500);
  EXPECT_EQ(f.Skin().Iconlist.Top, 0);
  EXPECT_EQ(f.Skin().Iconlist.Left, 0);
  f.PreviewIconMouseUp(f.PreviewIcons[0], mbLeft, 0, 0, 0);
}

TEST_F(EditorWindow, UnsavedChangesAskYesNoOrCancel) {
  const std::string file = OpenLargeProject();
  TEditorWindow& f = *Form;
  f.AuthorEdit->SetText("Someone");
  ASSERT_TRUE(f.Modified);
  // Cancel keeps the project.
  Answer(mrCancel);
  f.NewItemClick(&f);
  EXPECT_TRUE(WasAsked(kSaveChangesQuestion));
  EXPECT_EQ(f.Caption(), "Brannox 2000 skin editor - [large.bxn]");
  EXPECT_EQ(f.Skin().Tekija, "Someone");
  bool canClose = true;
  Answer(mrCancel);
  f.FormCloseQuery(&f, canClose);
  EXPECT_FALSE(canClose);
  Answer(mrCancel);
  f.OpenItemClick(&f);
  Answer(mrCancel);
  f.OpenRecentProject(file);
  EXPECT_EQ(f.Skin().Tekija, "Someone");
  EXPECT_TRUE(Answers.empty()) << "each asked, none went further";
  // Yes saves first.
  Answer(mrYes);
  f.NewItemClick(&f);
  EXPECT_EQ(Reread(file)->Skin.Data.Tekija, "Someone");
  EXPECT_EQ(f.Caption(), kEditorTitle);
  // No drops the changes; an unnamed project saved on Yes asks for a name,
  // and cancelling that keeps the project open.
  f.TitleEdit->SetText("Lost");
  Answer(mrNo);
  Answer(mrCancel);  // the file dialog of Open
  f.OpenItemClick(&f);
  EXPECT_TRUE(f.Modified) << "the open dialog was cancelled";
  Answer(mrYes);
  Answer(mrCancel);  // Save as
  f.NewItemClick(&f);
  EXPECT_EQ(f.Skin().Title, "Lost");
  Answer(mrNo);
  f.FormCloseQuery(&f, canClose);
  EXPECT_TRUE(canClose);
  // No drops them; then nothing has changed: no question.
  Answer(mrNo);
  f.NewItemClick(&f);
  EXPECT_EQ(f.Skin().Title, "");
  Asked.clear();
  f.NewItemClick(&f);
  f.FormCloseQuery(&f, canClose);
  EXPECT_TRUE(Asked.empty());
}

TEST_F(EditorWindow, TheBackgroundColourPickerReadsOnlyInsideThePicture) {
  Answer(mrOk, MakePicture("back.bmp", 40, 30, clWhite, clLime));
  Form->OpenBackgroundButtonClick(Form.get());
  TEditorWindow& f = *Form;
  EXPECT_EQ(f.Skin().Width, 40);
  EXPECT_EQ(f.Skin().Height, 30);
  EXPECT_EQ(f.BackgroundImage->Width(), 40);
  f.BackgroundImageMouseMove(f.BackgroundImage, kLeft, 1, 2);
  EXPECT_EQ(f.Skin().Lapivari, clWhite) << "the selector is up";
  f.ColorSelectorButton->SetChecked(true);
  f.BackgroundImageMouseMove(f.BackgroundImage, ssShift | kLeft, 1, 2);
  EXPECT_EQ(f.Skin().Lapivari, clWhite) << "only the left button alone picks";
  f.BackgroundImageMouseMove(f.BackgroundImage, kLeft, 1, 2);
  EXPECT_EQ(f.Skin().Lapivari, clLime);
  EXPECT_EQ(f.TransparentColorSwatch->BrushColor(), clLime);
  for (POINT p : {POINT{40, 5}, POINT{-1, 5}, POINT{5, 30}, POINT{5, -3}, POINT{4000, 4000}}) {
    f.BackgroundImageMouseMove(f.BackgroundImage, kLeft, int(p.x), int(p.y));
    EXPECT_EQ(f.Skin().Lapivari, clLime) << p.x << "," << p.y;
  }
}

TEST_F(EditorWindow, TheMenuOpensTheOptionsAndAboutBoxesAndCompilesOnlyASavedProject) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  // Closes the first window of a class once it is up, and tells which it saw.
  std::vector<std::string> seen;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        for (const char* cls : {"TEditorOptionsDialog", "TAboutBox", "TCompileDialog"})
          if (HWND w = FindWindowA(cls, nullptr); w && IsWindowVisible(w)) {
            seen.push_back(cls);
            PostMessageA(w, WM_CLOSE, 0, 0);
          }
      },
      50);
  f.OptionsItem->Click();
  f.AboutItem->Click();
  Answer(mrCancel);  // Save as: no name, so no compilation
  f.CompileItem->Click();
  Application().RemoveTimer(timer);
  EXPECT_EQ(seen, (std::vector<std::string>{"TEditorOptionsDialog", "TAboutBox"}));
  EXPECT_TRUE(Answers.empty());
}

TEST_F(EditorWindow, TheSplitterSizesThePagesAndThePreview) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  const int previewRight = f.PreviewBox->Left() + f.PreviewBox->Width();
  f.PagesSplitter->MouseDown(mbLeft, kLeft, 1, 50);
  f.PagesSplitter->MouseMove(kLeft, 41, 50);
  EXPECT_EQ(f.Pages->Width(), 209 + 40);
  EXPECT_EQ(f.PreviewBox->Left(), 209 + 40 + 3);
  EXPECT_EQ(f.PreviewBox->Left() + f.PreviewBox->Width(), previewRight);
  f.PagesSplitter->MouseMove(kLeft, -5000, 50);
  EXPECT_EQ(f.Pages->Width(), 100) << "never narrower than 100";
  f.PagesSplitter->MouseMove(kLeft, 5000, 50);
  EXPECT_EQ(f.PreviewBox->Width(), 100);
  f.PagesSplitter->MouseUp(mbLeft, 0, 0, 50);
}

TEST_F(EditorWindow, ASaveThatFailsKeepsTheChangedProjectOpen) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  f.TitleEdit->SetText("Unsaved");
  Answer(mrYes);
  Answer(mrOk, Dir + "no such folder\\x.bxn");
  f.NewItemClick(&f);
  EXPECT_EQ(f.Skin().Title, "Unsaved") << "New did not drop the changes";
  EXPECT_TRUE(f.Modified);
  EXPECT_EQ(f.Caption(), kEditorTitle);
  EXPECT_GE(Asked.size(), 3u) << "the failure was shown";
}
