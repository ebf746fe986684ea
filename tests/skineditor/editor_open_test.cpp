// Opening projects in the editor window: what a project holds comes through
// whole, and a damaged part costs only that part.
#include "editor_window_test.h"
#include "../support/testfiles.h"

#include <fstream>
#include <iterator>

namespace {
}  // namespace

TEST_F(EditorWindow, TheDefaultProjectKeepsBothLinesOfItsNotes) {
  const std::string built = BX_DEFAULTSKIN_DIR;
  for (const char* ext : {".bxn", ".bxc"})
    std::filesystem::copy_file(built + "/Bx2k8" + ext, Dir + "Bx2k8" + ext);
  Form->FormCreate({Dir + "Bx2k8.bxn"});
  ASSERT_EQ(Form->NotesMemo->Lines.Count(), 2);
  EXPECT_EQ(Form->NotesMemo->Lines[0], "The built-in skin of Brannox 2000.");
  EXPECT_EQ(Form->NotesMemo->Lines[1], "Dark slate with a title tab.");
  EXPECT_FALSE(Form->Modified);
  // A save keeps both, and so does the next opening.
  Form->AuthorEdit->SetText("Someone");
  Form->SaveItemClick(Form.get());
  TEditorWindow next(nullptr, Dir + "editor\\");
  next.FormCreate({Dir + "Bx2k8.bxn"});
  ASSERT_EQ(next.NotesMemo->Lines.Count(), 2);
  EXPECT_EQ(next.NotesMemo->Lines[1], "Dark slate with a title tab.");
  EXPECT_EQ(next.Skin().Tekija, "Someone");
}

TEST_F(EditorWindow, ADamagedPictureIsNamedOnceAndTheRestOfTheProjectOpens) {
  TSkinProject p;
  p.Skin.Data.Title = "Cracked";
  p.Skin.Data.Kuva.Bitmap().SetSize(20, 10);
  p.Skin.Data.Width = 20;
  p.Skin.Data.Height = 10;
  p.Skin.Data.NewButton.Kuva.Bitmap().SetSize(7, 3);
  p.Skin.Data.NewButton.Kuvak = true;
  p.Skin.Data.CloseButton.Valittu.Bitmap().SetSize(5, 5);
  p.Cursors[0] = Dir + "arrow.cur";
  p.SaveAs(Dir + "cracked.bxn");
  // The New button's picture gets a pixel size that no bitmap has.
  std::string bytes = ReadAll(Dir + "cracked.bxn");
  const std::string size7x3("\x07\0\0\0\x03\0\0\0\x01\0", 10);
  const size_t at = bytes.find(size7x3);
  ASSERT_NE(at, std::string::npos);
  ASSERT_EQ(bytes.find(size7x3, at + 1), std::string::npos);
  bytes[at + 10] = 13;
  WriteAll(Dir + "cracked.bxn", bytes);

  Form->FormCreate({Dir + "cracked.bxn"});
  ASSERT_EQ(Asked.size(), 1u) << "one message";
  EXPECT_EQ(Asked[0].rfind("These pictures of cracked.bxn cannot be read and are left empty:", 0), 0u) << Asked[0];
  EXPECT_NE(Asked[0].find("NewButton.Kuva"), std::string::npos) << Asked[0];
  const TbxskinData& d = Form->Skin();
  EXPECT_EQ(Form->Caption(), "Brannox 2000 skin editor - [cracked.bxn]");
  EXPECT_EQ(d.Title, "Cracked");
  EXPECT_EQ(d.Kuva.Width(), 20);
  EXPECT_EQ(d.CloseButton.Valittu.Width(), 5) << "a picture after the damaged one";
  EXPECT_TRUE(d.NewButton.Kuvak);
  EXPECT_TRUE(d.NewButton.Kuva.Graphic() == nullptr || d.NewButton.Kuva.Graphic()->Empty());
  EXPECT_EQ(Form->CursorEdits[0]->Text(), Dir + "arrow.cur");
  EXPECT_EQ(Form->BackgroundImage->Width(), 20);
  EXPECT_FALSE(Form->Modified);

  // A project that is not a skin stream at all still fails as a whole.
  WriteAll(Dir + "broken.bxn", "not a skin stream");
  Asked.clear();
  Form->FormCreate({Dir + "broken.bxn"});
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0].rfind("Cannot open ", 0), 0u) << Asked[0];
  EXPECT_EQ(Form->Caption(), kEditorTitle);
}
