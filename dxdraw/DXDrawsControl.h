// TDXDraw: a window control with a DirectDraw back surface that the program
// draws on and Flip presents, copied into the control's place on the
// primary surface (windowed) or by a flipping chain (full screen).
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "Controls.h"
#include "DXDraws.h"

class EDXDrawError : public Exception { using Exception::Exception; };

enum TDXDrawOption : uint32_t {
  doFullScreen = 1u << 0, doNoWindowChange = 1u << 1, doAllowReboot = 1u << 2, doWaitVBlank = 1u << 3,
  doAllowPalette256 = 1u << 4, doSystemMemory = 1u << 5, doStretch = 1u << 6, doCenter = 1u << 7,
  doFlip = 1u << 8, do3D = 1u << 9, doDirectX7Mode = 1u << 10, doRetainedMode = 1u << 11,
  doHardware = 1u << 12, doSelectDriver = 1u << 13, doZBuffer = 1u << 14
};
using TDXDrawOptions = uint32_t;
// What the options in force are when the given ones are asked for.
TDXDrawOptions OptionsInForceFor(TDXDrawOptions options);

// Sent to subscribers (the image lists).
enum TDXDrawNotifyType {
  dxntDestroying = 0, dxntInitializing, dxntInitialize, dxntInitializeSurface, dxntFinalize,
  dxntFinalizeSurface, dxntRestore, dxntSetSurfaceSize
};

class TCustomDXDraw;
using TDXDrawNotifyEvent = std::function<void(TCustomDXDraw& sender, TDXDrawNotifyType type)>;

class TDXDrawDriver;
class TForm;

class TCustomDXDraw : public TWinControl {
public:
  explicit TCustomDXDraw(TComponent* owner);
  ~TCustomDXDraw() override;
  std::string ClassName() const override { return "TCustomDXDraw"; }

  void Initialize();
  void Finalize();
  bool CanDraw();
  void Flip();
  void Restore();
  bool UpdateSurface();
  void SetSize(int width, int height);

  bool Initialized() const { return FInitialized; }
  TDirectDraw* DDraw() const { return FDraw.get(); }
  TDirectDrawSurface* Primary() const { return FPrimary.get(); }
  TDirectDrawSurface* Surface() const { return FSurface.get(); }
  TDirectDrawPalette* Palette() const { return FPalette.get(); }
  TDirectDrawClipper* Clipper() const { return FClipper.get(); }
  int SurfaceWidth() const;
  int SurfaceHeight() const;
  void SetSurfaceWidth(int w) { SetSize(w, SurfaceHeight()); }
  void SetSurfaceHeight(int h) { SetSize(SurfaceWidth(), h); }

  TDXDrawOptions Options() const { return FOptions; }
  void SetOptions(TDXDrawOptions options);
  TDXDrawOptions OptionsInForce() const { return FNowOptions; }
  bool AutoInitialize = true;
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TDXDrawDisplay& Display() { return FDisplay; }
  void SetDisplay(const TDXDrawDisplay& display) { FDisplay.Assign(display); }
  TRGBQuads ColorTable{}, DefaultColorTable{};

  TNotifyEvent OnFinalize, OnFinalizeSurface, OnInitialize, OnInitializeSurface, OnInitializing, OnRestoreSurface;

  // Subscribers: a new one hears at once where the control stands.
  int RegisterNotifyEvent(TDXDrawNotifyEvent handler);
  void UnRegisterNotifyEvent(int id);

  void Loaded() override;
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  // Painting presents the surface straight (no double buffer), and the palette messages.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  // Makes the DirectDraw object; a descendant may make it another way.
  virtual std::unique_ptr<TDirectDraw> CreateDirectDraw(const GUID* driver, bool directX7Mode);
  virtual void DoFinalize();
  virtual void DoFinalizeSurface();
  virtual void DoInitialize();
  virtual void DoInitializeSurface();
  virtual void DoInitializing();
  virtual void DoRestoreSurface();

private:
  friend class TDXDrawDriver;
  friend class TDXDrawDriverBlt;
  friend class TDXDrawDriverFlip;
  void Notify(TDXDrawNotifyType type);
  TForm* FindForm() const;
  HWND CooperativeWindow() const;
  void PresentOrSkip(bool waitVBlank);
  LRESULT FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, const TControlSubClass::TPrevious& previous);
  void MakePalette(DWORD caps);
  void LoadPalette(const TRGBQuads& table);

  TDXDrawOptions FOptions = doAllowReboot | doWaitVBlank | doCenter | doDirectX7Mode | doHardware | doSelectDriver;
  TDXDrawOptions FNowOptions;
  bool FAutoSize = true;
  TDXDrawDisplay FDisplay;
  int FSurfaceWidth = 100, FSurfaceHeight = 100;  // kept while there is no surface
  std::unique_ptr<TDirectDraw> FDraw;
  // Made on FDraw and freed before it.
  std::unique_ptr<TDirectDrawSurface> FPrimary, FSurface;
  std::unique_ptr<TDirectDrawClipper> FClipper;
  std::unique_ptr<TDirectDrawPalette> FPalette;
  std::unique_ptr<TDXDrawDriver> FDriver;
  std::unique_ptr<TControlSubClass> FSubClass;
  bool FInitialized = false, FInitializing = false, FInitializeCalled = false;
  bool FCalledDoInitialize = false, FCalledDoInitializeSurface = false;
  int FNotifying = 0;
  std::vector<std::pair<int, TDXDrawNotifyEvent>> FSubscribers;
  int FNextSubscriber = 1;
};

class TDXDraw : public TCustomDXDraw {
public:
  using TCustomDXDraw::TCustomDXDraw;
  std::string ClassName() const override { return "TDXDraw"; }
};
