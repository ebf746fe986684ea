// The DirectDraw control: set-up, tear-down, presenting, restoring, resizing
// and its subscribers.
#include "DXDrawsControl.h"

#include <algorithm>
#include <cstdio>

#include "DXDrawsDrivers.h"
#include "Forms.h"

TDXDrawOptions OptionsInForceFor(TDXDrawOptions o) {
  if (!(o & doFullScreen)) o &= ~(doNoWindowChange | doAllowReboot | doAllowPalette256 | doFlip);
  if (!(o & do3D)) o &= ~(doDirectX7Mode | doRetainedMode | doHardware | doSelectDriver | doZBuffer);
  if (o & doSystemMemory) o &= ~doFlip;
  if (o & doDirectX7Mode) o &= ~doRetainedMode;
  return o & ~doHardware;
}

namespace {
// The system palette's entries as a colour table.
TRGBQuads SystemColorTable() {
  TRGBQuads table{};
  PALETTEENTRY entries[256]{};
  const UINT n = GetSystemPaletteEntries(TWindowDC(nullptr).DC(), 0, 256, entries);
  if (n == 0) GetPaletteEntries(HPALETTE(GetStockObject(DEFAULT_PALETTE)), 0, 256, entries);
  for (int i = 0; i < 256; ++i) table[size_t(i)] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  return table;
}
}  // namespace

TCustomDXDraw::TCustomDXDraw(TComponent* owner) : TWinControl(owner), FNowOptions(OptionsInForceFor(FOptions)) {
  FWidth = FHeight = 100;
  ColorTable = DefaultColorTable = SystemColorTable();
}

TCustomDXDraw::~TCustomDXDraw() {
  try {
    Finalize();
    Notify(dxntDestroying);
  } catch (const std::exception& e) {
    Application().HandleException(e);  // nothing unwinds out of a destructor
  }
  FSubClass.reset();
}

std::unique_ptr<TDirectDraw> TCustomDXDraw::CreateDirectDraw(const GUID* driver, bool directX7Mode) {
  return std::make_unique<TDirectDraw>(driver, directX7Mode);
}

TForm* TCustomDXDraw::FindForm() const {
  for (TWinControl* p = Parent(); p; p = p->Parent())
    if (auto* form = dynamic_cast<TForm*>(p)) return form;
  return nullptr;
}

HWND TCustomDXDraw::CooperativeWindow() const {
  TForm* form = FindForm();
  return form ? form->Handle() : const_cast<TCustomDXDraw*>(this)->Handle();
}

void TCustomDXDraw::SetOptions(TDXDrawOptions options) {
  FOptions = options;
  if (FInitialized) {
    constexpr TDXDrawOptions kLive = doWaitVBlank | doStretch | doCenter;
    FNowOptions = (FNowOptions & ~kLive) | (options & kLive);
    if (!(FNowOptions & do3D)) FNowOptions &= ~(doRetainedMode | doHardware | doSelectDriver | doZBuffer);
  } else {
    FNowOptions = OptionsInForceFor(options);
  }
}

void TCustomDXDraw::SetAutoSize(bool value) {
  FAutoSize = value;
  if (value) SetSize(Width(), Height());
}

int TCustomDXDraw::SurfaceWidth() const { return FSurface ? FSurface->Width() : FSurfaceWidth; }
int TCustomDXDraw::SurfaceHeight() const { return FSurface ? FSurface->Height() : FSurfaceHeight; }

