// DirectDraw surfaces and their GDI canvas.
#include "DXDraws.h"

#include <algorithm>
#include <cstring>

#include "DIBWin.h"

// --- the canvas

TCanvas& TDirectDrawSurfaceCanvas::Canvas() {
  if (!FCanvas) {
    FSurface.SetLastResult(FSurface.ISurface4()->GetDC(&FDC));
    if (FSurface.LastResult() != DD_OK) {
      FDC = nullptr;
      throw EDirectDrawSurfaceError("Surface DC cannot be made");
    }
    FCanvas.emplace(FDC);
  }
  return *FCanvas;
}

void TDirectDrawSurfaceCanvas::Release() {
  FCanvas.reset();
  if (FDC && FSurface.HasSurface()) FSurface.ISurface4()->ReleaseDC(FDC);
  FDC = nullptr;
}

// --- TDirectDrawSurface

TDirectDrawSurface::TDirectDrawSurface(TDirectDraw& draw) : FDraw(draw) { FDraw.FSurfaces.push_back(this); }

TDirectDrawSurface::~TDirectDrawSurface() {
  FCanvas.reset();
  while (FLockCount > 0) Unlock();
  std::erase(FDraw.FSurfaces, this);
}

IDirectDrawSurface4* TDirectDrawSurface::ISurface4() const {
  if (!FSurface) throw EDirectDrawSurfaceError("IDirectDrawSurface4 not made");
  return FSurface.Get();
}

void TDirectDrawSurface::SetInterface(IDirectDrawSurface4* surface) {
  if (FCanvas) FCanvas->Release();
  while (FLockCount > 0) Unlock();
  FSurface.Share(surface);
  FDesc = {};
  FDesc.dwSize = sizeof(FDesc);
  if (FSurface) SetLastResult(FSurface->GetSurfaceDesc(&FDesc));
}

bool TDirectDrawSurface::CreateSurface(DDSURFACEDESC2 desc) {
  SetInterface(nullptr);
  desc.dwSize = sizeof(desc);
  TInterface<IDirectDrawSurface4> made;
  SetLastResult(FDraw.IDraw4()->CreateSurface(&desc, made.Out(), nullptr));
  if (LastResult() != DD_OK) return false;
  if (desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY) FSystemMemory = true;
  SetInterface(made.Get());
  SetColorKey(0);
  return true;
}

void TDirectDrawSurface::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    SetInterface(nullptr);
    return;
  }
  DDSURFACEDESC2 desc{};
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.dwWidth = DWORD(width);
  desc.dwHeight = DWORD(height);
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (FSystemMemory ? DDSCAPS_SYSTEMMEMORY : 0);
  if (CreateSurface(desc)) return;
  if (!FSystemMemory) {
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    if (CreateSurface(desc)) {
      FSystemMemory = true;
      return;
    }
  }
  throw EDirectDrawSurfaceError("Surface cannot be made");
}

bool TDirectDrawSurface::Fill(DWORD deviceColor) {
  if (!FSurface) return false;
  DDBLTFX fx{};
  fx.dwSize = sizeof(fx);
  fx.dwFillColor = deviceColor;
  SetLastResult(FSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
  return LastResult() == DD_OK;
}

TDirectDrawSurfaceCanvas& TDirectDrawSurface::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TDirectDrawSurfaceCanvas>(*this);
  return *FCanvas;
}

bool TDirectDrawSurface::Blt(const RECT* dest, const RECT* source, TDirectDrawSurface* from, DWORD flags,
                             DDBLTFX* effects) {
  if (!FSurface) return false;
  SetLastResult(ISurface4()->Blt(const_cast<RECT*>(dest), from ? from->ISurface4() : nullptr,
                                 const_cast<RECT*>(source), flags, effects));
  return LastResult() == DD_OK;
}

bool TDirectDrawSurface::Flip() {
  SetLastResult(ISurface4()->Flip(nullptr, DDFLIP_WAIT));
  return LastResult() == DD_OK;
}

bool TDirectDrawSurface::IsLost() { return FSurface && FSurface->IsLost() == DDERR_SURFACELOST; }

bool TDirectDrawSurface::Restore() {
  if (!FSurface) return false;
  SetLastResult(FSurface->Restore());
  return LastResult() == DD_OK;
}

void TDirectDrawSurface::SetClipper(TDirectDrawClipper* clipper) {
  SetLastResult(ISurface4()->SetClipper(clipper ? clipper->IClipper() : nullptr));
  FHasClipper = clipper && LastResult() == DD_OK;
}

