// The form of the built-in known-mod list.
#include <gtest/gtest.h>

#include <set>

#include "KnownMods.h"
#include "SysUtils.h"

TEST(KnownMods, NamesAreUniqueSortedLowerCaseFolderNames) {
  const auto& list = KnownMods();
  ASSERT_GT(list.size(), 150u);
  std::set<std::string> seen;
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string& name = list[i];
    SCOPED_TRACE(name);
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 29u);
    EXPECT_EQ(name, LowerCase(name));
    EXPECT_EQ(name, Trim(name));
    EXPECT_EQ(name.find_first_of("\\/:*?\"<>|"), std::string::npos);
    EXPECT_NE(name, ".");
    EXPECT_EQ(name.find(".."), std::string::npos);
    EXPECT_TRUE(seen.insert(name).second) << "listed twice";
    if (i > 0) {
      EXPECT_LT(list[i - 1], name) << "out of order";
    }
  }
}

TEST(KnownMods, HoldsNoBaseOrToolFolderOfTheGames) {
  for (const char* own : {"id1", "valve", "baseq2", "baseq3", "maps", "logos", "data1", "base", "main",
                          "data", "baseef", "gfx", "sound", "models", "modlist"})
    EXPECT_FALSE(IsKnownMod(own)) << own;
}

TEST(KnownMods, LookupIgnoresLetterCase) {
  EXPECT_TRUE(IsKnownMod("ctf"));
  EXPECT_TRUE(IsKnownMod("CStrike"));
  EXPECT_TRUE(IsKnownMod("action"));
  EXPECT_FALSE(IsKnownMod("ctf2000"));
  EXPECT_FALSE(IsKnownMod(""));
}

TEST(KnownMods, FolderNamesAsTheModsInstallThem) {
  for (const char* real : {"asheep", "wantedhl", "svencoop", "ktx", "prydon", "lox", "oblivion", "wop", "q3ut",
                           "freezeplus", "weapon_wars", "cryoffear", "rewolf"})
    EXPECT_TRUE(IsKnownMod(real)) << real;
  // Names that no mod installs under.
  for (const char* wrong : {"azuresheep", "wanted", "matrix"}) EXPECT_FALSE(IsKnownMod(wrong)) << wrong;
}
