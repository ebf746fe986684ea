// TFileListBox's data side: the files of a folder that match a mask of
// ';'-separated patterns, sorted by name without regard to case.
#pragma once
#include <string>

#include "Classes.h"
#include "StringList.h"

class TFileListBox : public TComponent {
public:
  explicit TFileListBox(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TFileListBox"; }
  std::string Directory;
  std::string Mask = "*.*";
  // Lists Directory again into Items (names without folder; no folders).
  void Update();
  TStringList Items;
};
