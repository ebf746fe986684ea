// The skin compiler under Wine with the system's cabinet library: packages
// listed and unpacked by the launcher's cabinet component, their members in
// order and byte for byte, and the failures that leave an old package alone.
#include <gtest/gtest.h>

#include "../support/testfiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Dialogs.h"
#include "GraphicFormats.h"
#include "SkinCompiler.h"
#include "extMaskgenerator.h"
#include "skinproject.h"

#include <windows.h>

namespace fs = std::filesystem;

namespace {

const std::string kData = BX_TEST_DATA;

std::string Bytes(const std::vector<uint8_t>& v) { return {v.begin(), v.end()}; }

// A 60 x 40 background: a dark rectangle with a notch, white around it.
void DrawBackground(TBitmap& b) {
  b.SetPixelFormat(pf24bit);
  b.SetSize(60, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      bool inside = x >= 4 && x < 56 && y >= 3 && y < 37 && !(x > 40 && y < 10);
      b.SetPixel(x, y, inside ? TColor(0x00403020) : clWhite);
    }
}

class Compiler : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterGraphicFormats();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Dir = std::string(temp) + "bx_compile_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    fs::remove_all(Dir);
    for (const char* sub : {"skins", "skintemp", "cursors", "out"}) fs::create_directories(Dir + sub);
    SetPromptHook([this](const TPromptRequest& r) {
      Prompts.push_back(r.Caption + ": " + r.Text);
      return int(mrOk);
    });
    TbxskinData& d = Project.Skin.Data;
    DrawBackground(d.Kuva.Bitmap());
    d.Title = "Slate";
    d.Tekija = "Tester";
    d.NewButton.Kuva.Bitmap().SetSize(3, 3);
    Project.SaveAs(Dir + "slate.bxn");
    Notes.Add("First note");
    Notes.Add("Second note");
    Cab.CABFile = Dir + "skins\\slate.bxs";
  }
  void TearDown() override {
    SetPromptHook(nullptr);
    fs::remove_all(Dir);
  }
  bool Compile() {
    Log.clear();
    TSkinCompiler compiler(Cab);
    compiler.TempFolder = Dir + "skintemp\\";
    compiler.Log = [this](const std::string& line) { Log.push_back(line); };
    return compiler.Run(Project.PackageInput(Notes));
  }
  // The package as the launcher sees it: its member names, and every member
  // unpacked into out\.
  std::vector<std::string> Unpack() {
    TCABFile reader(nullptr);
    reader.CABFile = Dir + "skins\\slate.bxs";
    reader.ReadContents();
    std::vector<std::string> names;
    for (int i = 0; i < reader.CABFileContents().Count(); ++i) names.push_back(reader.CABFileContents()[i].Name);
    reader.TargetPath = Dir + "out";
    for (const auto& n : names) EXPECT_TRUE(reader.ExtractFile(n)) << n;
    return names;
  }
  std::string Member(const std::string& name) { return ReadAll(Dir + "out\\" + name); }
  std::string Cursor(const std::string& name, const std::string& bytes) {
    WriteAll(Dir + "cursors\\" + name, bytes);
    return Dir + "cursors\\" + name;
  }
  bool TempIsEmpty() { return fs::is_empty(Dir + "skintemp"); }

  std::string Dir;
  TSkinProject Project;
  TStringList Notes;
  TCABFile Cab{nullptr};
  std::vector<std::string> Log;
  std::vector<std::string> Prompts;
};

}  // namespace

TEST_F(Compiler, APlainProjectGivesItsFiveMembersInOrder) {
  ASSERT_TRUE(Compile()) << (Log.empty() ? "" : Log.back());
  EXPECT_EQ(Unpack(), (std::vector<std::string>{"skin.dat", "data.msk", "data.ini", "othernotes.txt", "preview.bmp"}));
  EXPECT_EQ(Member("skin.dat"), ReadAll(Dir + "slate.bxn"));
  GenerateMaskFile(Project.Skin.Data.Kuva.Bitmap(), clWhite, Dir + "expected.msk");
  EXPECT_EQ(Member("data.msk"), ReadAll(Dir + "expected.msk"));
  EXPECT_EQ(Member("data.ini"), "[general]\r\nversion=1.0\r\nauthor=Tester\r\ntitle=Slate\r\ntransparent=clWhite\r\n");
  EXPECT_EQ(Member("othernotes.txt"), "First note\r\nSecond note\r\n");
  EXPECT_EQ(Member("preview.bmp"), Bytes(Project.Skin.Data.Kuva.Bitmap().SaveToBytes()));
  ASSERT_EQ(Log.size(), 9u);
  EXPECT_EQ(Log[0], "Copy files to temporary directory");
  EXPECT_EQ(Log[1], "Create mask file");
  EXPECT_EQ(Log[2], "Create preview data");
  EXPECT_EQ(Log[3], "Create preview image");
  EXPECT_EQ(Log[4], "Compress skin");
  EXPECT_EQ(Log[5].rfind("Compression ratio ", 0), 0u) << Log[5];
  EXPECT_EQ(Log[5].back(), '%');
  EXPECT_EQ(Log[6], "Delete temporary files");
  EXPECT_EQ(Log[7], "Skin compiled");
  EXPECT_EQ(Log[8].rfind("Time elapsed: ", 0), 0u);
  EXPECT_TRUE(TempIsEmpty());
  EXPECT_FALSE(fs::exists(Dir + "skins\\slate.bxs.~tmp"));
  EXPECT_TRUE(Prompts.empty());
}

