// The file list, the folder list and the drive combo box: plain lists of a
// folder's files, of a path and its sub-folders, and of the drives, linked
// drive -> folder -> file. Without a window the file list still reads its
// items, so that a form can use it hidden.
#pragma once
#include <functional>
#include <string>

#include "Classes.h"
#include "StdLists.h"
#include "SysUtils.h"

// The kinds of entries a file list shows (FILE_ATTRIBUTE_* where they match).
enum TFileTypeBit : unsigned {
  ftReadOnly = 0x01, ftHidden = 0x02, ftSystem = 0x04, ftVolumeID = 0x08, ftDirectory = 0x10, ftArchive = 0x20,
  ftNormal = 0x80,
};
using TFileType = unsigned;

class TFileListBox : public TListBox {
public:
  explicit TFileListBox(TComponent* owner) : TListBox(owner) {}
  std::string ClassName() const override { return "TFileListBox"; }
  std::string Directory;
  std::string Mask = "*.*";
  // ftDirectory adds the folders (also "." and "..") as "[name]", after the
  // files; without ftNormal only the folders are listed.
  TFileType FileType = ftNormal;
  // Lists Directory again into Items (names without folder).
  void Update() { ReadFileNames(); }
  // The list was read again.
  TNotifyEvent OnChange;

protected:
  void CreateHandle() override;
  virtual void ReadFileNames();
  void Change() { if (OnChange) OnChange(this); }
  // Calls found for each entry of Directory that a part of Mask matches,
  // each once; a file only when its extension is the part's own.
  void FindEntries(const std::function<void(const WIN32_FIND_DATAA&)>& found) const;
};

// The folders of Directory's path, one item each from the drive's root
// down, then its sub-folders; a double click opens the item's folder.
class TDirectoryListBox : public TListBox {
public:
  explicit TDirectoryListBox(TComponent* owner);
  std::string ClassName() const override { return "TDirectoryListBox"; }
  const std::string& Directory() const { return FDirectory; }
  // A missing folder raises EInOutError and leaves the list as it was.
  void SetDirectory(const std::string& folder);
  // The full path of an item; "" out of range.
  std::string ItemPath(int index) const;
  // Items 0 .. PathCount() - 1 are the path, the rest its sub-folders.
  int PathCount() const { return FPathCount; }
  TFileListBox* FileList = nullptr;  // not owned; follows the folder
  TNotifyEvent OnChange;

protected:
  void CreateHandle() override;
  void DblClick() override;
  virtual void BuildList();

private:
  std::string FDirectory;
  int FPathCount = 0;
};

enum TTextCase { tcLowerCase, tcUpperCase };

// The drives of the system; choosing one points DirList at its root.
class TDriveComboBox : public TComboBox {
public:
  explicit TDriveComboBox(TComponent* owner);
  std::string ClassName() const override { return "TDriveComboBox"; }
  char Drive() const { return FDrive; }
  // Selects the drive's item and points DirList at its root; a root that
  // cannot be opened raises EInOutError and keeps the drive as it was.
  void SetDrive(char drive);
  TTextCase TextCase = tcLowerCase;
  TDirectoryListBox* DirList = nullptr;  // not owned

protected:
  void CreateHandle() override;
  bool CommandNotify(WORD code) override;
  // Fills the items, one a drive starting with its letter.
  virtual void BuildList();

private:
  void SelectDrive(char drive);  // the item only
  char FDrive = 'c';
};
