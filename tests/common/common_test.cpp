// What both programs share: the Half-Life engine rule and the skin's rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GameRules.h"
#include "SkinRows.h"

TEST(HalfLifeEngine, HalfLifeAndGunmanInAnyCase) {
  EXPECT_TRUE(IsHalfLifeEngine("half-life"));
  EXPECT_TRUE(IsHalfLifeEngine("Half-Life"));
  EXPECT_TRUE(IsHalfLifeEngine("gunman"));
  EXPECT_TRUE(IsHalfLifeEngine("GUNMAN"));
}

TEST(HalfLifeEngine, OtherGamesAndNearNamesAreNot) {
  for (const char* game : {"", "quake", "quake2", "halflife", "half-life ", "hl", "gunman2", "valve"})
    EXPECT_FALSE(IsHalfLifeEngine(game)) << game;
}

TEST(HalfLifeEngine, BaseFolders) {
  EXPECT_EQ(HalfLifeBaseFolder("Half-Life"), "valve");
  EXPECT_EQ(HalfLifeBaseFolder("gunman"), "rewolf");
  EXPECT_EQ(HalfLifeBaseFolder("quake"), "");
}

TEST(HalfLifeEngine, AnyPresentAsksEachEngineGame) {
  std::vector<std::string> asked;
  auto none = [&](const std::string& g) {
    asked.push_back(g);
    return false;
  };
  EXPECT_FALSE(AnyHalfLifeEngineGame(none));
  EXPECT_EQ(asked, (std::vector<std::string>{"half-life", "gunman"}));
  EXPECT_TRUE(AnyHalfLifeEngineGame([](const std::string& g) { return g == "gunman"; }));
  EXPECT_TRUE(AnyHalfLifeEngineGame([](const std::string& g) { return g == "half-life"; }));
}

TEST(SkinRows, AsManyAsTheSkinLaysOut) {
  Tbxskinmainlist list;
  EXPECT_EQ(kRows, int(list.Items.size()));
  EXPECT_EQ(kRows, 13);
}
