// TPakExplr: lists the entries of a Quake PAK archive's directory, optionally
// only those of one top-level folder, without extracting anything.
#pragma once
#include <string>

#include "Classes.h"
#include "StringList.h"

class TStream;

// The top-level folders that a listing can be limited to ("maps", ...).
enum TPakFileType { ptAll, ptDemos, ptEnv, ptMaps, ptModels, ptPics, ptSound, ptSprites, ptTextures };

// The folder name that a type selects; empty for ptAll.
const char* PakFolderName(TPakFileType type);

// Reads the directory of the PAK archive in s into list (cleared once the
// header has been read and the directory reached), keeping the entries of
// type's folder with that folder taken off. Raises EReadError when the header
// or an entry cannot be read; list then holds the entries read so far.
void ReadPakDirectory(TStream& s, TPakFileType type, TStringList& list);

class TPakExplr : public TComponent {
public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TPakExplr"; }

  std::string PakFile;
  TPakFileType ResourceType = ptAll;

  TStringList& ResourceList() { return FResourceList; }
  void SetResourceList(const TStringList& list) { FResourceList.Assign(list); }

  // False when PakFile does not exist (the list is left as it was); otherwise
  // fills ResourceList and returns true. Raises EReadError for a file that is
  // not a PAK archive or is cut short.
  virtual bool Explore();

private:
  TStringList FResourceList;
};