TEST_F(Compiler, NineCursorsAndAPreviewPicture) {
  const char* sources[] = {"arrow.cur", "new.ani", "modify.cur", "remove.cur", "settings.ani",
                           "about.cur", "exit.cur", "up.ANI",    "down.cur"};
  for (int i = 0; i < kSkinCursorSlots; ++i)
    Project.Cursors[size_t(i)] = Cursor(sources[i], "cursor bytes " + std::to_string(i) + std::string(i * 50, char(i)));
  Project.Cursors[0] = Cursor("arrow.cur", ReadAll(kData + "/../../resources/launcher/cur.cur"));
  Project.PreviewImagePath = kData + "/pictures/tga-raw16.tga";
  Project.PreviewTransparentColor = TColor(0x00FF00FF);
  Project.Save();
  ASSERT_TRUE(Compile()) << Log.back();
  EXPECT_EQ(Unpack(), (std::vector<std::string>{"skin.dat", "cur.cur", "cur_new.ani", "cur_modify.cur",
                                                "cur_remove.cur", "cur_settings.ani", "cur_about.cur",
                                                "cur_exit.cur", "cur_up.ANI", "cur_down.cur", "data.msk",
                                                "data.ini", "othernotes.txt", "preview.bmp"}));
  for (int i = 0; i < kSkinCursorSlots; ++i)
    EXPECT_EQ(Member(SkinCursorMemberName(i, sources[i])), ReadAll(Project.Cursors[size_t(i)])) << sources[i];
  EXPECT_EQ(Member("skin.dat"), ReadAll(Dir + "slate.bxn"));
  TPicture preview;
  preview.LoadFromFile(Project.PreviewImagePath);
  EXPECT_EQ(Member("preview.bmp"), Bytes(preview.Bitmap().SaveToBytes()));
  EXPECT_NE(Member("data.ini").find("transparent=clFuchsia\r\n"), std::string::npos);
}

TEST_F(Compiler, ACursorNoLongerSetOrMissingNeverSlipsIn) {
  Project.Cursors[6] = Cursor("exit.ani", "exit cursor");
  Project.Cursors[7] = Cursor("up.cur", "up cursor");
  ASSERT_TRUE(Compile());
  // Left over from an earlier, failed compilation.
  WriteAll(Dir + "skintemp\\cur_about.cur", "stale");
  WriteAll(Dir + "skintemp\\cur_exit.ani", "stale");
  Project.Cursors[6].clear();
  fs::remove(Dir + "cursors\\up.cur");  // set, but the file is gone
  ASSERT_TRUE(Compile()) << Log.back();
  EXPECT_EQ(Unpack(), (std::vector<std::string>{"skin.dat", "data.msk", "data.ini", "othernotes.txt", "preview.bmp"}));
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(Compiler, AFailureLeavesTheOldPackageAsItWas) {
  ASSERT_TRUE(Compile());
  const std::string old = ReadAll(Dir + "skins\\slate.bxs");
  // The project file vanished: no skin.dat, no package.
  fs::rename(Dir + "slate.bxn", Dir + "slate.keep");
  EXPECT_FALSE(Compile());
  EXPECT_EQ(Log.back().rfind("Skin not compiled: ", 0), 0u) << Log.back();
  EXPECT_EQ(ReadAll(Dir + "skins\\slate.bxs"), old);
  fs::rename(Dir + "slate.keep", Dir + "slate.bxn");
  // A package that another program holds open cannot be replaced.
  Project.Skin.Data.Title = "Changed";
  Project.Save();
  HANDLE held = CreateFileA((Dir + "skins\\slate.bxs").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Compile());
  CloseHandle(held);
  EXPECT_EQ(Log.back().rfind("Skin not compiled: ", 0), 0u) << Log.back();
  EXPECT_EQ(ReadAll(Dir + "skins\\slate.bxs"), old);
  EXPECT_FALSE(fs::exists(Dir + "skins\\slate.bxs.~tmp"));
  EXPECT_TRUE(TempIsEmpty());
  // An output folder that is gone.
  Cab.CABFile = Dir + "gone\\slate.bxs";
  EXPECT_FALSE(Compile());
  EXPECT_EQ(Log.back(), "Skin not compiled: Could not create cabinet file");
}

// Compiles an empty project saved in a scratch folder into `package`; the
// log's last line, and whether skintemp\ was left empty.
struct TScratchCompile {
  bool Compiled;
  std::string LastLine;
  bool TempEmpty;
};
TScratchCompile CompileScratchProject(const std::string& package) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string dir = std::string(temp) + "bx_scratch\\";
  fs::remove_all(dir);
  fs::create_directories(dir + "skintemp");
  TSkinProject project;
  project.Skin.Data.Kuva.Bitmap().SetSize(4, 4);
  project.SaveAs(dir + "plain.bxn");
  TCABFile cab(nullptr);
  cab.CABFile = package;
  std::string last;
  TSkinCompiler compiler(cab);
  compiler.TempFolder = dir + "skintemp\\";
  compiler.Log = [&](const std::string& line) { last = line; };
  TScratchCompile result{compiler.Run(project.PackageInput(TStringList())), last, fs::is_empty(dir + "skintemp")};
  fs::remove_all(dir);
  return result;
}