void TCustomDXDraw::Initialize() {
  FInitializeCalled = true;
  Finalize();
  if (!FindForm()) throw EDXDrawError("Form not found");
  DoInitializing();
  FInitializing = true;
  try {
    Notify(dxntInitializing);
    if (FNowOptions & doFlip) FDriver = std::make_unique<TDXDrawDriverFlip>(*this);
    else FDriver = std::make_unique<TDXDrawDriverBlt>(*this);
    // One display driver serves; the default is the display's own.
    FDraw = CreateDirectDraw(nullptr, FOptions & doDirectX7Mode);
    bool fullScreen = FNowOptions & doFullScreen;
    DWORD level = DDSCL_NORMAL;
    if (fullScreen) {
      level = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX;
      if (FNowOptions & doNoWindowChange) level |= DDSCL_NOWINDOWCHANGES;
      if (FNowOptions & doAllowReboot) level |= DDSCL_ALLOWREBOOT;
    }
    // Windowed, the primary belongs to the whole desktop and the form stays
    // the system's to paint: once bound to the form, Wine presents the form's
    // window itself, and nothing else of the form (its tabs, its other
    // pages) reaches the screen again. The clipper keeps the blit inside the
    // control.
    FDraw->SetLastResult(FDraw->IDraw4()->SetCooperativeLevel(fullScreen ? CooperativeWindow() : nullptr, level));
    if (fullScreen && !FDisplay.SetDisplayMode(*FDraw, FDisplay.Width(), FDisplay.Height(), FDisplay.BitCount())) {
      char text[96];
      std::snprintf(text, sizeof text, "Display mode cannot be changed (%dx%d %dbit)", FDisplay.Width(),
                    FDisplay.Height(), FDisplay.BitCount());
      throw EDXDrawError(text);
    }
    if (FAutoSize) FSurfaceWidth = Width(), FSurfaceHeight = Height();
    FDriver->MakeSurfaces();
    // Wine shows a windowed primary on the screen only after the level is
    // set again once it exists (Windows draws it either way).
    if (!fullScreen) FDraw->IDraw4()->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
    if (FNowOptions & do3D) {
      // No 3D device is made by this control; the retained mode library is
      // still looked for, so its absence is reported by name.
      if (FNowOptions & doRetainedMode) LoadDllProc("D3DRM.dll", "Direct3DRMCreate");
      throw EDXDrawError("3D device not found");
    }
    FInitialized = true;
  } catch (...) {
    FInitializing = false;
    Finalize();
    throw;
  }
  FInitializing = false;
  ++FNotifying;
  Notify(dxntSetSurfaceSize);
  Notify(dxntInitialize);
  FCalledDoInitialize = true;
  DoInitialize();
  Notify(dxntInitializeSurface);
  FCalledDoInitializeSurface = true;
  DoInitializeSurface();
  --FNotifying;
  Restore();
}

void TCustomDXDraw::Finalize() {
  if (!FInitialized && !FDraw) return;
  if (FSurface) FSurfaceWidth = FSurface->Width(), FSurfaceHeight = FSurface->Height();
  FDisplay.ClearModes();
  FInitializing = true;
  try {
    if (FCalledDoInitializeSurface) {
      FCalledDoInitializeSurface = false;
      Notify(dxntFinalizeSurface);
      DoFinalizeSurface();
    }
    if (FCalledDoInitialize) {
      FCalledDoInitialize = false;
      Notify(dxntFinalize);
      DoFinalize();
    }
  } catch (...) {
    FInitialized = false;
    FInitializing = false;
    throw;
  }
  FInitialized = false;
  FNowOptions = OptionsInForceFor(FOptions);
  FDriver.reset();
  FSurface.reset();
  FPrimary.reset();
  FPalette.reset();
  FClipper.reset();
  FDraw.reset();
  FInitializing = false;
}

bool TCustomDXDraw::CanDraw() { return FInitialized && !FInitializing && FSurface && UpdateSurface(); }

bool TCustomDXDraw::UpdateSurface() {
  if (!FInitialized || FInitializing || !FPrimary) return false;
  auto lost = [this] { return FPrimary->IsLost() || (FSurface && FSurface->IsLost()); };
  if (!lost()) return true;
  Restore();
  return !lost();
}

void TCustomDXDraw::Flip() { PresentOrSkip(FNowOptions & doWaitVBlank); }

void TCustomDXDraw::PresentOrSkip(bool waitVBlank) {
  if (!FInitialized || FInitializing || !UpdateSurface()) return;
  FDriver->Present(waitVBlank);
}

void TCustomDXDraw::Restore() {
  if (!FInitialized || FInitializing) return;
  FInitializing = true;
  bool back = FDriver->RestoreSurfaces();
  if (back) {
    FPrimary->Fill(0);
    FSurface->Fill(0);
  }
  FInitializing = false;
  // A surface that did not come back is left for the next frame to try again.
  if (!back) return;
  if (FPalette) {
    FPrimary->SetPalette(FPalette.get());
    FSurface->SetPalette(FPalette.get());
  }
  LoadPalette(DefaultColorTable);
  Notify(dxntRestore);
  DoRestoreSurface();
  LoadPalette(ColorTable);
}

void TCustomDXDraw::MakePalette(DWORD caps) {
  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i) {
    const auto& q = ColorTable[size_t(i)];
    entries[i] = {q.Red, q.Green, q.Blue, 64};  // D3DPAL_READONLY
  }
  if (FOptions & doAllowPalette256) {
    // The first and last ten entries stay the system's.
    TRGBQuads system = SystemColorTable();
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})
      for (int j : {i, 255 - i}) entries[j] = {system[size_t(j)].Red, system[size_t(j)].Green, system[size_t(j)].Blue, 64};
  }
  FPalette = std::make_unique<TDirectDrawPalette>(*FDraw);
  if (!FPalette->CreatePalette(caps, entries)) FPalette.reset();
}

