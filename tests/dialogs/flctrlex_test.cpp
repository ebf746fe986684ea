// The file, folder and drive lists with icons, on the test prefix's drives
// (run-discovery-tests.sh: D: a CD-ROM, N: a network drive, R: removable).
// The class library's headers come before windows.h (its colour macros).
#include "FlCtrlEx.h"
#include "Forms.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "discovery_fixture.h"

namespace {
class TListsForm : public TForm {
public:
  TListsForm() : TForm(nullptr) {
    SetCaption("Lists");
    SetClientSize(420, 260);
    Drives = new TDriveComboBoxEx(this);
    Drives->SetBounds(8, 8, 196, 22);
    Drives->SetParent(this);
    Folders = new TDirectoryListBoxEx(this);
    Folders->SetBounds(8, 38, 196, 214);
    Folders->SetParent(this);
    Files = new TFileListBoxEx(this);
    Files->SetBounds(212, 8, 200, 244);
    Files->SetParent(this);
    Drives->DirList = Folders;
    Folders->FileList = Files;
  }
  TDriveComboBoxEx* Drives;
  TDirectoryListBoxEx* Folders;
  TFileListBoxEx* Files;
};

int IndexOf(const TListItems& items, const std::string& text) { return items.IndexOf(text); }
}  // namespace

TEST(DriveComboBoxEx, EachDriveTypeGetsItsLabel) {
  EXPECT_EQ(TDriveComboBoxEx::DriveText('r', tcLowerCase), "r: ") << "removable: no label";
  std::string cd = TDriveComboBoxEx::DriveText('d', tcLowerCase);
  EXPECT_EQ(cd.substr(0, 4), "d: [");
  EXPECT_EQ(cd.back(), ']');
  std::string network = TDriveComboBoxEx::DriveText('N', tcUpperCase);
  EXPECT_EQ(network.substr(0, 3), "N: ") << "a network drive without a connection name falls back to its label";
  char name[MAX_PATH + 1] = "";
  GetVolumeInformationA("c:\\", name, sizeof name, nullptr, nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(TDriveComboBoxEx::DriveText('c', tcLowerCase), "c: [" + LowerCase(name) + "]");
  EXPECT_EQ(TDriveComboBoxEx::DriveText('C', tcUpperCase), "C: [" + UpperCase(name) + "]");
  EXPECT_EQ(TDriveComboBoxEx::DriveText('q', tcLowerCase), "") << "no such drive";
}

TEST(FileListsEx, DriveFolderAndFileListsFollowEachOther) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string root = std::string(temp) + "bx_flctrlex";
  RemoveTree(root);
  MakeDirs(root + "\\maps\\sub");
  for (int i = 0; i < 120; ++i) WriteTextFile(root + "\\maps\\map" + IntToStr(100 + i) + ".bsp", "x");
  WriteTextFile(root + "\\maps\\readme.txt", "x");

  TListsForm form;
  form.Files->Mask = "*.bsp";
  form.Files->FileType = ftNormal | ftDirectory;
  form.Show();
  form.Drives->SetDrive('c');
  EXPECT_EQ(form.Drives->Text().substr(0, 3), "c: ");
  EXPECT_EQ(form.Folders->Directory(), "c:\\");
  form.Folders->SetDirectory(root + "\\maps");
  EXPECT_EQ(form.Files->Directory, form.Folders->Directory());
  EXPECT_EQ(form.Files->Items.Count(), 120) << "the mask is for folders too";
  EXPECT_LT(IndexOf(form.Files->Items, "readme.txt"), 0);
  EXPECT_EQ(form.Files->Items[0], "map100.bsp");
  form.Files->Mask = "*.*";
  form.Files->FileType = ftDirectory;
  form.Files->Update();
  ASSERT_EQ(form.Files->Items.Count(), 3);
  EXPECT_EQ(form.Files->Items[0], "[..]");
  EXPECT_EQ(form.Files->Items[1], "[.]");
  EXPECT_EQ(form.Files->Items[2], "[sub]");
  form.Files->FileType = ftNormal | ftDirectory;

  const int path = form.Folders->PathCount();
  EXPECT_EQ(form.Folders->Items.Count(), path + 1);
  EXPECT_EQ(form.Folders->Items[path - 1], "maps");
  EXPECT_EQ(form.Folders->ItemPath(path), root + "\\maps\\sub");
  EXPECT_EQ(form.Folders->ItemPath(path - 2), root);
  EXPECT_THROW(form.Folders->SetDirectory(root + "\\missing"), EInOutError);
  EXPECT_EQ(form.Folders->Directory(), root + "\\maps");
  const std::string driveText = form.Drives->Text();
  EXPECT_THROW(form.Drives->SetDrive('q'), EInOutError) << "no such drive";
  EXPECT_EQ(form.Drives->Drive(), 'c') << "the drive list stays on the folder's drive";
  EXPECT_EQ(form.Drives->Text(), driveText);
  EXPECT_EQ(form.Folders->Directory(), root + "\\maps");
  HoldForLooking("BX_SHOW_LISTS");

  form.Folders->SetItemIndex(path);
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(form.Folders->Handle()), LBN_DBLCLK),
               LPARAM(form.Folders->Handle()));
  EXPECT_EQ(form.Folders->Directory(), root + "\\maps\\sub");
  EXPECT_EQ(form.Files->Items.Count(), 2);  // "[.]" and "[..]" only
  SetCurrentDirectoryA(temp);
  RemoveTree(root);
}
