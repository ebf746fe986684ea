// The extended grid's scroll bar settings: flat or not, their colour and
// width, proportional thumbs, and the width the columns were scaled for.
#pragma once
#include "Graphics.h"

struct TGridScrollState {
  int Type = 0, Width = 0;
  TColor Color = clNone;
  bool Proportional = false, FlatOn = false;
  int LastClientWidth = 0;
};
