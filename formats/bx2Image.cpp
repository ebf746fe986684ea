// Tbx2Image: the mouse-enter and mouse-leave notifications.
#include "bx2Image.h"

void Tbx2Image::MouseEnter() {
  // TControl::MouseEnter is where the class library fires OnMouseEnter; the
  // picture control adds nothing of its own before it.
  TImage::MouseEnter();
}

void Tbx2Image::MouseLeave() { TImage::MouseLeave(); }
