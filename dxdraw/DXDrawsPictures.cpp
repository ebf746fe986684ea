// Picture collections and the image list.
#include "DXDrawsPictures.h"

#include <cstring>

#include "DXDrawsControl.h"
#include "Filer.h"
#include "Streams.h"

// --- TPictureCollectionItem

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection* collection) : THashCollectionItem(collection) {}

TPictureCollectionItem::~TPictureCollectionItem() { Finalize(); }

TPictureCollection& TPictureCollectionItem::Pictures() const { return *static_cast<TPictureCollection*>(Collection()); }

void TPictureCollectionItem::SetTransparentColor(TColor color) {
  if (color == FTransparentColor) return;
  FTransparentColor = color;
  for (auto& surface : FSurfaces) {
    try {
      surface->SetColorKey(surface->ColorMatch(color));
    } catch (const Exception&) {
      // a surface that cannot be matched keeps its key
    }
  }
}

void TPictureCollectionItem::Finalize() {
  FPatterns.clear();
  FSurfaces.clear();
  FInitialized = false;
}

void TPictureCollectionItem::Restore() {
  TGraphic* graphic = FPicture.Graphic();
  TCustomDXDraw* dx = Collection() ? Pictures().DXDraw() : nullptr;
  if (!graphic || graphic->Empty() || !dx || !dx->DDraw()) return;
  FInitialized = true;
  FPatterns.clear();
  FSurfaces.clear();
  TPatternLayout layout = LayoutPatterns(graphic->Width(), graphic->Height(), Sizes(), SystemMemory);
  for (const TRect& tile : layout.Tiles) {
    auto surface = std::make_unique<TDirectDrawSurface>(*dx->DDraw());
    if (SystemMemory) {
      // A one-pixel surface first: SetSize keeps to system memory after it.
      DDSURFACEDESC2 desc{};
      desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
      desc.dwWidth = desc.dwHeight = 1;
      desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
      surface->CreateSurface(desc);
    }
    surface->LoadGraphicPart(*graphic, 0, 0, RECT{tile.Left, tile.Top, tile.Right, tile.Bottom});
    surface->SetColorKey(surface->ColorMatch(FTransparentColor));
    FSurfaces.push_back(std::move(surface));
  }
  FPatterns = std::move(layout.Patterns);
}

void TPictureCollectionItem::Assign(const TPersistent& source) {
  auto* item = dynamic_cast<const TPictureCollectionItem*>(&source);
  if (!item) {
    THashCollectionItem::Assign(source);
    return;
  }
  if (item == this) return;
  bool wasInitialized = FInitialized;
  Finalize();
  PatternWidth = item->PatternWidth;
  PatternHeight = item->PatternHeight;
  SkipWidth = item->SkipWidth;
  SkipHeight = item->SkipHeight;
  SystemMemory = item->SystemMemory;
  Transparent = item->Transparent;
  FTransparentColor = item->FTransparentColor;
  FPicture.Assign(item->FPicture);
  if (wasInitialized) Restore();
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

void TPictureCollection::Initialize(TCustomDXDraw& dxDraw) {
  Finalize();
  if (!dxDraw.Initialized()) throw EPictureCollectionError(ClassName() + " cannot be initialized");
  FDXDraw = &dxDraw;
  for (int i = 0; i < Count(); ++i) Items(i)->Restore();
}

void TPictureCollection::Finalize() {
  for (int i = 0; i < Count(); ++i) Items(i)->Finalize();
  FDXDraw = nullptr;
}

void TPictureCollection::Restore() {
  for (int i = 0; i < Count(); ++i) Items(i)->Restore();
}

// --- the image list

TCustomDXImageList::TCustomDXImageList(TComponent* owner) : TComponent(owner), FItems(this) {}

TCustomDXImageList::~TCustomDXImageList() { SetDXDraw(nullptr); }

void TCustomDXImageList::SetDXDraw(TCustomDXDraw* dxDraw) {
  if (FDXDraw) {
    // The subscription ends with the finalize notifications, which drop the surfaces.
    TCustomDXDraw* old = std::exchange(FDXDraw, nullptr);
    old->UnRegisterNotifyEvent(FSubscription);
    FItems.Finalize();
  }
  FDXDraw = dxDraw;
  if (FDXDraw)
    FSubscription = FDXDraw->RegisterNotifyEvent([this](TCustomDXDraw&, TDXDrawNotifyType t) { DXDrawNotify(t); });
}

void TCustomDXImageList::DXDrawNotify(int type) {
  switch (type) {
    case dxntDestroying:
      FItems.Finalize();
      FDXDraw = nullptr;
      break;
    case dxntInitialize: FItems.Initialize(*FDXDraw); break;
    case dxntFinalize: FItems.Finalize(); break;
    case dxntRestore: FItems.Restore(); break;
  }
}
