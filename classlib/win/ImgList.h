// TIcon, an icon handle with its owner, and TImageList, a list of equal-sized
// pictures (bitmaps with a transparent colour, or icons) for menus and the
// notification area.
#pragma once
#include "Handles.h"

#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "WinGraphics.h"

class TIcon : public TPersistent {
public:
  TIcon() = default;
  std::string ClassName() const override { return "TIcon"; }
  // A copy of the source's icon.
  void Assign(const TPersistent& source) override;
  bool Empty() const { return !FHandle; }
  HICON Handle() const { return FHandle.Get(); }
  // Takes ownership of icon.
  void SetHandle(HICON icon) { FHandle.Reset(icon); }
  // An ".ico" file; raises EInvalidGraphic when it holds no icon.
  void LoadFromFile(const std::string& fileName);
  // An icon resource of the program, its image nearest to size pixels
  // (0: the system's icon size); false when there is none.
  bool LoadFromResource(const std::string& name, int size = 0);
  int Width() const;
  int Height() const;

private:
  TIconHandle FHandle;  // owned
};

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TImageList"; }
  int Width = 16, Height = 16;
  int Count() const { return int(FImages.size()); }
  // A picture drawn with the pixels of transparent left out; its index.
  int AddMasked(const TBitmap& image, TColor transparent);
  // A copy of icon; its index.
  int AddIcon(const TIcon& icon);
  void Delete(int index);
  void Clear() { FImages.clear(); }
  // The picture at index, at the list's size (an icon drawn on the
  // transparent colour clFuchsia), with its transparent colour set.
  void GetBitmap(int index, TBitmap& bitmap) const;
  // The icon at index (a picture made into an icon).
  void GetIcon(int index, TIcon& icon) const;
  void Draw(TCanvas& canvas, int x, int y, int index) const;

private:
  struct TImage {
    TBitmap Bitmap;  // empty for an icon
    TIcon Icon;      // empty for a picture
  };
  const TImage& At(int index) const;
  std::vector<TImage> FImages;
};
