// The editor's pages under Wine: every General and Properties control sets
// its value into the saved project, the Cursors page reaches the compiled
// package, the preview image dialog picks its colour, and "Save Picture"
// writes Windows bitmaps.
#include "editor_window_test.h"

#include <fstream>
#include <iterator>

#include "ChooseDialogs.h"
#include "FileUtils.h"
#include "PreviewImageDialog.h"

namespace {
constexpr TShiftState kLeft = ssLeft;
std::string FileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> MemberNames(const TSkinPackageInput& input) {
  std::vector<std::string> names;
  for (const auto& m : MakeSkinPackageMembers(input)) names.push_back(m.Name);
  return names;
}

bool Has(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}
}  // namespace

TEST_F(EditorWindow, TheGeneralPageSetsItsValuesIntoTheSavedProject) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  f.AuthorEdit->SetText("Author A");
  f.TitleEdit->SetText("Title T");
  f.NotesMemo->SetText("line one\r\nline two");
  Answer(mrOk, "clRed");
  f.TransparentColorSwatchMouseDown(&f, mbLeft, kLeft, 0, 0);
  Answer(mrOk, "$00123456");
  f.SelectedColorSwatchMouseDown(&f, mbLeft, kLeft, 0, 0);
  Answer(mrCancel, "clBlue");
  f.UnselectedColorSwatchMouseDown(&f, mbLeft, kLeft, 0, 0);  // cancelled: unchanged
  Answer(mrOk, "Verdana;-20;3");  // an answer that is no font changes nothing
  EXPECT_THROW(f.UnselectedFontButtonClick(&f), EConvertError);
  EXPECT_EQ(f.Skin().Mainlist.MainListunselFont.Name, "Arial");
  Answer(mrOk, "Verdana;-20;3;clNavy;0");
  f.UnselectedFontButtonClick(&f);
  EXPECT_EQ(f.PreviewRows[0]->Font.Name, "Verdana") << "the rows show the unselected font";
  Answer(mrOk, MakePicture("back.bmp", 120, 90));
  f.OpenBackgroundButtonClick(&f);
  Answer(mrOk, Dir + "general.bxn");
  EXPECT_TRUE(f.MenuBar->IsShortCut('S', ssCtrl)) << "Ctrl+S saves";
  EXPECT_EQ(f.Caption(), "Brannox 2000 skin editor - [general.bxn]");

  auto p = Reread(Dir + "general.bxn");
  const TbxskinData& d = p->Skin.Data;
  EXPECT_EQ(d.Tekija, "Author A");
  EXPECT_EQ(d.Title, "Title T");
  ASSERT_EQ(d.Comments.Count(), 1);
  EXPECT_EQ(d.Comments[0], "line one\r\nline two");
  EXPECT_EQ(d.Lapivari, clRed);
  EXPECT_EQ(d.Mainlist.MainListselFont.Color, TColor(0x00123456));
  EXPECT_EQ(d.Mainlist.MainListunselFont.Name, "Verdana");
  EXPECT_EQ(d.Mainlist.MainListunselFont.Height, -20);
  EXPECT_EQ(d.Mainlist.MainListunselFont.Style, uint32_t(fsBold | fsItalic));
  EXPECT_EQ(d.Mainlist.MainListunselFont.Color, clNavy);
  EXPECT_EQ(d.Width, 120);
  EXPECT_EQ(d.Height, 90);
  EXPECT_EQ(d.Kuva.Width(), 120);
  // The custom colours are kept beside the editor for the next run.
  EXPECT_TRUE(FileExists(Dir + "editor\\colors.dat"));
}