// Runs only where the prefix cannot load cabinet.dll (its own CTest entry).
TEST(NoCabinetLibrary, CompilingFailsAndSaysSo) {
  HMODULE lib = LoadLibraryA("cabinet.dll");
  if (lib) {
    FreeLibrary(lib);
    GTEST_SKIP() << "cabinet.dll loads here";
  }
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string package = std::string(temp) + "bx_nocab.bxs";
  WriteAll(package, "old package");
  TScratchCompile r = CompileScratchProject(package);
  EXPECT_FALSE(r.Compiled);
  EXPECT_EQ(r.LastLine, "Skin not compiled: Can't load the cabinet library cabinet.dll");
  EXPECT_TRUE(r.TempEmpty);
  EXPECT_EQ(ReadAll(package), "old package");
  fs::remove(package);
}

// Runs only with BX_RO_FOLDER: a folder holding slate.bxs ("old package")
// that nothing may be written into (its own CTest entry).
TEST(ReadOnlyFolder, CompilingFailsAndTheOldPackageStays) {
  char folder[MAX_PATH];
  if (!GetEnvironmentVariableA("BX_RO_FOLDER", folder, sizeof folder)) GTEST_SKIP() << "no read-only folder given";
  std::string package = std::string(folder) + "\\slate.bxs";
  TScratchCompile r = CompileScratchProject(package);
  EXPECT_FALSE(r.Compiled);
  EXPECT_EQ(r.LastLine, "Skin not compiled: Could not create cabinet file");
  EXPECT_TRUE(r.TempEmpty);
  EXPECT_EQ(ReadAll(package), "old package");
}

// The editor compiling the default skin project gives the launcher's
// built-in package, member for member.
TEST(DefaultProject, CompilesToTheLaunchersBuiltInMembers) {
  const std::string built = BX_DEFAULTSKIN_DIR;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string dir = std::string(temp) + "bx_defaultproject\\";
  fs::remove_all(dir);
  fs::create_directories(dir + "skintemp");
  fs::create_directories(dir + "out");
  TSkinProject project;
  ASSERT_EQ(project.Open(built + "/Bx2k8.bxn"), "");
  TStringList notes;
  notes.LoadFromFile(built + "/members/othernotes.txt");
  TCABFile cab(nullptr);
  cab.CABFile = dir + "Bx2k8.bxs";
  TSkinCompiler compiler(cab);
  compiler.TempFolder = dir + "skintemp\\";
  ASSERT_TRUE(compiler.Run(project.PackageInput(notes)));

  TCABFile reader(nullptr), builtIn(nullptr);
  reader.CABFile = cab.CABFile;
  reader.ReadContents();
  builtIn.CABFile = built + "/Bx2k8.bxs";
  builtIn.ReadContents();
  ASSERT_EQ(reader.CABFileContents().Count(), 5);
  ASSERT_EQ(builtIn.CABFileContents().Count(), 5);
  reader.TargetPath = dir + "out";
  reader.SetMode(TCABFile::modeExtractAll);
  ASSERT_EQ(reader.ProcessCabinet(), 0);
  for (int i = 0; i < 5; ++i) {
    const std::string name = reader.CABFileContents()[i].Name;
    EXPECT_EQ(name, builtIn.CABFileContents()[i].Name);
    EXPECT_EQ(ReadAll(dir + "out\\" + name), ReadAll(built + "/members/" + name)) << name;
  }
  fs::remove_all(dir);
}
