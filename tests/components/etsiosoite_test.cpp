// The web address finder over real readme files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "../support/testfiles.h"
#include "etsiosoite.h"

namespace {
std::string Readme(const std::string& text) {
  std::string name = testing::TempDir() + "bx_readme.txt";
  WriteAll(name, text);
  return name;
}
}  // namespace

TEST(FindWebAddress, TakesOffClosingPunctuationButKeepsTheSlash) {
  EXPECT_EQ(FindWebAddress(Readme("See the site (http://mods.example.org/ctf/).\r\n")), "http://mods.example.org/ctf/");
  EXPECT_EQ(FindWebAddress(Readme("Home: http://x.example.com/a, and more words\r\n")), "http://x.example.com/a");
  EXPECT_EQ(FindWebAddress(Readme("[\"http://q.example.net/'\"]}\r\n")), "http://q.example.net/");
  EXPECT_EQ(FindWebAddress(Readme("at www.example.com/x.html\tnow.\n")), "www.example.com/x.html\tnow");
}

TEST(FindWebAddress, PrefersTheFirstHttpLineToAnEarlierWwwLine) {
  std::string text = "Brand new mod\r\nwww.first.example.com\r\n";
  for (int i = 3; i < 9; ++i) text += "line\r\n";
  text += "visit http://ninth.example.com today\r\nhttp://tenth.example.com\r\n";
  EXPECT_EQ(FindWebAddress(Readme(text)), "http://ninth.example.com");
  EXPECT_EQ(FindWebAddress(Readme("x\nwww.one.example www.two.example\nwww.three.example\n")), "www.one.example");
}

TEST(FindWebAddress, MarkersMatchOnlyInLowerCase) {
  EXPECT_EQ(FindWebAddress(Readme("HTTP://LOUD.EXAMPLE.COM\r\nwww.quiet.example.com\r\n")), "www.quiet.example.com");
  EXPECT_EQ(FindWebAddress(Readme("HTTP://LOUD.EXAMPLE.COM WWW.LOUD.EXAMPLE.COM\r\n")), "");
  EXPECT_EQ(FindWebAddress(Readme("HTTPS://LOUD.EXAMPLE.COM\r\n")), "");
}

// A readme that gives only a secure address has a web site too.
TEST(FindWebAddress, FindsHttpsAddressesAsHttpOnes) {
  EXPECT_EQ(FindWebAddress(Readme("Home page: https://secure.example.com/mod.\r\n")), "https://secure.example.com/mod");
  // Before a "www." line, as an http address is.
  EXPECT_EQ(FindWebAddress(Readme("www.old.example.com\r\nnow at https://new.example.com\r\n")),
            "https://new.example.com");
  // The first line with either wins, and on it the first of them.
  EXPECT_EQ(FindWebAddress(Readme("a https://one.example.com b http://two.example.com\r\nhttp://three.example.com\r\n")),
            "https://one.example.com");
  EXPECT_EQ(FindWebAddress(Readme("mirror http://plain.example.com or https://safe.example.com\r\n")),
            "http://plain.example.com");
}

TEST(FindWebAddress, NothingForMissingEmptyOrAddresslessFiles) {
  EXPECT_EQ(FindWebAddress(testing::TempDir() + "bx_no_readme.txt"), "");
  EXPECT_EQ(FindWebAddress(testing::TempDir()), "") << "a folder is no file";
  EXPECT_EQ(FindWebAddress(Readme("")), "");
  EXPECT_EQ(FindWebAddress(Readme("just words\r\nand more\r\n")), "");
  // Only closing punctuation after the marker is all taken off, marker kept.
  EXPECT_EQ(FindWebAddress(Readme("(www.).\r\n")), "www");
  std::remove((testing::TempDir() + "bx_readme.txt").c_str());
}