TEST_F(EditorWindow, TheButtonPageSetsItsValuesIntoTheSavedProject) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  f.ElementCombo->SetItemIndex(3);  // "Remove all button"
  f.ElementComboChange(&f);
  EXPECT_EQ(f.ButtonSpins[0]->Value(), 71);
  EXPECT_FALSE(f.Modified) << "showing an element writes nothing back";
  f.ButtonSpins[0]->SetValue(50);
  f.ButtonSpins[1]->SetValue(60);
  EXPECT_EQ(f.PreviewButtons[3]->Top(), 50);
  Answer(mrOk, MakePicture("button.bmp", 40, 20));
  f.OpenPictureClick(0);
  EXPECT_EQ(f.PreviewButtons[3]->Width(), 40);
  EXPECT_EQ(f.PreviewButtons[3]->Height(), 20);
  EXPECT_TRUE(f.Groups[0].Enabled->Checked());
  Answer(mrOk, MakePicture("hot.bmp", 5, 5));
  f.OpenPictureClick(2);
  EXPECT_EQ(f.PreviewButtons[3]->Width(), 40) << "only the picture sizes the button";
  f.Groups[1].Transparent->SetChecked(true);
  Answer(mrOk, "clAqua");
  f.PictureSwatchMouseDown(1);
  // The colour selector over the thumbnail: inside picks, outside is ignored.
  f.Groups[0].Picker->SetChecked(true);
  // The thumbnail is stretched: the point over pixel (1, 2) of the 40 x 20 picture.
  const int w = f.Groups[0].Thumb->Width(), h = f.Groups[0].Thumb->Height();
  f.ThumbMouseMove(0, kLeft, (w + 39) / 40, (2 * h + 19) / 20);
  EXPECT_EQ(f.Skin().RemoveallButton.Kuvalvari, clRed);
  f.ThumbMouseMove(0, kLeft, f.Groups[0].Thumb->Width(), 0);
  f.ThumbMouseMove(0, kLeft, -1, 0);
  EXPECT_EQ(f.Skin().RemoveallButton.Kuvalvari, clRed);
  // "Confirm Clear?" answered No changes nothing; Yes clears.
  Answer(mrNo);
  f.ClearPictureClick(2);
  EXPECT_TRUE(WasAsked(kConfirmClear));
  EXPECT_TRUE(f.Skin().RemoveallButton.Valittuk);
  Answer(mrYes);
  f.ClearPictureClick(2);
  EXPECT_FALSE(f.Skin().RemoveallButton.Valittuk);
  EXPECT_EQ(f.Skin().RemoveallButton.Valittu.Graphic(), nullptr);
  // Unticking "Enabled" shows the cross but keeps the picture.
  f.Groups[0].Enabled->SetChecked(false);
  EXPECT_EQ(f.PreviewButtons[3]->Picture().Height(), f.CrossPicture.Height()) << "the cross";
  EXPECT_EQ(f.Skin().RemoveallButton.Kuva.Width(), 40);
  f.Groups[0].Enabled->SetChecked(true);
  Answer(mrOk, Dir + "buttons.bxn");
  f.SaveAsItemClick(&f);

  auto p = Reread(Dir + "buttons.bxn");
  const Tbxskinnappi& b = p->Skin.Data.RemoveallButton;
  EXPECT_EQ(b.Top, 50);
  EXPECT_EQ(b.Left, 60);
  EXPECT_EQ(b.Width, 40);
  EXPECT_EQ(b.Height, 20);
  EXPECT_TRUE(b.Kuvak);
  EXPECT_EQ(b.Kuva.Width(), 40);
  EXPECT_EQ(b.Kuvalvari, clRed);
  EXPECT_TRUE(b.Painettulapik);
  EXPECT_EQ(b.Painettulvari, clAqua);
  EXPECT_FALSE(b.Valittuk);
}

