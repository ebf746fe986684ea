// The file list, folder list and drive combo box with the shell's small
// file, folder and drive icons before their items.
#pragma once
#include <string>
#include <vector>

#include "FileCtrl.h"

#include <commctrl.h>

// The shell's small system icons. On the NT family the lists ask for an
// icon when they draw it; elsewhere they keep the index asked when the item
// was added. Fixed at construction.
class TShellSmallIcons {
public:
  TShellSmallIcons();
  bool NT() const { return FNT; }
  // The system's small-icon list (shared, not owned; null on NT).
  HIMAGELIST Images() const { return FImages; }
  // The system icon index of a path, or of any entry with those attributes
  // when byAttributes; -1 when the shell has none.
  static int IconOf(const std::string& path, DWORD attributes, bool byAttributes, bool open = false);
  // Draws icon index at x, y with its transparent parts left out.
  static void Draw(HDC dc, int index, int x, int y);

private:
  bool FNT;
  HIMAGELIST FImages = nullptr;  // not owned: the system's
};

class TFileListBoxEx : public TFileListBox {
public:
  explicit TFileListBoxEx(TComponent* owner) : TFileListBox(owner) { Items.Sorted = true; }
  std::string ClassName() const override { return "TFileListBoxEx"; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void ReadFileNames() override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  TShellSmallIcons FIcons;
  std::vector<int> FIconIndexes;  // without NT: each item's icon
};

class TDirectoryListBoxEx : public TDirectoryListBox {
public:
  explicit TDirectoryListBoxEx(TComponent* owner);
  std::string ClassName() const override { return "TDirectoryListBoxEx"; }

protected:
  void CreateParams(TCreateParams& params) override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  TShellSmallIcons FIcons;
  int FClosedFolder = -1, FOpenFolder = -1;  // without NT
};

class TDriveComboBoxEx : public TDriveComboBox {
public:
  explicit TDriveComboBoxEx(TComponent* owner);
  std::string ClassName() const override { return "TDriveComboBoxEx"; }
  // The text of a drive: "c: [label]", "n: \\server\share", "a: ".
  static std::string DriveText(char letter, TTextCase textCase);

protected:
  void BuildList() override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  TShellSmallIcons FIcons;
  std::vector<int> FIconIndexes;  // without NT: each drive root's icon
};
