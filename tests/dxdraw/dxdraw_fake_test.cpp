// The DirectDraw control on the recording DirectDraw object: full screen,
// palettes, lost surfaces, notifications and locks.
#include <gtest/gtest.h>

#include "DXDrawsControl.h"
#include "ErrorText.h"
#include "FakeDirectDraw.h"
#include "Forms.h"

namespace {
class TFakeDXDraw : public TDXDraw {
public:
  TFakeDXDraw(TComponent* owner, std::shared_ptr<TFakeState> state) : TDXDraw(owner), State(std::move(state)) {}
  std::shared_ptr<TFakeState> State;

protected:
  std::unique_ptr<TDirectDraw> CreateDirectDraw(const GUID*, bool) override {
    return std::make_unique<TDirectDraw>(NewFakeDirectDraw(State));
  }
};

struct TFixture : ::testing::Test {
  std::shared_ptr<TFakeState> State = std::make_shared<TFakeState>();
  TForm Form{nullptr};
  TFakeDXDraw* DX = nullptr;  // owned by Form
  std::vector<std::string> Events;

  void SetUp() override {
    Form.SetBounds(50, 50, 420, 340);
    DX = new TFakeDXDraw(&Form, State);
    DX->AutoInitialize = false;
    DX->SetParent(&Form);
    DX->SetBounds(0, 0, 400, 300);
    for (auto [event, name] : {std::pair{&DX->OnInitialize, "Initialize"}, {&DX->OnInitializeSurface, "InitializeSurface"},
                               {&DX->OnFinalize, "Finalize"}, {&DX->OnFinalizeSurface, "FinalizeSurface"},
                               {&DX->OnRestoreSurface, "RestoreSurface"}}) {
      std::string n = name;
      *event = [this, n](TComponent*) { Events.push_back(n); };
    }
  }
  void TearDown() override {
    DX->Finalize();
    EXPECT_EQ(State->LiveObjects, 0);  // every interface released
  }
};
}  // namespace

using DXDrawFake = TFixture;

TEST_F(DXDrawFake, DrawingBeforeInitializeDoesNothing) {
  EXPECT_FALSE(DX->CanDraw());
  DX->Flip();
  DX->Restore();
  EXPECT_TRUE(State->Log.empty());
  TDXDraw orphan(nullptr);
  EXPECT_EQ(ErrorText([&] { orphan.Initialize(); }), "Form not found");
}

TEST_F(DXDrawFake, FullScreenSetsTheModeAndFlips) {
  State->Modes = {{640, 480}, {800, 600}, {1024, 768}};
  DX->SetOptions(doFullScreen | doFlip | doAllowReboot | doNoWindowChange);
  DX->Display().SetWidth(800);
  DX->Display().SetHeight(600);
  DX->Display().SetBitCount(16);  // not listed: 800x600 at 8 or 32 bits only
  DX->Display().Rules.FixedBitCount = false;
  Form.Show();
  DX->Initialize();
  EXPECT_TRUE(DX->OptionsInForce() & doFlip);
  DWORD level = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX | DDSCL_NOWINDOWCHANGES | DDSCL_ALLOWREBOOT;
  EXPECT_TRUE(State->Has("Draw.SetCooperativeLevel " + std::to_string(level)));
  EXPECT_TRUE(State->Has("Draw.SetDisplayMode 800x600x16"));
  EXPECT_TRUE(State->Has("Draw.SetDisplayMode 800x600x32"));
  EXPECT_EQ(DX->Display().BitCount(), 32);
  EXPECT_TRUE(State->Has("Draw.CreateSurface Primary flip"));
  EXPECT_TRUE(State->Has("Draw.CreatePalette " + std::to_string(DDPCAPS_8BIT) + " flags 64"));
  EXPECT_TRUE(State->Has("Primary.SetPalette"));
  EXPECT_TRUE(State->Has("Back.SetPalette"));
  EXPECT_TRUE(DX->CanDraw());
  EXPECT_EQ(DX->Surface()->Width(), 640);
  SetActiveWindow(Form.Handle());
  DX->Flip();
  EXPECT_EQ(State->Count("Primary.Flip"), GetActiveWindow() == Form.Handle() ? 1 : 0);
  EXPECT_EQ(Events, (std::vector<std::string>{"Initialize", "InitializeSurface", "RestoreSurface"}));
  // Leaving the form flips back to the GDI surface.
  SendMessageA(Form.Handle(), WM_ENTERMENULOOP, 0, 0);
  EXPECT_TRUE(State->Has("Draw.FlipToGDISurface"));
}