TEST_F(EditorWindow, TheListPagesSetTheirValuesIntoTheSavedProject) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  f.ElementCombo->SetItemIndex(9);
  f.ElementComboChange(&f);
  ASSERT_TRUE(f.ElementPages[1]->Visible());
  EXPECT_EQ(GetParent(f.ElementPages[1]->Handle()), f.PropertyBox->Handle()) << "a page of the notebook, not a window";
  f.ModListLeadingSpin->SetValue(-3);  // a negative leading spaces the rows as 3
  f.ModListTopSpin->SetValue(30);
  f.ModItemLeft[1]->SetValue(7);
  f.ModItemWidth[12]->SetValue(150);
  EXPECT_EQ(f.PreviewRows[1]->Top() - f.PreviewRows[0]->Top(), f.PreviewRows[0]->Height() + 3);
  EXPECT_EQ(f.PreviewRows[1]->Left(), 53 + 7);
  f.ElementCombo->SetItemIndex(10);
  f.ElementComboChange(&f);
  EXPECT_EQ(f.IconSizeSpin->Value(), 16);
  EXPECT_EQ(f.IconSizeLabel->Caption(), "16x16");
  f.IconSizeSpin->SetValue(24);
  EXPECT_EQ(f.IconSizeLabel->Caption(), "24x24");
  EXPECT_EQ(f.ItemSizeLabels[5]->Caption(), "24x24");
  f.SizeOffsetSpins[0]->SetValue(-4);
  EXPECT_EQ(f.ItemSizeLabels[0]->Caption(), "20x20");
  EXPECT_EQ(f.PreviewIcons[0]->Width(), 20);
  EXPECT_EQ(f.PreviewIcons[1]->Top(), f.PreviewIcons[0]->Top() + 20);
  f.IconListLeadingSpin->SetValue(2);
  f.IconItemLeft[4]->SetValue(-5);
  Answer(mrOk, Dir + "lists.bxn");
  f.SaveItemClick(&f);

  auto p = Reread(Dir + "lists.bxn");
  const TbxskinData& d = p->Skin.Data;
  EXPECT_EQ(d.Mainlist.Height, -3);
  EXPECT_EQ(d.Mainlist.Top, 30);
  EXPECT_EQ(d.Mainlist.Items[1].Left, 7);
  EXPECT_EQ(d.Mainlist.Items[12].Width, 150);
  EXPECT_EQ(d.Iconlist.IconWidth, 24);
  EXPECT_EQ(d.Iconlist.IconHeight, 24);
  EXPECT_EQ(d.Iconlist.Items[0].Width, -4);
  EXPECT_EQ(d.Iconlist.Height, 2);
  EXPECT_EQ(d.Iconlist.Items[4].Left, -5);
}

TEST_F(EditorWindow, TheCursorsPageFillsTheNineFieldsAndThePackageCarriesThem) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  for (int slot = 0; slot < kSkinCursorSlots; ++slot) {
    const std::string name = Dir + "c" + IntToStr(slot) + (slot == 2 ? ".ani" : ".cur");
    std::ofstream(name, std::ios::binary) << "cursor " << slot;
    Answer(mrOk, name);
    f.OpenCursorClick(slot);
    EXPECT_EQ(f.CursorEdits[size_t(slot)]->Text(), name);
  }
  f.ClearCursorClick(8);
  EXPECT_EQ(f.CursorEdits[8]->Text(), "");
  Answer(mrOk, Dir + "cursors.bxn");
  f.SaveItemClick(&f);
  TStringList companion;
  companion.LoadFromFile(Dir + "cursors.bxc");
  ASSERT_EQ(companion.Count(), 11);
  EXPECT_EQ(companion[0], Dir + "c0.cur") << "Save as keeps full paths";
  EXPECT_EQ(companion[8], "");

  auto p = Reread(Dir + "cursors.bxn");
  const std::vector<std::string> names = MemberNames(p->PackageInput(TStringList()));
  for (const char* member : {"cur.cur", "cur_new.cur", "cur_modify.ani", "cur_remove.cur", "cur_settings.cur",
                             "cur_about.cur", "cur_exit.cur", "cur_up.cur"})
    EXPECT_TRUE(Has(names, member)) << member;
  EXPECT_FALSE(Has(names, "cur_down.cur"));
  // Opened again, the fields are filled from the companion.
  TEditorWindow again(nullptr, Dir + "editor\\");
  again.FormCreate({Dir + "cursors.bxn"});
  EXPECT_EQ(again.CursorEdits[2]->Text(), Dir + "c2.ani");
  EXPECT_EQ(again.CursorEdits[8]->Text(), "");
}

