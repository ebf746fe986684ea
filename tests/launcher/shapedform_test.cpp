// TShapedForm: loading masks, the form's outline, and the built-in face.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "Filer.h"
#include "Forms.h"
#include "ShapedForm.h"
#include "extMaskgenerator.h"
#include "../support/testfiles.h"

namespace {
std::string TempName(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + std::to_string(GetCurrentProcessId()) + name;
}

// The window's region data as Windows gives it; empty when it has none.
std::vector<uint8_t> WindowRegionData(HWND wnd) {
  TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(wnd, rgn.Get()) == ERROR) return {};
  DWORD size = GetRegionData(rgn.Get(), 0, nullptr);
  std::vector<uint8_t> data(size);
  GetRegionData(rgn.Get(), size, reinterpret_cast<RGNDATA*>(data.data()));
  return data;
}

// A 40 x 30 picture: white corners cut away and a white hole in the middle.
TBitmap ShapedPicture() {
  TBitmap b;
  b.SetSize(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      bool corner = (x < 4 && y < 4) || (x >= 36 && y >= 26);
      bool hole = x >= 15 && x < 25 && y >= 10 && y < 20;
      b.SetPixel(x, y, corner || hole ? clWhite : TColor(0x00403020));
    }
  return b;
}

struct TShapedWindow {
  TShapedWindow() : Form(nullptr) {
    Form.SetBounds(0, 0, 40, 30);
    Face = new TShapedForm(&Form);
    Face->SetParent(&Form);
  }
  // Writes the mask file of the shaped picture and loads it; its file name.
  std::string LoadShapedMask(const char* name) {
    std::string file = TempName(name);
    GenerateMaskFile(ShapedPicture(), clWhite, file);
    EXPECT_TRUE(Face->LoadMaskFile(file));
    return file;
  }
  TForm Form;
  TShapedForm* Face;  // owned by Form
};
}  // namespace

TEST(ShapedForm, MakesItsFormBorderlessAndFillsIt) {
  TForm form(nullptr);
  form.SetBorderStyle(bsSizeable);
  form.SetBounds(0, 0, 120, 90);
  auto* face = new TShapedForm(&form);
  face->SetBounds(7, 9, 10, 10);
  face->SetParent(&form);
  EXPECT_EQ(form.BorderStyle(), bsNone);
  EXPECT_EQ(face->Left(), 0);
  EXPECT_EQ(face->Top(), 0);
  EXPECT_EQ(face->Width(), 120);
  EXPECT_EQ(face->Height(), 90);
  face->Setleft(33);
  face->Settop(44);
  EXPECT_EQ(face->Left(), 0);
  EXPECT_EQ(face->Top(), 0);
  EXPECT_TRUE(face->Draggable);
}

namespace {
void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  SendInput(1, &in, sizeof in);
}
}  // namespace

// Pressing the face and moving the mouse carries the borderless form along.
TEST(ShapedForm, DraggingTheFaceMovesTheForm) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 120, 90);
  auto* face = new TShapedForm(&form);
  face->SetParent(&form);
  form.Show();
  Application().ProcessMessages();
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 150, 140);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  // The move loop runs inside the button's handler; the mouse goes on from
  // another thread.
  std::thread hand([] {
    Sleep(300);
    for (int step = 1; step <= 10; ++step) {
      SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 150 + 6 * step, 140 + 4 * step);
      Sleep(30);
    }
    SendMouse(MOUSEEVENTF_LEFTUP);
  });
  for (int i = 0; i < 100; ++i) {
    Application().ProcessMessages();
    Sleep(10);
  }
  hand.join();
  Application().ProcessMessages();
  RECT r;
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.left, 160);
  EXPECT_EQ(r.top, 140);
  EXPECT_EQ(r.right - r.left, 120);
}

TEST(ShapedForm, TheOutlineIsTheMasksRegionByteForByte) {
  TShapedWindow w;
  TBitmap picture = ShapedPicture();
  w.LoadShapedMask("shape.msk");
  EXPECT_EQ(WindowRegionData(w.Form.Handle()), MakeMaskRegionData(picture, clWhite));
  EXPECT_EQ(w.Face->Mask().Data(), MakeMaskRegionData(picture, clWhite));
}

