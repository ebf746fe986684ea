// The fixture of the editor window's tests: a scratch folder, scripted
// answers for every prompt and dialog, and the main window over that folder.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "GraphicFormats.h"
#include "EditorWindow.h"

#include <windows.h>

class EditorWindow : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterGraphicFormats();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Dir = std::string(temp) + "bx_editor_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir + "editor");
    SetPromptHook([this](const TPromptRequest& r) {
      Asked.push_back(r.Text);
      if (Answers.empty()) return int(r.Default);
      TAnswer a = Answers.front();
      Answers.pop_front();
      if (r.Value) *r.Value = a.Value;
      return a.Result;
    });
    Form = std::make_unique<TEditorWindow>(nullptr, Dir + "editor\\");
  }
  void TearDown() override {
    Form.reset();
    SetPromptHook(nullptr);
    std::filesystem::remove_all(Dir);
  }
  // The next prompt's answer; a dialog's chosen file, colour or font in value.
  void Answer(int result, const std::string& value = "") { Answers.push_back({result, value}); }
  bool WasAsked(const std::string& text) const {
    for (const std::string& a : Asked)
      if (a == text) return true;
    return false;
  }
  // A w x h bitmap file filled with fill, one pixel of dot at (1, 2).
  std::string MakePicture(const std::string& name, int w, int h, TColor fill = clWhite, TColor dot = clRed) {
    TBitmap b;
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) b.SetPixel(x, y, x == 1 && y == 2 ? dot : fill);
    b.SaveToFile(Dir + name);
    return Dir + name;
  }
  // A saved project with a w x h background, opened in the window.
  std::string OpenProject(const std::string& name, int w, int h) {
    TSkinProject p;
    p.Skin.Data.Kuva.Bitmap().SetSize(w, h);
    p.Skin.Data.Width = w;
    p.Skin.Data.Height = h;
    p.SaveAs(Dir + name);
    Form->FormCreate({Dir + name});
    return Dir + name;
  }
  std::string OpenLargeProject() { return OpenProject("large.bxn", 400, 300); }
  // The project as the project reader reads it back from its file.
  std::unique_ptr<TSkinProject> Reread(const std::string& file) {
    auto p = std::make_unique<TSkinProject>();
    EXPECT_EQ(p->Open(file), "");
    return p;
  }

  struct TAnswer {
    int Result;
    std::string Value;
  };
  std::string Dir;
  std::deque<TAnswer> Answers;
  std::vector<std::string> Asked;
  std::unique_ptr<TEditorWindow> Form;
};