TEST_F(DXDrawFake, AMissingDisplayModeFailsAndFinalizes) {
  State->SetDisplayModeWorks = false;  // as SetDisplayMode answers under Wine
  DX->SetOptions(doFullScreen | doFlip);
  EXPECT_EQ(ErrorText([&] { DX->Initialize(); }), "Display mode cannot be changed (640x480 8bit)");
  EXPECT_FALSE(DX->Initialized());
  EXPECT_FALSE(DX->CanDraw());
  EXPECT_EQ(DX->DDraw(), nullptr);
}

TEST_F(DXDrawFake, WindowedBlitsCentredAndPalettesAreOptional) {
  DX->SetOptions(doCenter | doFlip | doHardware | doSelectDriver | doWaitVBlank);
  DX->SetAutoSize(false);
  DX->SetSize(200, 100);
  State->PaletteFails = true;  // as on Wine's 32-bit primary
  Form.Show();
  DX->Initialize();
  EXPECT_FALSE(DX->OptionsInForce() & doFlip);
  EXPECT_TRUE(State->Has("Draw.SetCooperativeLevel " + std::to_string(DDSCL_NORMAL)));
  EXPECT_EQ(DX->Palette(), nullptr);
  EXPECT_TRUE(State->Has("Draw.CreateSurface Surface200x100"));
  EXPECT_TRUE(State->Has("Primary.SetClipper"));
  EXPECT_TRUE(State->Has("Clipper.SetHWnd"));
  POINT o{0, 0};
  ClientToScreen(DX->Handle(), &o);
  DX->Flip();
  std::string rect = std::to_string(o.x + 100) + "," + std::to_string(o.y + 100) + "," +
                     std::to_string(o.x + 300) + "," + std::to_string(o.y + 200);
  EXPECT_TRUE(State->Has("Primary.Blt " + rect + " from Surface200x100"));
  EXPECT_TRUE(State->Has("Draw.WaitForVerticalBlank"));
  // Painting presents without waiting.
  State->Log.clear();
  SendMessageA(DX->Handle(), WM_PAINT, 0, 0);
  EXPECT_EQ(State->Count("Primary.Blt"), 1);
  EXPECT_EQ(State->Count("Draw.WaitForVerticalBlank"), 0);
}

// Windowed, the control presents only into its own visible place: the form's
// window is never handed to DirectDraw (which would then present the whole
// form itself), and a hidden control blits nothing.
TEST_F(DXDrawFake, WindowedLeavesTheFormAloneAndAHiddenControlShowsNothing) {
  Form.Show();
  DX->Initialize();
  EXPECT_EQ(State->CooperativeWindow, nullptr);
  EXPECT_TRUE(State->Has("Draw.SetCooperativeLevel " + std::to_string(DDSCL_NORMAL)));
  State->Log.clear();
  DX->SetVisible(false);
  DX->Flip();
  SendMessageA(DX->Handle(), WM_PAINT, 0, 0);
  EXPECT_EQ(State->Count("Primary.Blt"), 0);
  DX->SetVisible(true);
  DX->Flip();
  EXPECT_EQ(State->Count("Primary.Blt"), 1);
  // Hidden with its parent (a page that is not showing) counts the same.
  State->Log.clear();
  Form.Hide();
  DX->Flip();
  EXPECT_EQ(State->Count("Primary.Blt"), 0);
}

