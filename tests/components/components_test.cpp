// The small components: special folder paths and capitalising.
#include <gtest/gtest.h>
#include <windows.h>

#include "isokirjain.h"
#include "pika.h"
#include <shlobj.h>
#include "SysUtils.h"

TEST(CapitalizeFirst, UpperCasesOnlyTheFirstCharacter) {
  EXPECT_EQ(CapitalizeFirst("ctf"), "Ctf");
  EXPECT_EQ(CapitalizeFirst("rocket arena"), "Rocket arena");
  EXPECT_EQ(CapitalizeFirst("Ctf"), "Ctf");
  EXPECT_EQ(CapitalizeFirst("1st mod"), "1st mod");
  EXPECT_EQ(CapitalizeFirst(""), "");
}

TEST(CapitalizeFirst, FollowsTheAnsiCodePage) {
  // The tests run in the Western code page, where 0xE4 is a-umlaut.
  ASSERT_EQ(GetACP(), 1252u);
  EXPECT_EQ(CapitalizeFirst("\xE4peli"), "\xC4peli");
  EXPECT_EQ(CapitalizeFirst("\xF6ljy \xE4"), "\xD6ljy \xE4");
}

TEST(GetSpecialFolderPath, StartupFolderAndFoldersWithoutAPath) {
  std::string startup = GetSpecialFolderPath(nullptr, 7);
  ASSERT_FALSE(startup.empty());
  EXPECT_TRUE(EndsText("\\Startup", startup)) << startup;
  EXPECT_NE(startup.back(), '\\');
  // The control panel is no file-system folder.
  EXPECT_EQ(GetSpecialFolderPath(nullptr, 3), "");
  // Index 22 is the application data folder (CSIDL 0x1A), past the gap in the table.
  char appData[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, appData, 0x1A, FALSE));
  EXPECT_EQ(GetSpecialFolderPath(nullptr, 22), appData);
}

TEST(GetSpecialFolderPath, IndexOutsideTheTableGivesNothing) {
  EXPECT_EQ(GetSpecialFolderPath(nullptr, -1), "");
  EXPECT_EQ(GetSpecialFolderPath(nullptr, 30), "");
  EXPECT_EQ(GetSpecialFolderPath(nullptr, 1000), "");
}