TEST_F(EditorWindow, ThePreviewImageDialogPicksItsPictureAndColour) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  TPreviewImageDialog dialog(nullptr, f);
  Answer(mrOk, MakePicture("preview.bmp", 6, 5, clWhite, clYellow));
  dialog.OpenButtonClick(&dialog);
  EXPECT_EQ(f.Project.PreviewImagePath, Dir + "preview.bmp");
  EXPECT_EQ(dialog.PictureImage->Width(), 6);
  dialog.PictureImageMouseMove(dialog.PictureImage, kLeft, 1, 2);
  EXPECT_EQ(f.Project.PreviewTransparentColor, clWhite) << "Sa1 is up";
  dialog.ColorSelectorButton->SetChecked(true);
  dialog.PictureImageMouseMove(dialog.PictureImage, kLeft, 1, 2);
  EXPECT_EQ(f.Project.PreviewTransparentColor, clYellow);
  EXPECT_EQ(dialog.TransparentColorSwatch->BrushColor(), clYellow);
  dialog.PictureImageMouseMove(dialog.PictureImage, kLeft, 6, 2);
  dialog.PictureImageMouseMove(dialog.PictureImage, kLeft, 3, 99);
  EXPECT_EQ(f.Project.PreviewTransparentColor, clYellow) << "past the edge: ignored";
  dialog.ClearButtonClick(&dialog);
  EXPECT_EQ(f.Project.PreviewImagePath, "");
  EXPECT_EQ(f.Project.PreviewTransparentColor, clYellow) << "clearing keeps the colour";
  Answer(mrOk, "clFuchsia");
  dialog.TransparentColorSwatchMouseDown(&dialog, mbLeft, kLeft, 0, 0);
  EXPECT_EQ(f.Project.PreviewTransparentColor, clFuchsia);
  EXPECT_TRUE(f.Modified);
}

TEST_F(EditorWindow, SavePictureAndThePackagePreviewAreWindowsBitmapsWhateverTheSource) {
  TEditorWindow& f = *Form;
  f.FormCreate({});
  TTargaGraphic tga;
  tga.SetSize(7, 3);
  tga.SetPixel(2, 1, clRed);
  tga.SaveToFile(Dir + "pic.tga");
  ASSERT_NE(FileBytes(Dir + "pic.tga").substr(0, 2), "BM");
  Answer(mrOk, Dir + "pic.tga");
  f.OpenPictureClick(0);
  Answer(mrOk, Dir + "saved.bmp");
  f.SavePictureClick(0);
  const std::string saved = FileBytes(Dir + "saved.bmp");
  ASSERT_EQ(saved.substr(0, 2), "BM");
  TBitmap back;
  back.LoadFromFile(Dir + "saved.bmp");
  EXPECT_EQ(back.Width(), 7);
  EXPECT_EQ(back.Pixel(2, 1), clRed);
  // The package's preview.bmp from a Targa preview picture.
  f.Project.PreviewImagePath = Dir + "pic.tga";
  Answer(mrOk, Dir + "tga.bxn");
  f.SaveItemClick(&f);
  for (const auto& m : MakeSkinPackageMembers(f.Project.PackageInput(TStringList())))
    if (m.Name == "preview.bmp") {
      ASSERT_GE(m.Bytes.size(), 2u);
      EXPECT_EQ(std::string(m.Bytes.begin(), m.Bytes.begin() + 2), "BM");
    }
}
