// The windowed (blit) and full-screen (flip) drivers of the DirectDraw control.
#include "DXDrawsDrivers.h"

#include "Forms.h"

void TDXDrawDriver::Resize(int, int) {}

bool TDXDrawDriver::RestoreSurfaces() {
  bool primary = FOwner.FPrimary->Restore();
  bool surface = FOwner.FSurface && FOwner.FSurface->Restore();
  return primary && surface;
}

void TDXDrawDriver::NoteSurfaceMemory() {
  if (FOwner.FSurface->InSystemMemory()) FOwner.FNowOptions |= doSystemMemory;
}

// --- windowed

void TDXDrawDriverBlt::MakeSurfaces() {
  auto& o = FOwner;
  auto& draw = *o.FDraw;
  o.FPrimary = std::make_unique<TDirectDrawSurface>(draw);
  DDSURFACEDESC2 desc{};
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  if (!o.FPrimary->CreateSurface(desc)) throw EDXDrawError("Primary Surface cannot be made");
  o.FClipper = std::make_unique<TDirectDrawClipper>(draw);
  o.FClipper->SetHandle(o.Handle());
  o.FPrimary->SetClipper(o.FClipper.get());
  o.MakePalette(DDPCAPS_8BIT | DDPCAPS_INITIALIZE | (o.FOptions & doAllowPalette256 ? DDPCAPS_ALLOW256 : 0));
  if (o.FPalette) o.FPrimary->SetPalette(o.FPalette.get());
  MakeSurface();
}

void TDXDrawDriverBlt::MakeSurface() {
  auto& o = FOwner;
  o.FSurface = std::make_unique<TDirectDrawSurface>(*o.FDraw);
  DDSURFACEDESC2 desc{};
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.dwWidth = DWORD(std::max(o.FSurfaceWidth, 1));
  desc.dwHeight = DWORD(std::max(o.FSurfaceHeight, 1));
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (o.FOptions & doSystemMemory ? DDSCAPS_SYSTEMMEMORY : 0);
  if (!o.FSurface->CreateSurface(desc)) {
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    if (!o.FSurface->CreateSurface(desc)) throw EDXDrawError("Surface cannot be made");
  }
  NoteSurfaceMemory();
  if (o.FPalette) o.FSurface->SetPalette(o.FPalette.get());
  o.FSurface->Fill(0);
}

void TDXDrawDriverBlt::Present(bool waitVBlank) {
  auto& o = FOwner;
  // A control not on the screen (its page hidden) shows nothing.
  if (!IsWindowVisible(o.Handle())) return;
  POINT origin{0, 0};
  ClientToScreen(o.Handle(), &origin);
  RECT dest;
  int w = o.FSurface->Width(), h = o.FSurface->Height();
  if (o.FNowOptions & doStretch) {
    dest = {origin.x, origin.y, origin.x + o.Width(), origin.y + o.Height()};
  } else if (o.FNowOptions & doCenter) {
    int x = origin.x + (o.Width() - w) / 2, y = origin.y + (o.Height() - h) / 2;
    dest = {x, y, x + w, y + h};
  } else {
    dest = {origin.x, origin.y, origin.x + w, origin.y + h};
  }
  if (waitVBlank) o.FDraw->IDraw4()->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
  o.FPrimary->Blt(&dest, nullptr, o.FSurface.get(), DDBLT_WAIT, nullptr);
}

void TDXDrawDriverBlt::Resize(int width, int height) {
  auto& o = FOwner;
  o.FSurfaceWidth = std::max(width, 1);
  o.FSurfaceHeight = std::max(height, 1);
  ++o.FNotifying;
  struct TDone {
    int& n;
    ~TDone() { --n; }
  } done{o.FNotifying};
  o.Notify(dxntFinalizeSurface);
  if (o.FCalledDoInitializeSurface) {
    o.FCalledDoInitializeSurface = false;
    o.DoFinalizeSurface();
  }
  o.FSurface.reset();
  MakeSurface();
  o.Notify(dxntInitializeSurface);
  o.FCalledDoInitializeSurface = true;
  o.DoInitializeSurface();
}

// --- full screen

void TDXDrawDriverFlip::MakeSurfaces() {
  auto& o = FOwner;
  auto& draw = *o.FDraw;
  o.FPrimary = std::make_unique<TDirectDrawSurface>(draw);
  DDSURFACEDESC2 desc{};
  desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  desc.dwBackBufferCount = 1;
  if (!o.FPrimary->CreateSurface(desc)) throw EDXDrawError("Primary Surface cannot be made");
  DDSCAPS2 caps{};
  caps.dwCaps = DDSCAPS_BACKBUFFER;
  TInterface<IDirectDrawSurface4> back;
  o.FPrimary->SetLastResult(o.FPrimary->ISurface4()->GetAttachedSurface(&caps, back.Out()));
  if (!back) throw EDXDrawError("Surface cannot be made");
  o.FSurface = std::make_unique<TDirectDrawSurface>(draw);
  o.FSurface->SetInterface(back.Get());
  NoteSurfaceMemory();
  o.FClipper = std::make_unique<TDirectDrawClipper>(draw);
  o.MakePalette(DDPCAPS_8BIT | (o.FOptions & doAllowPalette256 ? DDPCAPS_ALLOW256 : 0));
  if (o.FPalette) {
    o.FPrimary->SetPalette(o.FPalette.get());
    o.FSurface->SetPalette(o.FPalette.get());
  }
}

void TDXDrawDriverFlip::Present(bool) {
  TForm* form = FOwner.FindForm();
  if (form && GetActiveWindow() == form->Handle()) FOwner.FPrimary->Flip();
}
