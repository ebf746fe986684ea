// Picture collections and the image list.
#include "DXDrawsPictures.h"

#include <cstring>

#include "Filer.h"
#include "Streams.h"

// --- TPictureCollectionItem

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection* collection) : THashCollectionItem(collection) {}

TPictureCollectionItem::~TPictureCollectionItem() = default;

void TPictureCollectionItem::SetTransparentColor(TColor color) { FTransparentColor = color; }

void TPictureCollectionItem::Assign(const TPersistent& source) {
  auto* item = dynamic_cast<const TPictureCollectionItem*>(&source);
  if (!item) {
    THashCollectionItem::Assign(source);
    return;
  }
  if (item == this) return;
  PatternWidth = item->PatternWidth;
  PatternHeight = item->PatternHeight;
  SkipWidth = item->SkipWidth;
  SkipHeight = item->SkipHeight;
  SystemMemory = item->SystemMemory;
  Transparent = item->Transparent;
  FTransparentColor = item->FTransparentColor;
  FPicture.Assign(item->FPicture);
}

// --- TPictureCollection

TPictureCollection::TPictureCollection(TComponent* owner)
    : THashCollection([](TCollection& c) -> TCollectionItem* {
        return new TPictureCollectionItem(static_cast<TPictureCollection*>(&c));
      }),
      FOwner(owner) {}

void TPictureCollection::DefineProperties(TFiler& filer) {
  constexpr int64_t kBytes = int64_t(sizeof(TRGBQuad)) * 256;
  filer.BinaryProperty(
      "ColorTable",
      [this](TStream& s) {
        TRGBQuads table{};
        s.ReadBuffer(table.data(), kBytes);
        ColorTable = table;
      },
      [this](TStream& s) { s.WriteBuffer(ColorTable.data(), kBytes); }, true);
}

// --- the image list

TCustomDXImageList::TCustomDXImageList(TComponent* owner) : TComponent(owner), FItems(this) {}