void TDirectDrawSurface::SetPalette(TDirectDrawPalette* palette) {
  SetLastResult(ISurface4()->SetPalette(palette ? palette->IPalette() : nullptr));
}

void TDirectDrawSurface::SetColorKey(DWORD deviceColor) {
  if (!FSurface) return;
  DDCOLORKEY key{deviceColor, deviceColor};
  SetLastResult(FSurface->SetColorKey(DDCKEY_SRCBLT, &key));
}

bool TDirectDrawSurface::Lock() {
  if (!FSurface) return false;
  if (FLockCount == 0) {
    FLocked = {};
    FLocked.dwSize = sizeof(FLocked);
    SetLastResult(FSurface->Lock(nullptr, &FLocked, DDLOCK_WAIT, nullptr));
    if (LastResult() != DD_OK) return false;
  }
  ++FLockCount;
  return true;
}

void TDirectDrawSurface::Unlock() {
  if (FLockCount == 0) return;
  if (--FLockCount == 0 && FSurface) SetLastResult(FSurface->Unlock(nullptr));
}

uint8_t* TDirectDrawSurface::PixelAddress(int x, int y) {
  int bits = int(FLocked.ddpfPixelFormat.dwRGBBitCount);
  return static_cast<uint8_t*>(FLocked.lpSurface) + ptrdiff_t(y) * FLocked.lPitch + ptrdiff_t(x) * bits / 8;
}

uint32_t TDirectDrawSurface::Pixel(int x, int y) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height() || !Lock()) return 0;
  const uint8_t* p = PixelAddress(x, y);
  uint32_t v = 0;
  switch (FLocked.ddpfPixelFormat.dwRGBBitCount) {
    case 1: v = (*p >> (7 - (x & 7))) & 1; break;
    case 4: v = x & 1 ? *p & 15 : *p >> 4; break;
    case 8: v = *p; break;
    case 16: v = uint32_t(p[0] | p[1] << 8); break;
    case 24: v = uint32_t(p[2] | p[1] << 8 | p[0] << 16); break;
    case 32: std::memcpy(&v, p, 4); break;
  }
  Unlock();
  return v;
}

void TDirectDrawSurface::SetPixel(int x, int y, uint32_t v) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height() || !Lock()) return;
  uint8_t* p = PixelAddress(x, y);
  switch (FLocked.ddpfPixelFormat.dwRGBBitCount) {
    case 1: {
      uint8_t m = uint8_t(0x80 >> (x & 7));
      *p = uint8_t(v & 1 ? *p | m : *p & ~m);
      break;
    }
    case 4: *p = x & 1 ? uint8_t((*p & 0xF0) | (v & 15)) : uint8_t((*p & 0x0F) | (v & 15) << 4); break;
    case 8: *p = uint8_t(v); break;
    case 16: p[0] = uint8_t(v), p[1] = uint8_t(v >> 8); break;
    case 24: p[0] = uint8_t(v >> 16), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v); break;
    case 32: std::memcpy(p, &v, 4); break;
  }
  Unlock();
}

uint32_t TDirectDrawSurface::ColorMatch(TColor color) {
  if (!FSurface) return 0;
  uint32_t old = Pixel(0, 0);
  TDIB dot;
  COLORREF rgb = ColorToRGB(color);
  dot.ColorTable[0] = {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 0};
  dot.SetSize(1, 1, 8);
  dot.UpdatePalette();
  RECT r{0, 0, 1, 1};
  DrawDIB(Canvas().Handle(), dot, r);
  Canvas().Release();
  uint32_t value = Pixel(0, 0);
  SetPixel(0, 0, old);
  return value;
}

void TDirectDrawSurface::LoadGraphicPart(const TGraphic& graphic, int width, int height, const RECT& part) {
  if (width == 0 || height == 0) width = part.right - part.left, height = part.bottom - part.top;
  SetSize(width, height);
  TDIB dib;
  dib.Assign(graphic);
  RECT dest{0, 0, width, height};
  DrawDIB(Canvas().Handle(), dib, dest, &part);
  Canvas().Release();
}

void TDirectDrawSurface::LoadGraphic(const TGraphic& graphic) {
  LoadGraphicPart(graphic, 0, 0, RECT{0, 0, graphic.Width(), graphic.Height()});
}

void TDirectDrawSurface::AssignTo(TDIB& dib) {
  dib.SetSize(Width(), Height(), 24);
  if (dib.Empty()) return;
  TDIBCanvas to(dib);
  BitBlt(to.Handle(), 0, 0, Width(), Height(), Canvas().Handle(), 0, 0, SRCCOPY);
  Canvas().Release();
}
