// The DirectDraw object, palettes, clippers and display modes.
#include "DXDraws.h"

#include <algorithm>

namespace {
using TDirectDrawCreate = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
using TDirectDrawCreateEx = HRESULT(WINAPI*)(GUID*, void**, REFIID, IUnknown*);
const char* const kDDrawDll = "DDraw.dll";

std::string NotMade(const char* name) { return std::string(name) + " not made"; }

template <class I>
I* Held(const TInterface<I>& i, const char* name) {
  if (!i) throw EDirectDrawError(NotMade(name));
  return i.Get();
}

// Takes a wrapper off its object's list.
template <class T>
void Leave(std::vector<T*>& list, T* item) {
  std::erase(list, item);
}
}  // namespace

// --- TDirectDraw

TDirectDraw::TDirectDraw(const GUID* driver, bool directX7Mode) {
  GUID* g = const_cast<GUID*>(driver);
  if (directX7Mode) {
    auto create = reinterpret_cast<TDirectDrawCreateEx>(reinterpret_cast<void*>(LoadDllProc(kDDrawDll, "DirectDrawCreateEx")));
    SetLastResult(create(g, reinterpret_cast<void**>(FDraw7.Out()), IID_IDirectDraw7, nullptr));
    if (LastResult() != DD_OK) throw EDirectDrawError("DirectDraw cannot be initialized");
    FDraw7->QueryInterface(IID_IDirectDraw, reinterpret_cast<void**>(FDraw.Out()));
    FDraw7->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(FDraw4.Out()));
    if (!FDraw || !FDraw4) throw EDirectDrawError("Necessary since DirectX 7");
  } else {
    auto create = reinterpret_cast<TDirectDrawCreate>(reinterpret_cast<void*>(LoadDllProc(kDDrawDll, "DirectDrawCreate")));
    SetLastResult(create(g, FDraw.Out(), nullptr));
    if (LastResult() != DD_OK) throw EDirectDrawError("DirectDraw cannot be initialized");
    FDraw->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(FDraw4.Out()));
    if (!FDraw4) throw EDirectDrawError("Necessary since DirectX 6");
  }
  ReadCaps();
}

TDirectDraw::TDirectDraw(IDirectDraw4* object) : FDraw4(object) {
  if (!FDraw4) throw EDirectDrawError("DirectDraw cannot be initialized");
  FDraw4->QueryInterface(IID_IDirectDraw, reinterpret_cast<void**>(FDraw.Out()));
  ReadCaps();
}

TDirectDraw::~TDirectDraw() {
  while (!FSurfaces.empty()) delete FSurfaces.back();
  while (!FPalettes.empty()) delete FPalettes.back();
  while (!FClippers.empty()) delete FClippers.back();
}

void TDirectDraw::ReadCaps() {
  DriverCaps.dwSize = sizeof(DriverCaps);
  EmulationCaps.dwSize = sizeof(EmulationCaps);
  SetLastResult(FDraw4->GetCaps(&DriverCaps, &EmulationCaps));
}

IDirectDraw* TDirectDraw::IDraw() const { return Held(FDraw, "IDirectDraw"); }
IDirectDraw4* TDirectDraw::IDraw4() const { return Held(FDraw4, "IDirectDraw4"); }
IDirectDraw7* TDirectDraw::IDraw7() const { return Held(FDraw7, "IDirectDraw7"); }

// --- palettes

TDirectDrawPalette::TDirectDrawPalette(TDirectDraw& draw) : FDraw(draw) { FDraw.FPalettes.push_back(this); }

TDirectDrawPalette::~TDirectDrawPalette() { Leave(FDraw.FPalettes, this); }

IDirectDrawPalette* TDirectDrawPalette::IPalette() const {
  if (!FPalette) throw EDirectDrawPaletteError(NotMade("IDirectDrawPalette"));
  return FPalette.Get();
}

bool TDirectDrawPalette::CreatePalette(DWORD caps, const PALETTEENTRY* entries) {
  SetLastResult(FDraw.IDraw4()->CreatePalette(caps, const_cast<PALETTEENTRY*>(entries), FPalette.Out(), nullptr));
  return LastResult() == DD_OK;
}

bool TDirectDrawPalette::SetEntries(int start, int count, const PALETTEENTRY* entries) {
  SetLastResult(IPalette()->SetEntries(0, DWORD(start), DWORD(count), const_cast<PALETTEENTRY*>(entries)));
  return LastResult() == DD_OK;
}

// --- clippers

TDirectDrawClipper::TDirectDrawClipper(TDirectDraw& draw) : FDraw(draw) {
  SetLastResult(FDraw.IDraw4()->CreateClipper(0, FClipper.Out(), nullptr));
  if (LastResult() != DD_OK) throw EDirectDrawClipperError("Clipper cannot be made");
  FDraw.FClippers.push_back(this);
}

TDirectDrawClipper::~TDirectDrawClipper() { Leave(FDraw.FClippers, this); }

IDirectDrawClipper* TDirectDrawClipper::IClipper() const {
  if (!FClipper) throw EDirectDrawClipperError(NotMade("IDirectDrawClipper"));
  return FClipper.Get();
}

bool TDirectDrawClipper::SetHandle(HWND window) {
  SetLastResult(IClipper()->SetHWnd(0, window));
  return LastResult() == DD_OK;
}

// --- display modes

void TDXDrawDisplay::Assign(const TPersistent& source) {
  const auto& d = AssignSource(*this, source);
  FBitCount = d.FBitCount;
  FHeight = d.FHeight;
  FWidth = d.FWidth;
  Rules = d.Rules;
}

void TDXDrawDisplay::SetBitCount(int bits) {
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
    throw EDirectDrawError("It should be either of 8 or 16 or 24 or 32");
  FBitCount = bits;
}

namespace {
HRESULT WINAPI AddMode(DDSURFACEDESC2* desc, void* list) {
  static_cast<std::vector<TDisplayModeSize>*>(list)->push_back(
      {int(desc->dwWidth), int(desc->dwHeight), int(desc->ddpfPixelFormat.dwRGBBitCount)});
  return DDENUMRET_OK;
}
}  // namespace

const std::vector<TDisplayModeSize>& TDXDrawDisplay::Modes(TDirectDraw& draw) {
  if (!FModes) {
    std::vector<TDisplayModeSize> modes;
    draw.IDraw4()->EnumDisplayModes(0, nullptr, &modes, AddMode);
    SortDisplayModes(modes);
    FModes = std::move(modes);
  }
  return *FModes;
}

int TDXDrawDisplay::IndexOf(TDirectDraw& draw, int width, int height, int bitCount) {
  const auto& modes = Modes(draw);
  auto it = std::find(modes.begin(), modes.end(), TDisplayModeSize{width, height, bitCount});
  return it == modes.end() ? -1 : int(it - modes.begin());
}

bool TDXDrawDisplay::SetDisplayMode(TDirectDraw& draw, int width, int height, int bitCount) {
  for (const auto& m : DisplayModeCandidates(Modes(draw), {width, height, bitCount}, Rules)) {
    draw.SetLastResult(draw.IDraw4()->SetDisplayMode(DWORD(m.Width), DWORD(m.Height), DWORD(m.BitCount), 0, 0));
    if (draw.LastResult() == DD_OK) {
      FWidth = m.Width;
      FHeight = m.Height;
      FBitCount = m.BitCount;
      return true;
    }
  }
  return false;
}