TEST(ShapedForm, EachApplyBuildsAFreshRegion) {
  TShapedWindow w;
  w.LoadShapedMask("fresh.msk");
  std::vector<uint8_t> want = WindowRegionData(w.Form.Handle());
  // The system owns (and frees) the region it was given; applying again
  // after the outline was dropped must not reuse it.
  SetWindowRgn(w.Form.Handle(), nullptr, TRUE);
  EXPECT_TRUE(WindowRegionData(w.Form.Handle()).empty());
  w.Face->ApplyMaskRegion();
  EXPECT_EQ(WindowRegionData(w.Form.Handle()), want);
  w.Face->ApplyMaskRegion();
  EXPECT_EQ(WindowRegionData(w.Form.Handle()), want);
  // A new picture keeps the outline until the next apply.
  w.Face->Picture().Bitmap().SetSize(5, 5);
  w.Face->Changed();
  EXPECT_EQ(WindowRegionData(w.Form.Handle()), want);
}

TEST(ShapedForm, EmptyAndBrokenMasksLeaveTheOutline) {
  TShapedWindow w;
  std::string good = w.LoadShapedMask("good.msk");
  std::vector<uint8_t> outline = WindowRegionData(w.Form.Handle());
  ASSERT_FALSE(outline.empty());

  std::string zero = TempName("zero.msk");
  WriteBytes(zero, {0, 0, 0, 0});
  EXPECT_TRUE(w.Face->LoadMaskFile(zero)) << "four zero bytes load";
  EXPECT_TRUE(w.Face->Mask().Empty());
  EXPECT_EQ(WindowRegionData(w.Form.Handle()), outline);

  std::vector<uint8_t> bytes;
  std::ifstream in(good, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), {});
  std::string bad = TempName("bad.msk");
  std::vector<std::vector<uint8_t>> broken = {
      {},                                                 // empty file
      {1, 0},                                             // short count
      std::vector<uint8_t>(bytes.begin(), bytes.end() - 1),  // n beyond the file
  };
  std::vector<uint8_t> wrongType = bytes;
  wrongType[8] = 2;  // region type 1 is rectangles
  broken.push_back(wrongType);
  std::vector<uint8_t> wrongCount = bytes;
  wrongCount[12] += 1;  // rectangle count not matching the size
  broken.push_back(wrongCount);
  for (size_t i = 0; i < broken.size(); ++i) {
    WriteBytes(bad, broken[i]);
    EXPECT_FALSE(w.Face->LoadMaskFile(bad)) << "case " << i;
    EXPECT_EQ(WindowRegionData(w.Form.Handle()), outline) << "case " << i;
  }
  EXPECT_FALSE(w.Face->LoadMaskFile(TempName("missing.msk")));
}

TEST(ShapedForm, Mask2HoldsTheMaskFileBytes) {
  TShapedWindow w;
  EXPECT_EQ(w.Face->Mask2Bytes(), (std::vector<uint8_t>{0, 0, 0, 0}));
  std::string file = w.LoadShapedMask("mask2.msk");
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(w.Face->Mask2Bytes(), bytes);
  TShapedWindow other;
  EXPECT_TRUE(other.Face->LoadMaskBytes(bytes));
  EXPECT_EQ(WindowRegionData(other.Form.Handle()), WindowRegionData(w.Form.Handle()));
}

TEST(BuiltInFace, ItsMaskIsTheGeneratorsMaskOfItsPicture) {
  TBitmap face;
  face.LoadFromFile(BX_TEST_DATA "/../../resources/launcher/face.bmp");
  ASSERT_EQ(face.Width(), 300);
  ASSERT_EQ(face.Height(), 240);
  auto mask = ReadMaskFile(BX_TEST_DATA "/../../resources/launcher/face.msk");
  ASSERT_TRUE(mask.has_value());
  EXPECT_EQ(*mask, MakeMaskRegionData(face, clWhite));
}