void TCustomDXDraw::LoadPalette(const TRGBQuads& table) {
  if (!FPalette) return;
  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = {table[size_t(i)].Red, table[size_t(i)].Green, table[size_t(i)].Blue, 0};
  FPalette->SetEntries(0, 256, entries);
}

void TCustomDXDraw::SetSize(int width, int height) {
  if ((width == SurfaceWidth() && height == SurfaceHeight()) || FInitializing) return;
  if (FInitialized) {
    try {
      FDriver->Resize(width, height);
    } catch (...) {
      Finalize();
      throw;
    }
  } else {
    FSurfaceWidth = width;
    FSurfaceHeight = height;
  }
  Notify(dxntSetSurfaceSize);
}

// --- subscribers

void TCustomDXDraw::Notify(TDXDrawNotifyType type) {
  auto subscribers = FSubscribers;  // a handler may unsubscribe
  for (auto& [id, handler] : subscribers) handler(*this, type);
}

int TCustomDXDraw::RegisterNotifyEvent(TDXDrawNotifyEvent handler) {
  int id = FNextSubscriber++;
  FSubscribers.emplace_back(id, handler);
  handler(*this, dxntSetSurfaceSize);
  if (FInitialized) {
    if (FCalledDoInitialize) handler(*this, dxntInitialize);
    if (FCalledDoInitializeSurface) handler(*this, dxntInitializeSurface);
    if (FNotifying == 0) handler(*this, dxntRestore);
  }
  return id;
}

void TCustomDXDraw::UnRegisterNotifyEvent(int id) {
  auto it = std::find_if(FSubscribers.begin(), FSubscribers.end(), [id](const auto& s) { return s.first == id; });
  if (it == FSubscribers.end()) return;
  TDXDrawNotifyEvent handler = it->second;
  FSubscribers.erase(it);
  if (FInitialized) {
    if (FCalledDoInitializeSurface) handler(*this, dxntFinalizeSurface);
    if (FCalledDoInitialize) handler(*this, dxntFinalize);
  }
}

// --- events

void TCustomDXDraw::DoFinalize() { if (OnFinalize) OnFinalize(this); }
void TCustomDXDraw::DoFinalizeSurface() { if (OnFinalizeSurface) OnFinalizeSurface(this); }
void TCustomDXDraw::DoInitialize() { if (OnInitialize) OnInitialize(this); }
void TCustomDXDraw::DoInitializeSurface() { if (OnInitializeSurface) OnInitializeSurface(this); }
void TCustomDXDraw::DoInitializing() { if (OnInitializing) OnInitializing(this); }
void TCustomDXDraw::DoRestoreSurface() { if (OnRestoreSurface) OnRestoreSurface(this); }

// --- the window

void TCustomDXDraw::Loaded() {
  TWinControl::Loaded();
  if (FAutoSize) FSurfaceWidth = Width(), FSurfaceHeight = Height();
  Notify(dxntSetSurfaceSize);
  if (AutoInitialize && !FSubClass) Initialize();
}

void TCustomDXDraw::SetParent(TWinControl* parent) {
  TWinControl::SetParent(parent);
  FSubClass.reset();
  if (TForm* form = FindForm())
    FSubClass = std::make_unique<TControlSubClass>(
        form->Handle(), [this](UINT m, WPARAM w, LPARAM l, const TControlSubClass::TPrevious& previous) {
          return FormMessage(m, w, l, previous);
        });
}

LRESULT TCustomDXDraw::FormMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                   const TControlSubClass::TPrevious& previous) {
  bool flipping = FInitialized && (FNowOptions & doFullScreen) && (FNowOptions & doFlip);
  switch (msg) {
    case WM_DESTROY:
      Finalize();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && flipping) FDraw->IDraw4()->FlipToGDISurface();
      break;
    case WM_ENTERMENULOOP:
      if (flipping) FDraw->IDraw4()->FlipToGDISurface();
      break;
    case WM_WINDOWPOSCHANGED: {
      LRESULT result = previous(msg, wParam, lParam);
      if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) && AutoInitialize && !FInitializeCalled)
        Initialize();
      return result;
    }
  }
  return previous(msg, wParam, lParam);
}

void TCustomDXDraw::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  if (FAutoSize && !FInitializing) SetSize(width, height);
}

LRESULT TCustomDXDraw::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      TPaintGuard paint(Handle());
      RECT client{0, 0, Width(), Height()};
      TCanvas canvas(paint.DC());
      canvas.BrushColor = Color;
      canvas.FillRect(client);
      // A surface that cannot be restored skips the frame; painting never raises.
      try {
        PresentOrSkip(false);
      } catch (const std::exception&) {
      }
      return 0;
    }
    case WM_QUERYNEWPALETTE:
      Restore();
      return TRUE;
    case WM_PALETTECHANGED:
      return 0;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}
