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
class TCustomDXDraw;
class TDirectDrawSurface;

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
  int SurfaceCount() const { return int(FSurfaces.size()); }
  TDirectDrawSurface& Surfaces(int index) const { return *FSurfaces.at(size_t(index)); }
  bool Initialized() const { return FInitialized; }

  // Makes the surfaces and patterns on the collection's control (nothing
  // without a picture or an initialized collection).
  void Restore();
  // Drops them.
  void Finalize();

private:
  friend class TPictureCollection;
  TPatternSizes Sizes() const { return {PatternWidth, PatternHeight, SkipWidth, SkipHeight}; }
  TPictureCollection& Pictures() const;

  TPicture FPicture;  // owned
  TColor FTransparentColor = clBlack;
  std::vector<TPatternCell> FPatterns;
  std::vector<std::unique_ptr<TDirectDrawSurface>> FSurfaces;  // on the control's DirectDraw object
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
  TCustomDXDraw* DXDraw() const { return FDXDraw; }
  // EPictureCollectionError when the control is not initialized.
  void Initialize(TCustomDXDraw& dxDraw);
  void Finalize();
  void Restore();
  // "ColorTable": 256 entries of 4 bytes.
  void DefineProperties(TFiler& filer) override;
  TRGBQuads ColorTable{};

private:
  TComponent* FOwner;  // not owned
  TCustomDXDraw* FDXDraw = nullptr;  // not owned
};

class TCustomDXImageList : public TComponent {
public:
  explicit TCustomDXImageList(TComponent* owner);
  ~TCustomDXImageList() override;
  std::string ClassName() const override { return "TCustomDXImageList"; }
  TPictureCollection& Items() { return FItems; }
  // The collection takes a copy of the given one.
  void SetItems(const TPictureCollection& items) { FItems.Assign(items); }
  TCustomDXDraw* DXDraw() const { return FDXDraw; }
  // Follows the control: initialized, finalized and restored with it.
  void SetDXDraw(TCustomDXDraw* dxDraw);

private:
  void DXDrawNotify(int type);
  TPictureCollection FItems;
  TCustomDXDraw* FDXDraw = nullptr;  // not owned
  int FSubscription = 0;
};

class TDXImageList : public TCustomDXImageList {
public:
  using TCustomDXImageList::TCustomDXImageList;
  std::string ClassName() const override { return "TDXImageList"; }
};
