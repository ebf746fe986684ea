// Picture collections and image lists: named pictures that, on a DirectDraw
// control, become surfaces cut into pattern cells; without one a plain
// named picture store.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "DXClass.h"
#include "DXDrawsPatterns.h"
#include "Graphics.h"

class TPictureCollection;

class EPictureCollectionError : public Exception { using Exception::Exception; };

class TPictureCollectionItem : public THashCollectionItem {
public:
  explicit TPictureCollectionItem(TPictureCollection* collection);
  ~TPictureCollectionItem() override;
  std::string ClassName() const override { return "TPictureCollectionItem"; }
  // From another picture item: everything but the name; else THashCollectionItem's.
  void Assign(const TPersistent& source) override;

  TPicture& Picture() { return FPicture; }
  const TPicture& Picture() const { return FPicture; }
  void SetPicture(const TPicture& picture) { FPicture.Assign(picture); }

  int PatternWidth = 0, PatternHeight = 0;  // 0: the picture's
  int SkipWidth = 0, SkipHeight = 0;
  bool SystemMemory = false;
  bool Transparent = true;
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor color);

  // The effective pattern size: the picture's when 0.
  int EffectivePatternWidth() const { return PatternWidth > 0 ? PatternWidth : FPicture.Width(); }
  int EffectivePatternHeight() const { return PatternHeight > 0 ? PatternHeight : FPicture.Height(); }
  int PatternCount() const { return int(FPatterns.size()); }
  const TPatternCell& Patterns(int index) const { return FPatterns.at(size_t(index)); }
  bool Initialized() const { return FInitialized; }

private:
  TPatternSizes Sizes() const { return {PatternWidth, PatternHeight, SkipWidth, SkipHeight}; }

  TPicture FPicture;  // owned
  TColor FTransparentColor = clBlack;
  std::vector<TPatternCell> FPatterns;
  bool FInitialized = false;
};

class TPictureCollection : public THashCollection {
public:
  explicit TPictureCollection(TComponent* owner);
  std::string ClassName() const override { return "TPictureCollection"; }
  TPictureCollectionItem* Items(int index) const {
    return static_cast<TPictureCollectionItem*>(THashCollection::Items(index));
  }
  TComponent* Owner() const { return FOwner; }
  // "ColorTable": 256 entries of 4 bytes.
  void DefineProperties(TFiler& filer) override;
  TRGBQuads ColorTable{};

private:
  TComponent* FOwner;  // not owned
};

class TCustomDXImageList : public TComponent {
public:
  explicit TCustomDXImageList(TComponent* owner);
  std::string ClassName() const override { return "TCustomDXImageList"; }
  TPictureCollection& Items() { return FItems; }
  // The collection takes a copy of the given one.
  void SetItems(const TPictureCollection& items) { FItems.Assign(items); }

private:
  TPictureCollection FItems;
};

class TDXImageList : public TCustomDXImageList {
public:
  using TCustomDXImageList::TCustomDXImageList;
  std::string ClassName() const override { return "TDXImageList"; }
};