TEST_F(DXDrawFake, PaletteIsMadeFromTheColorTableAndReloadedOnRestore) {
  DX->ColorTable[0] = {3, 2, 1, 0};  // blue, green, red
  DX->DefaultColorTable[0] = {30, 20, 10, 0};
  DX->Initialize();
  ASSERT_NE(DX->Palette(), nullptr);
  EXPECT_TRUE(State->Has("Surface400x300.SetPalette"));
  // Restore: the default table while subscribers redraw, then the control's.
  auto at = std::find(State->Log.begin(), State->Log.end(), "Palette.SetEntries 0 256 first 10,20,30");
  ASSERT_NE(at, State->Log.end());
  EXPECT_NE(std::find(at, State->Log.end(), "Palette.SetEntries 0 256 first 1,2,3"), State->Log.end());
}

TEST_F(DXDrawFake, LostSurfacesAreRestoredOrTheFrameIsSkipped) {
  DX->Initialize();
  Events.clear();
  State->Lost = true;
  EXPECT_TRUE(DX->CanDraw());
  EXPECT_EQ(Events, std::vector<std::string>{"RestoreSurface"});
  EXPECT_TRUE(State->Has("Surface400x300.Fill 0"));

  State->Log.clear();
  Events.clear();
  State->Lost = true;
  State->RestoreFails = true;
  EXPECT_FALSE(DX->CanDraw());
  DX->Flip();
  EXPECT_EQ(State->Count("Primary.Blt"), 0);
  EXPECT_TRUE(Events.empty());
  // Painting a lost surface raises nothing.
  EXPECT_NO_THROW(SendMessageA(DX->Handle(), WM_PAINT, 0, 0));
  State->RestoreFails = false;
  EXPECT_TRUE(DX->CanDraw());
}

TEST_F(DXDrawFake, SubscribersHearTheStateAndResizesRemakeTheSurface) {
  std::vector<int> heard;
  DX->Initialize();
  int id = DX->RegisterNotifyEvent([&](TCustomDXDraw&, TDXDrawNotifyType t) { heard.push_back(int(t)); });
  EXPECT_EQ(heard, (std::vector<int>{dxntSetSurfaceSize, dxntInitialize, dxntInitializeSurface, dxntRestore}));
  heard.clear();
  Events.clear();
  DX->SetBounds(0, 0, 320, 200);
  EXPECT_EQ(DX->SurfaceWidth(), 320);
  EXPECT_EQ(DX->SurfaceHeight(), 200);
  EXPECT_EQ(Events, (std::vector<std::string>{"FinalizeSurface", "InitializeSurface"}));
  EXPECT_EQ(heard, (std::vector<int>{dxntFinalizeSurface, dxntInitializeSurface, dxntSetSurfaceSize}));
  heard.clear();
  DX->UnRegisterNotifyEvent(id);
  EXPECT_EQ(heard, (std::vector<int>{dxntFinalizeSurface, dxntFinalize}));
}

TEST_F(DXDrawFake, LocksNestAndAnUnmatchedUnlockDoesNothing) {
  DX->Initialize();
  TDirectDrawSurface& s = *DX->Surface();
  State->Log.clear();
  s.Unlock();
  EXPECT_EQ(State->Count("Surface400x300.Unlock"), 0);
  ASSERT_TRUE(s.Lock());
  ASSERT_TRUE(s.Lock());
  s.SetPixel(5, 1, 77);
  EXPECT_EQ(s.Pixel(5, 1), 77u);
  EXPECT_EQ(s.Pixel(400, 1), 0u);
  s.Unlock();
  EXPECT_EQ(State->Count("Surface400x300.Unlock"), 0);
  s.Unlock();
  s.Unlock();
  EXPECT_EQ(State->Count("Surface400x300.Lock"), 1);
  EXPECT_EQ(State->Count("Surface400x300.Unlock"), 1);
  EXPECT_EQ(s.LockCount(), 0);
}

TEST_F(DXDrawFake, ThreeDimensionalModesAreRefused) {
  DX->SetOptions(do3D);
  EXPECT_EQ(ErrorText([&] { DX->Initialize(); }), "3D device not found");
  EXPECT_FALSE(DX->Initialized());
}
