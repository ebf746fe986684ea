// Library loading, the idle-loop frame timer and the window subclass.
#include "DXClassWin.h"

#include <mmsystem.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

#include "Forms.h"

// --- libraries

namespace {
// Lower-cased library names and their modules, released at shut-down.
std::map<std::string, TModuleHandle>& Libraries() {
  static std::map<std::string, TModuleHandle> libraries;
  return libraries;
}
}  // namespace

FARPROC LoadDllProc(const std::string& library, const std::string& procedure) {
  auto& module = Libraries()[LowerCase(library)];
  if (!module) module.Reset(LoadLibraryA(library.c_str()));
  FARPROC proc = module ? GetProcAddress(module.Get(), procedure.c_str()) : nullptr;
  if (!proc) throw Exception(library + " not loaded");
  return proc;
}

// --- the frame timer

TCustomDXTimer::TCustomDXTimer(TComponent* owner) : TComponent(owner) {
  FIdleId = Application().AddOnIdle([this](bool& done) { Idle(done); });
}

TCustomDXTimer::~TCustomDXTimer() {
  Finish();
  Application().RemoveHandler(FIdleId);
}

void TCustomDXTimer::Loaded() {
  TComponent::Loaded();
  if (FEnabled) Start();
}

void TCustomDXTimer::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (value) Start();
  else Finish();
}

void TCustomDXTimer::SetInterval(int value) {
  if (value == FInterval) return;
  FInterval = std::max(value, 0);
  FDivisor = uint32_t(std::max(value, 1));
}

void TCustomDXTimer::SetActiveOnly(bool value) {
  FActiveOnly = value;
  if (!FInitialized) return;
  if (!value || ApplicationActive()) Resume();
  else Suspend();
}

void TCustomDXTimer::Start() {
  Finish();
  FWasActive = ApplicationActive();
  if (!FActiveOnly || FWasActive) Resume();
  FInitialized = true;
}

void TCustomDXTimer::Finish() {
  FInitialized = false;
  FRunning = false;
}

void TCustomDXTimer::Resume() {
  FOldTime = FFrameStart = Now();
  FRunning = true;
}

void TCustomDXTimer::ApplicationActivated(bool active) {
  FWasActive = active;
  if (active) {
    DoActivate();
    if (FInitialized && FActiveOnly) Resume();
  } else {
    DoDeactivate();
    if (FInitialized && FActiveOnly) Suspend();
  }
}

void TCustomDXTimer::Idle(bool& done) {
  // The application's activation is watched here, between messages.
  if (bool active = ApplicationActive(); active != FWasActive) ApplicationActivated(active);
  if (!FRunning) return;
  done = false;  // keep the idle loop from waiting: fire as soon as an interval has passed
  Tick(Now());
}

void TCustomDXTimer::Tick(uint32_t now) {
  if (!FRunning) return;
  uint32_t elapsed = now - FOldTime;  // unsigned: the clock's wrap does no harm
  if (elapsed < uint32_t(FInterval)) return;
  FOldTime = now;
  int lag = int(std::clamp<uint32_t>(elapsed / FDivisor, 1, INT_MAX));
  ++FFrameCount;
  uint32_t window = std::max<uint32_t>(now - FFrameStart, 1);
  if (window >= 1000) {
    FFrameRate = int(std::lround(FFrameCount * 1000.0 / window));
    FFrameCount = 0;
    FFrameStart = now;
  }
  DoTimer(lag);
}

void TCustomDXTimer::DoActivate() {
  if (OnActivate) OnActivate(this);
}

void TCustomDXTimer::DoDeactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomDXTimer::DoTimer(int lagCount) {
  if (OnTimer) OnTimer(this, lagCount);
}

uint32_t TCustomDXTimer::Now() const { return timeGetTime(); }

bool TCustomDXTimer::ApplicationActive() const {
  DWORD pid = 0;
  HWND foreground = GetForegroundWindow();
  return foreground && GetWindowThreadProcessId(foreground, &pid) && pid == GetCurrentProcessId();
}

// --- the subclass

TControlSubClass::TControlSubClass(HWND window, THandler handler) : FWindow(window), FHandler(std::move(handler)) {
  SetWindowSubclass(FWindow, Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

TControlSubClass::~TControlSubClass() {
  if (IsWindow(FWindow)) RemoveWindowSubclass(FWindow, Proc, 0);
}

LRESULT CALLBACK TControlSubClass::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TControlSubClass*>(data);
  TPrevious previous = [wnd](UINT m, WPARAM w, LPARAM l) { return DefSubclassProc(wnd, m, w, l); };
  LRESULT result = 0;
  Application().Guarded([&] { result = self->FHandler(msg, wParam, lParam, previous); });
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(wnd, Proc, 0);
  return result;
}
