// What every picture reader's fuzz target does: decode the bytes; a picture
// that decodes must write as a BMP that reads back at the same size.
#pragma once
#include <cstddef>
#include <cstdint>

#include "GraphicFormats.h"

template <class T>
int FuzzPicture(const uint8_t* data, size_t size) {
  T picture;
  try {
    picture.LoadFromMemory({data, size});
  } catch (const Exception&) {
    return 0;
  }
  if (picture.Empty()) return 0;
  TBitmap again;
  again.LoadFromBytes(picture.SaveToBytes());
  if (again.Width() != picture.Width() || again.Height() != picture.Height()) __builtin_trap();
  return 0;
}
