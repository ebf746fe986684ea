// The library loader and the idle-loop frame timer.
#include <gtest/gtest.h>

#include "DXClassWin.h"
#include "Forms.h"

namespace {
// A timer on a clock and an activation state that the test sets.
class TTestTimer : public TDXTimer {
public:
  using TDXTimer::TDXTimer;
  uint32_t Clock = 1000;
  bool Active = true;
  std::vector<int> Lags;
  int Activations = 0, Deactivations = 0;

  void Track() {
    OnTimer = [this](TComponent*, int lag) { Lags.push_back(lag); };
    OnActivate = [this](TComponent*) { ++Activations; };
    OnDeactivate = [this](TComponent*) { ++Deactivations; };
  }

protected:
  uint32_t Now() const override { return Clock; }
  bool ApplicationActive() const override { return Active; }
};
}  // namespace

TEST(LoadDllProc, LoadsOnceAndNamesTheMissingLibrary) {
  FARPROC a = LoadDllProc("DDraw.dll", "DirectDrawCreate");
  EXPECT_NE(a, nullptr);
  EXPECT_EQ(LoadDllProc("ddraw.DLL", "DirectDrawCreate"), a);
  try {
    LoadDllProc("D3DRM_absent.dll", "Direct3DRMCreate");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "D3DRM_absent.dll not loaded");
  }
  EXPECT_THROW(LoadDllProc("DDraw.dll", "NoSuchEntry"), Exception);
}

TEST(DXTimer, LagCountsIntervalsAndFrameRateWaitsASecond) {
  TTestTimer t(nullptr);
  t.Track();
  t.SetInterval(16);
  t.SetEnabled(false);
  t.SetEnabled(true);
  ASSERT_TRUE(t.Running());
  t.Tick(t.Clock + 10);  // less than an interval
  EXPECT_TRUE(t.Lags.empty());
  t.Tick(t.Clock + 50);
  EXPECT_EQ(t.Lags, std::vector<int>{3});
  EXPECT_EQ(t.FrameRate(), 0);
  for (uint32_t ms = 100; ms <= 1000; ms += 50) t.Tick(t.Clock + ms);
  // 20 frames in the first second.
  EXPECT_EQ(t.FrameRate(), 20);
  // The millisecond clock wraps without harm.
  t.Clock = 0xFFFFFFF0u;
  t.SetEnabled(false);
  t.SetEnabled(true);
  t.Lags.clear();
  t.Tick(0x10);  // 32 ms after the wrap
  EXPECT_EQ(t.Lags, std::vector<int>{2});
}

TEST(DXTimer, IntervalZeroFiresEveryCallWithTheElapsedTime) {
  TTestTimer t(nullptr);
  t.Track();
  t.SetInterval(-5);
  EXPECT_EQ(t.Interval(), 0);
  t.SetEnabled(false);
  t.SetEnabled(true);
  t.Tick(t.Clock);
  t.Tick(t.Clock + 7);
  EXPECT_EQ(t.Lags, (std::vector<int>{1, 7}));
}

TEST(DXTimer, EnabledChangesOnlyWhenTheValueDoes) {
  TTestTimer t(nullptr);
  EXPECT_TRUE(t.Enabled());
  EXPECT_FALSE(t.Initialized());  // not started before Loaded
  t.SetEnabled(true);             // same value: nothing
  EXPECT_FALSE(t.Initialized());
  t.SetEnabled(false);            // never started: nothing to finish
  EXPECT_FALSE(t.Initialized());
  t.Loaded();
  EXPECT_FALSE(t.Initialized());
  t.SetEnabled(true);
  EXPECT_TRUE(t.Initialized());
  TTestTimer loaded(nullptr);
  loaded.Loaded();
  EXPECT_TRUE(loaded.Running());
}

TEST(DXTimer, TwoTimersNeverStopEachOther) {
  TTestTimer a(nullptr), b(nullptr);
  a.Loaded();
  b.Loaded();
  a.SetEnabled(false);
  EXPECT_TRUE(b.Running());
  {
    TTestTimer c(nullptr);
    c.Loaded();
  }
  EXPECT_TRUE(b.Running());
  // b still fires from the application's idle loop.
  b.SetInterval(0);
  int fired = 0;
  b.OnTimer = [&](TComponent*, int) { ++fired; };
  b.Clock += 5;
  Application().RunIdleHandlers();
  EXPECT_EQ(fired, 1);
}

TEST(DXTimer, ActiveOnlySuspendsWhileTheApplicationIsInactive) {
  TTestTimer t(nullptr);
  t.Track();
  t.SetInterval(0);
  t.Loaded();
  ASSERT_TRUE(t.Running());
  // Seen by the idle handler; a second timer keeps the loop from waiting.
  TTestTimer busy(nullptr);
  busy.SetActiveOnly(false);
  busy.Loaded();
  t.Active = false;
  Application().RunIdleHandlers();
  EXPECT_EQ(t.Deactivations, 1);
  EXPECT_FALSE(t.Running());
  t.ApplicationActivated(true);
  EXPECT_EQ(t.Activations, 1);
  EXPECT_TRUE(t.Running());
  t.ApplicationActivated(false);
  t.SetActiveOnly(false);  // runs whatever the activation
  EXPECT_TRUE(t.Running());
  t.SetActiveOnly(true);
  EXPECT_FALSE(t.Running());
  // Without ActiveOnly the activation changes fire the events only.
  t.SetActiveOnly(false);
  t.ApplicationActivated(false);
  EXPECT_TRUE(t.Running());
}

TEST(DXTimer, KeepsFiringUnderAModalWindow) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 200, 100);
  TDXTimer timer(nullptr);
  timer.SetActiveOnly(false);
  timer.SetInterval(0);
  int ticks = 0;
  timer.OnTimer = [&](TComponent*, int) {
    if (++ticks == 5) form.ModalResult = 1;
  };
  timer.Loaded();
  // Should the timer never fire, the window timer ends the loop another way.
  UINT_PTR guard = Application().AddTimer([&] { form.ModalResult = 2; }, 10000);
  int result = form.ShowModal();
  Application().RemoveTimer(guard);
  EXPECT_EQ(result, 1);
  EXPECT_GE(ticks, 5);
}
