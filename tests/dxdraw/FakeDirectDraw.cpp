// The recording DirectDraw object of the tests.
#include "FakeDirectDraw.h"

#include <algorithm>
#include <cstring>

// Methods that nothing calls answer E_NOTIMPL.
#define DX_UNUSED(name, ...) \
  STDMETHOD(name)(__VA_ARGS__) override { return E_NOTIMPL; }

bool TFakeState::Has(const std::string& entry) const {
  return std::find(Log.begin(), Log.end(), entry) != Log.end();
}

int TFakeState::Count(const std::string& prefix) const {
  return int(std::count_if(Log.begin(), Log.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
}

namespace {
std::string Num(long v) { return std::to_string(v); }

template <class I>
class TFakeUnknown : public I {
public:
  explicit TFakeUnknown(std::shared_ptr<TFakeState> s) : S(std::move(s)) { ++S->LiveObjects; }
  virtual ~TFakeUnknown() { --S->LiveObjects; }
  STDMETHOD(QueryInterface)(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHOD_(ULONG, AddRef)() override { return ++FRefs; }
  STDMETHOD_(ULONG, Release)() override {
    ULONG n = --FRefs;
    if (n == 0) delete this;
    return n;
  }
  std::shared_ptr<TFakeState> S;

private:
  ULONG FRefs = 1;
};

class TFakePalette : public TFakeUnknown<IDirectDrawPalette> {
public:
  using TFakeUnknown::TFakeUnknown;
  DX_UNUSED(GetCaps, LPDWORD)
  DX_UNUSED(GetEntries, DWORD, DWORD, DWORD, LPPALETTEENTRY)
  DX_UNUSED(Initialize, LPDIRECTDRAW, DWORD, LPPALETTEENTRY)
  STDMETHOD(SetEntries)(DWORD, DWORD start, DWORD count, LPPALETTEENTRY e) override {
    S->Log.push_back("Palette.SetEntries " + Num(long(start)) + " " + Num(long(count)) + " first " +
                     Num(e[0].peRed) + "," + Num(e[0].peGreen) + "," + Num(e[0].peBlue));
    return DD_OK;
  }
};

class TFakeClipper : public TFakeUnknown<IDirectDrawClipper> {
public:
  using TFakeUnknown::TFakeUnknown;
  DX_UNUSED(GetClipList, LPRECT, LPRGNDATA, LPDWORD)
  DX_UNUSED(GetHWnd, HWND*)
  DX_UNUSED(Initialize, LPDIRECTDRAW, DWORD)
  DX_UNUSED(IsClipListChanged, WINBOOL*)
  DX_UNUSED(SetClipList, LPRGNDATA, DWORD)
  STDMETHOD(SetHWnd)(DWORD, HWND) override {
    S->Log.push_back("Clipper.SetHWnd");
    return DD_OK;
  }
};

class TFakeSurface : public TFakeUnknown<IDirectDrawSurface4> {
public:
  TFakeSurface(std::shared_ptr<TFakeState> s, std::string name, DDSURFACEDESC2 desc)
      : TFakeUnknown(std::move(s)), Name(std::move(name)), Desc(desc) {
    Desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    Desc.ddpfPixelFormat.dwRGBBitCount = 8;
    Desc.lPitch = LONG((Desc.dwWidth + 3) & ~3u);
    Pixels.assign(size_t(Desc.lPitch) * Desc.dwHeight, 0);
  }
  ~TFakeSurface() override {
    if (Back) Back->Release();
  }
  std::string Name;
  DDSURFACEDESC2 Desc;
  std::vector<uint8_t> Pixels;
  TFakeSurface* Back = nullptr;  // one reference, for a flipping primary

  void Log(const std::string& what) { S->Log.push_back(Name + "." + what); }

  DX_UNUSED(AddAttachedSurface, LPDIRECTDRAWSURFACE4)
  DX_UNUSED(AddOverlayDirtyRect, LPRECT)
  STDMETHOD(Blt)(LPRECT dest, LPDIRECTDRAWSURFACE4 src, LPRECT, DWORD flags, LPDDBLTFX fx) override {
    if (S->Lost) return DDERR_SURFACELOST;
    if (flags & DDBLT_COLORFILL) {
      Log("Fill " + Num(long(fx->dwFillColor)));
      std::fill(Pixels.begin(), Pixels.end(), uint8_t(fx->dwFillColor));
    } else {
      std::string where = dest ? Num(dest->left) + "," + Num(dest->top) + "," + Num(dest->right) + "," + Num(dest->bottom)
                               : "all";
      Log("Blt " + where + " from " + static_cast<TFakeSurface*>(src)->Name);
    }
    return DD_OK;
  }
  DX_UNUSED(BltBatch, LPDDBLTBATCH, DWORD, DWORD)
  DX_UNUSED(BltFast, DWORD, DWORD, LPDIRECTDRAWSURFACE4, LPRECT, DWORD)
  DX_UNUSED(DeleteAttachedSurface, DWORD, LPDIRECTDRAWSURFACE4)
  DX_UNUSED(EnumAttachedSurfaces, LPVOID, LPDDENUMSURFACESCALLBACK2)
  DX_UNUSED(EnumOverlayZOrders, DWORD, LPVOID, LPDDENUMSURFACESCALLBACK2)
  STDMETHOD(Flip)(LPDIRECTDRAWSURFACE4, DWORD flags) override {
    Log("Flip " + Num(long(flags)));
    return DD_OK;
  }
  STDMETHOD(GetAttachedSurface)(LPDDSCAPS2 caps, LPDIRECTDRAWSURFACE4* out) override {
    if (!Back || !(caps->dwCaps & DDSCAPS_BACKBUFFER)) return DDERR_NOTFOUND;
    Back->AddRef();
    *out = Back;
    return DD_OK;
  }
  DX_UNUSED(GetBltStatus, DWORD)
  DX_UNUSED(GetCaps, LPDDSCAPS2)
  DX_UNUSED(GetClipper, LPDIRECTDRAWCLIPPER*)
  DX_UNUSED(GetColorKey, DWORD, LPDDCOLORKEY)
  DX_UNUSED(GetDC, HDC*)
  DX_UNUSED(GetFlipStatus, DWORD)
  DX_UNUSED(GetOverlayPosition, LPLONG, LPLONG)
  DX_UNUSED(GetPalette, LPDIRECTDRAWPALETTE*)
  DX_UNUSED(GetPixelFormat, LPDDPIXELFORMAT)
  STDMETHOD(GetSurfaceDesc)(LPDDSURFACEDESC2 d) override {
    *d = Desc;
    return DD_OK;
  }
  DX_UNUSED(Initialize, LPDIRECTDRAW, LPDDSURFACEDESC2)
  STDMETHOD(IsLost)() override { return S->Lost ? DDERR_SURFACELOST : DD_OK; }
  STDMETHOD(Lock)(LPRECT, LPDDSURFACEDESC2 d, DWORD, HANDLE) override {
    Log("Lock");
    *d = Desc;
    d->lpSurface = Pixels.data();
    return DD_OK;
  }
  DX_UNUSED(ReleaseDC, HDC)
  STDMETHOD(Restore)() override {
    Log("Restore");
    if (S->RestoreFails) return DDERR_WRONGMODE;
    S->Lost = false;
    return DD_OK;
  }
  STDMETHOD(SetClipper)(LPDIRECTDRAWCLIPPER) override {
    Log("SetClipper");
    return DD_OK;
  }
  STDMETHOD(SetColorKey)(DWORD, LPDDCOLORKEY key) override {
    Log("SetColorKey " + Num(long(key->dwColorSpaceLowValue)));
    return DD_OK;
  }
  DX_UNUSED(SetOverlayPosition, LONG, LONG)
  STDMETHOD(SetPalette)(LPDIRECTDRAWPALETTE) override {
    Log("SetPalette");
    return S->PaletteFails ? DDERR_INVALIDPIXELFORMAT : DD_OK;
  }
  STDMETHOD(Unlock)(LPRECT) override {
    Log("Unlock");
    return DD_OK;
  }
  DX_UNUSED(UpdateOverlay, LPRECT, LPDIRECTDRAWSURFACE4, LPRECT, DWORD, LPDDOVERLAYFX)
  DX_UNUSED(UpdateOverlayDisplay, DWORD)
  DX_UNUSED(UpdateOverlayZOrder, DWORD, LPDIRECTDRAWSURFACE4)
  DX_UNUSED(GetDDInterface, LPVOID*)
  DX_UNUSED(PageLock, DWORD)
  DX_UNUSED(PageUnlock, DWORD)
  DX_UNUSED(SetSurfaceDesc, LPDDSURFACEDESC2, DWORD)
  DX_UNUSED(SetPrivateData, REFGUID, LPVOID, DWORD, DWORD)
  DX_UNUSED(GetPrivateData, REFGUID, LPVOID, LPDWORD)
  DX_UNUSED(FreePrivateData, REFGUID)
  DX_UNUSED(GetUniquenessValue, LPDWORD)
  DX_UNUSED(ChangeUniquenessValue)
};

class TFakeDraw : public TFakeUnknown<IDirectDraw4> {
public:
  using TFakeUnknown::TFakeUnknown;
  void Log(const std::string& what) { S->Log.push_back("Draw." + what); }

  DX_UNUSED(Compact)
  STDMETHOD(CreateClipper)(DWORD, LPDIRECTDRAWCLIPPER* out, IUnknown*) override {
    Log("CreateClipper");
    *out = new TFakeClipper(S);
    return DD_OK;
  }
  STDMETHOD(CreatePalette)(DWORD caps, LPPALETTEENTRY e, LPDIRECTDRAWPALETTE* out, IUnknown*) override {
    Log("CreatePalette " + Num(long(caps)) + " flags " + Num(e[0].peFlags));
    if (S->PaletteFails) return DDERR_INVALIDPIXELFORMAT;
    *out = new TFakePalette(S);
    return DD_OK;
  }
  STDMETHOD(CreateSurface)(LPDDSURFACEDESC2 d, LPDIRECTDRAWSURFACE4* out, IUnknown*) override {
    DDSURFACEDESC2 desc = *d;
    bool primary = desc.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE;
    if (primary) desc.dwWidth = 640, desc.dwHeight = 480;
    std::string name = primary ? "Primary" : "Surface" + Num(long(desc.dwWidth)) + "x" + Num(long(desc.dwHeight));
    Log("CreateSurface " + name + (desc.ddsCaps.dwCaps & DDSCAPS_FLIP ? " flip" : "") +
        (desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY ? " system" : ""));
    auto* s = new TFakeSurface(S, name, desc);
    if (primary && (desc.ddsCaps.dwCaps & DDSCAPS_FLIP)) {
      DDSURFACEDESC2 back = desc;
      back.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER;
      s->Back = new TFakeSurface(S, "Back", back);
    }
    *out = s;
    return DD_OK;
  }
  DX_UNUSED(DuplicateSurface, LPDIRECTDRAWSURFACE4, LPDIRECTDRAWSURFACE4*)
  STDMETHOD(EnumDisplayModes)(DWORD, LPDDSURFACEDESC2, LPVOID context, LPDDENUMMODESCALLBACK2 callback) override {
    for (auto [w, h] : S->Modes)
      for (DWORD bits : {8u, 32u}) {
        DDSURFACEDESC2 d{};
        d.dwSize = sizeof(d);
        d.dwWidth = DWORD(w);
        d.dwHeight = DWORD(h);
        d.ddpfPixelFormat.dwRGBBitCount = bits;
        callback(&d, context);
      }
    return DD_OK;
  }
  DX_UNUSED(EnumSurfaces, DWORD, LPDDSURFACEDESC2, LPVOID, LPDDENUMSURFACESCALLBACK2)
  STDMETHOD(FlipToGDISurface)() override {
    Log("FlipToGDISurface");
    return DD_OK;
  }
  STDMETHOD(GetCaps)(LPDDCAPS, LPDDCAPS) override { return DD_OK; }
  DX_UNUSED(GetDisplayMode, LPDDSURFACEDESC2)
  DX_UNUSED(GetFourCCCodes, LPDWORD, LPDWORD)
  DX_UNUSED(GetGDISurface, LPDIRECTDRAWSURFACE4*)
  DX_UNUSED(GetMonitorFrequency, LPDWORD)
  DX_UNUSED(GetScanLine, LPDWORD)
  DX_UNUSED(GetVerticalBlankStatus, WINBOOL*)
  DX_UNUSED(Initialize, GUID*)
  DX_UNUSED(RestoreDisplayMode)
  STDMETHOD(SetCooperativeLevel)(HWND window, DWORD flags) override {
    S->CooperativeWindow = window;
    Log("SetCooperativeLevel " + Num(long(flags)));
    return DD_OK;
  }
  STDMETHOD(SetDisplayMode)(DWORD w, DWORD h, DWORD bpp, DWORD, DWORD) override {
    Log("SetDisplayMode " + Num(long(w)) + "x" + Num(long(h)) + "x" + Num(long(bpp)));
    bool listed = std::find(S->Modes.begin(), S->Modes.end(), std::pair<int, int>(int(w), int(h))) != S->Modes.end();
    return S->SetDisplayModeWorks && listed && (bpp == 8 || bpp == 32) ? DD_OK : E_NOTIMPL;
  }
  STDMETHOD(WaitForVerticalBlank)(DWORD, HANDLE) override {
    Log("WaitForVerticalBlank");
    return DD_OK;
  }
  DX_UNUSED(GetAvailableVidMem, LPDDSCAPS2, LPDWORD, LPDWORD)
  DX_UNUSED(GetSurfaceFromDC, HDC, LPDIRECTDRAWSURFACE4*)
  DX_UNUSED(RestoreAllSurfaces)
  DX_UNUSED(TestCooperativeLevel)
  DX_UNUSED(GetDeviceIdentifier, LPDDDEVICEIDENTIFIER, DWORD)
};
}  // namespace

IDirectDraw4* NewFakeDirectDraw(std::shared_ptr<TFakeState> state) { return new TFakeDraw(std::move(state)); }
