// The form of the built-in known-mod list.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "KnownMods.h"
#include "SysUtils.h"

TEST(KnownMods, NamesAreUniqueSortedLowerCaseFolderNames) {
  const auto& list = KnownMods();
  EXPECT_EQ(list.size(), 288u);
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
                           "weapon_wars", "cryoffear", "rewolf", "3wave", "tenebrae", "openffa"})
    EXPECT_TRUE(IsKnownMod(real)) << real;
  // Names that no mod installs under.
  for (const char* wrong : {"azuresheep", "wanted", "matrix"}) EXPECT_FALSE(IsKnownMod(wrong)) << wrong;
  // No source backs these, or they are folders of another game.
  for (const char* unbacked : {"etf", "battle", "bma", "f4a", "freezeplus"})
    EXPECT_FALSE(IsKnownMod(unbacked)) << unbacked;
}

TEST(KnownMods, HoldsEveryNameOfTheSourcesFile) {
  std::ifstream sources(BX_KNOWNMODS_SOURCES);
  ASSERT_TRUE(sources) << BX_KNOWNMODS_SOURCES;
  std::string line;
  std::set<std::string> names;
  while (std::getline(sources, line)) {
    if (line.empty() || line[0] == '#' || line.rfind("name\t", 0) == 0) continue;
    // name, game, source, evidence
    std::vector<std::string> fields;
    for (size_t from = 0;;) {
      const size_t tab = line.find('\t', from);
      fields.push_back(line.substr(from, tab - from));
      if (tab == std::string::npos) break;
      from = tab + 1;
    }
    const std::string& name = fields[0];
    EXPECT_TRUE(IsKnownMod(name)) << name;
    EXPECT_TRUE(names.insert(name).second) << name << " has two rows";
    EXPECT_TRUE(fields.size() == 4 && !Trim(fields[2]).empty()) << name << " has no source";
  }
  EXPECT_EQ(names.size(), 98u);
}
