// The per-cell graphic record and the fitting of a picture into a cell.
#pragma once
#include <cstdint>
#include <optional>

#include "Colors.h"

class TPersistent;

enum TCellGraphicKind : uint8_t {
  gkBitmap = 0, gkIcon = 1, gkNone = 2, gkImageListPicture = 3, gkCheckBox = 4, gkTextCheckBox = 5,
  gkAngledText = 6, gkValueImage = 7, gkNode = 8, gkRadioGroup = 9, gkNoGraphic = 10, gkImageRow = 11,
  gkPicture = 12, gkFilePicture = 13, gkProgress = 15, gkComment = 16, gkButton = 17,
};

struct TGraphicSize {
  int Width = 0, Height = 0;
};

// Scales a picture of (w, h) into a cell of (a, b) with margin m by a stretch
// mode (1 stretch, 2 keep proportions, 3 shrink when too big, 4 shrink
// proportionally when too big, other: as it is). Sides never come out below 0.
TGraphicSize FitPictureSize(int mode, int margin, int a, int b, int w, int h);

// One cell's graphic; the grid owns it (one per cell, moved with the cell).
// The record frees what its kind owns: Object1 always for kinds 11, 16, 17,
// for kinds 0, 12, 13 when Owned; Object2 for kind 1 when Owned.
class TCellGraphic {
public:
  TCellGraphic() = default;
  ~TCellGraphic();
  TCellGraphic(const TCellGraphic&) = delete;
  TCellGraphic& operator=(const TCellGraphic&) = delete;

  // Kinds 12 and 13 fit their picture (a TGraphic in Object1) into the
  // cell by the stretch mode in Value2 and the margin in Value; other kinds
  // give nothing.
  std::optional<TGraphicSize> FittedSize(int cellWidth, int cellHeight) const;

  uint8_t Kind = gkNone;
  TPersistent* Object1 = nullptr;  // owned by the kind's rule above
  TPersistent* Object2 = nullptr;
  uint8_t VAlign = 0, HAlign = 0;
  int32_t Value = 0;
  bool Transparent = false, Owned = false;
  uint8_t State = 0;
  int32_t Value2 = 0;
  double Position = 0;
  TColor Color = clNone;
};
