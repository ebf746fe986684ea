// TFileListBox's data side: the files of a folder that match a mask of
// ';'-separated patterns, sorted by name without regard to case; folders
// too when FileType asks for them.
#pragma once
#include <string>

#include "Classes.h"
#include "StringList.h"

// The kinds of entries a file list shows.
enum TFileTypeBit : unsigned { ftNormal = 1, ftDirectory = 2 };
using TFileType = unsigned;

class TFileListBox : public TComponent {
public:
  explicit TFileListBox(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TFileListBox"; }
  std::string Directory;
  std::string Mask = "*.*";
  // ftDirectory adds the folders (also "." and "..") as "[name]", after the
  // files; without ftNormal only the folders are listed.
  TFileType FileType = ftNormal;
  // Lists Directory again into Items (names without folder).
  void Update();
  TStringList Items;
};
