// The Windows side of the DirectX support layer: system libraries loaded by
// name at run time, the base of the DirectDraw wrappers, the idle-loop frame
// timer and the subclass that puts a handler in front of a window's own.
#pragma once
#include "Handles.h"

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>

#include "Classes.h"

// An entry point of a library, loaded on first use and kept until shut-down;
// raises Exception "<library> not loaded" when either is missing.
FARPROC LoadDllProc(const std::string& library, const std::string& procedure);

class EDirectXError : public Exception { using Exception::Exception; };

class TDirectX : public TPersistent {
public:
  HRESULT LastResult() const { return FLastResult; }
  void SetLastResult(HRESULT result) {
    FLastResult = result;
    if (result != 0) Check();
  }

protected:
  // Called when a failing result is stored.
  virtual void Check() {}

private:
  HRESULT FLastResult = 0;
};

using TDXTimerEvent = std::function<void(TComponent* sender, int lagCount)>;

// Fires OnTimer from the application's idle loop, at most once an Interval,
// telling how many intervals have passed (the lag). Each timer is its own
// idle handler, so timers never stop one another, and modal loops keep
// calling it. Properties set in code act at once; Loaded() starts a timer
// that was left Enabled at construction.
class TCustomDXTimer : public TComponent {
public:
  explicit TCustomDXTimer(TComponent* owner);
  ~TCustomDXTimer() override;
  std::string ClassName() const override { return "TCustomDXTimer"; }
  void Loaded() override;

  bool ActiveOnly() const { return FActiveOnly; }
  void SetActiveOnly(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  int Interval() const { return FInterval; }
  void SetInterval(int value);
  int FrameRate() const { return FFrameRate; }
  bool Initialized() const { return FInitialized; }
  // Installed as the idle handler's worker: not suspended.
  bool Running() const { return FRunning; }

  TNotifyEvent OnActivate, OnDeactivate;
  TDXTimerEvent OnTimer;

  // The application became active or inactive.
  void ApplicationActivated(bool active);
  // One idle call at the given time (timeGetTime milliseconds): fires
  // OnTimer once an Interval has passed.
  void Tick(uint32_t now);

protected:
  virtual void DoActivate();
  virtual void DoDeactivate();
  virtual void DoTimer(int lagCount);
  // The millisecond clock and whether the application has the foreground.
  virtual uint32_t Now() const;
  virtual bool ApplicationActive() const;

private:
  void Idle(bool& done);
  void Start();
  void Finish();
  void Resume();
  void Suspend() { FRunning = false; }

  bool FActiveOnly = true, FEnabled = true;
  int FInterval = 1000;
  uint32_t FDivisor = 1000;  // max(Interval, 1)
  int FFrameRate = 0, FFrameCount = 0;
  uint32_t FOldTime = 0, FFrameStart = 0;
  bool FInitialized = false, FRunning = false;
  bool FWasActive = true;
  int FIdleId = 0;  // this timer's idle handler
};

class TDXTimer : public TCustomDXTimer {
public:
  using TCustomDXTimer::TCustomDXTimer;
  std::string ClassName() const override { return "TDXTimer"; }
};

// Puts a handler in front of a window's message handler; freeing it puts the
// old one back. The handler passes a message on (or not) through previous.
class TControlSubClass {
public:
  using TPrevious = std::function<LRESULT(UINT, WPARAM, LPARAM)>;
  using THandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam, const TPrevious& previous)>;
  TControlSubClass(HWND window, THandler handler);
  ~TControlSubClass();
  TControlSubClass(const TControlSubClass&) = delete;
  TControlSubClass& operator=(const TControlSubClass&) = delete;
  HWND Window() const { return FWindow; }

private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  HWND FWindow;
  THandler FHandler;
};
