// The background file look-ups: the same answers as FileExists, from any
// number of helper threads, each path looked up once.
#include <gtest/gtest.h>

#include "discovery_fixture.h"
#include "FileProbe.h"
#include "FileUtils.h"
#include "SysUtils.h"

namespace {
class TFileProbeTest : public TDiscoveryTest {
protected:
  void SetUp() override {
    TDiscoveryTest::SetUp();
    Mod = Root + "game\\Ctf\\";
    WriteTextFile(Mod + "LibList.GAM", "game \"x\"\r\n");
    MakeDirs(Mod + "ctf.ico");  // a folder named like the icon
  }
  // Path and answer: other letter case, a folder, a missing file and folder.
  std::vector<std::pair<std::string, bool>> Cases() const {
    return {{Mod + "LibList.GAM", true},
            {Root + "GAME\\ctf\\liblist.gam", true},
            {Mod + "ctf.ico", false},
            {Mod + "modinfo_for_BX2000.bx2", false},
            {Root + "game\\gone\\liblist.gam", false},
            {"", false}};
  }
  std::string Mod;
};
}  // namespace

TEST_F(TFileProbeTest, AnswersAsFileExistsWithAndWithoutHelpers) {
  for (size_t threads : {size_t(0), size_t(1), TFileProbe::DefaultThreads}) {
    SCOPED_TRACE(threads);
    TFileProbe asked(threads), unasked(threads);
    std::vector<std::string> paths;
    for (const auto& [path, file] : Cases()) paths.push_back(path);
    asked.Ask(paths);
    for (const auto& [path, file] : Cases()) {
      EXPECT_EQ(asked.IsFile(path), file) << path;
      EXPECT_EQ(unasked.IsFile(path), file) << path;
    }
  }
}

TEST_F(TFileProbeTest, ManyPathsKeepTheirOwnAnswers) {
  std::vector<std::string> paths;
  for (int i = 0; i < 600; ++i) {
    paths.push_back(Mod + "f" + IntToStr(i) + ".txt");
    if (i % 3 == 0) WriteTextFile(paths.back(), "x");
  }
  TFileProbe probe;
  probe.Ask(paths);
  probe.Ask(paths);  // asked twice: still one answer each
  // Answers taken from the end, where the helpers may not have got yet.
  for (int i = 599; i >= 0; --i) EXPECT_EQ(probe.IsFile(paths[size_t(i)]), i % 3 == 0) << i;
}

TEST_F(TFileProbeTest, APathIsLookedUpOnce) {
  TFileProbe probe;
  const std::string later = Mod + "later.txt";
  EXPECT_FALSE(probe.IsFile(later));
  WriteTextFile(later, "x");
  probe.Ask({later});
  EXPECT_FALSE(probe.IsFile(later));
  EXPECT_TRUE(FileExists(later));
}

TEST_F(TFileProbeTest, EndsWithLookUpsStillQueued) {
  std::vector<std::string> paths;
  for (int i = 0; i < 5000; ++i) paths.push_back(Root + "missing" + IntToStr(i) + "\\x");
  auto probe = std::make_unique<TFileProbe>();
  probe->Ask(paths);
  probe.reset();  // neither waits for the queued ones nor touches them afterwards
}
