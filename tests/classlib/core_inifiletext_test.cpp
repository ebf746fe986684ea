// INI text in memory: reads as the profile functions read, and changes that
// touch only their own lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "IniFileSnapshot.h"
#include "IniFileText.h"

namespace {
std::string Joined(const std::vector<std::string>& names) {
  std::string all;
  for (const std::string& n : names) all += n + "|";
  return all;
}
}  // namespace

TEST(IniFileText, ReadsAsTheProfileFunctions) {
  const TIniFileText ini(
      "loose=before any section\r\n"
      "[Quake]\r\n"
      " Mod = ctf \r\n"
      "\tGame=quake\x1A\r\n"
      "Bitmap=\"quoted logo.bmp\"\r\n"
      "lonequote=\"\r\n"
      "empty=\r\n"
      "novalue\r\n"
      ";comment=yes\r\n"
      "MOD=second of the same name\r\n"
      "[quake]\r\n"
      "Extra=only in the second section\r\n"
      "[ spaced ]\n"
      "k=v\n"
      "[broken\n"
      "[a]b]\n"
      "m=2\n"
      "=nameless\n"
      "after=x\n"
      "[]\n"
      "n=3\n"
      "[last]\n"
      "tail=no line end");
  EXPECT_EQ(ini.Value("quake", "mod"), "ctf");
  EXPECT_EQ(ini.Value(" QUAKE ", " game "), "quake");
  EXPECT_EQ(ini.Value("Quake", "Bitmap"), "quoted logo.bmp");
  EXPECT_EQ(ini.Value("Quake", "lonequote"), "\"");
  EXPECT_EQ(ini.Value("Quake", "empty"), "");
  EXPECT_EQ(ini.Value("Quake", "novalue"), std::nullopt);
  EXPECT_EQ(ini.Value("Quake", ";comment"), "yes");
  EXPECT_EQ(ini.Value("Quake", "Extra"), std::nullopt) << "only the first section of a name counts";
  EXPECT_EQ(ini.Value("spaced", "k"), "v");
  EXPECT_EQ(ini.Value("spaced", "[broken"), std::nullopt);
  EXPECT_EQ(ini.Value("a]b", "m"), "2");
  EXPECT_EQ(ini.Value("a]b", ""), "nameless");
  EXPECT_EQ(ini.Value("", "loose"), "before any section");
  EXPECT_EQ(ini.Value("", "n"), std::nullopt) << "a section named [] cannot be reached";
  EXPECT_EQ(ini.Value("last", "tail"), "no line end");
  EXPECT_EQ(ini.Value("missing", "tail"), std::nullopt);
  EXPECT_EQ(Joined(ini.KeyNames("quake")), "Mod|Game|Bitmap|lonequote|empty|MOD|");
  EXPECT_EQ(Joined(ini.KeyNames("a]b")), "m|") << "the list ends at a key without a name";
  EXPECT_EQ(Joined(ini.SectionNames()), "Quake|quake|spaced|a]b|last|");
}

TEST(IniFileText, AChangeRewritesOnlyItsOwnLine) {
  const std::string before =
      "; made by hand\r\n"
      "[Sec]\r\n"
      "  key1 = v1  \r\n"
      "\r\n"
      "key2=v2\r\n"
      "\r\n"
      "\r\n"
      "[Other]\n"
      "z = 1\n";
  TIniFileText ini(before);
  EXPECT_FALSE(ini.Write("sec", "KEY2", " v2 ")) << "the same value changes nothing";
  EXPECT_EQ(ini.Text(), before);
  EXPECT_TRUE(ini.Write("sec", "KEY1", "new"));
  EXPECT_TRUE(ini.Write("Sec", "key3", "v3"));
  EXPECT_TRUE(ini.Write("Other", "w", "2"));
  EXPECT_EQ(ini.Text(),
            "; made by hand\r\n"
            "[Sec]\r\n"
            "  key1=new\r\n"
            "\r\n"
            "key2=v2\r\n"
            "key3=v3\r\n"
            "\r\n"
            "\r\n"
            "[Other]\n"
            "z = 1\n"
            "w=2\r\n");
  EXPECT_EQ(ini.Value("Sec", "key1"), "new");
  EXPECT_TRUE(ini.DeleteKey("SEC", "key2"));
  EXPECT_FALSE(ini.DeleteKey("Sec", "key2"));
  EXPECT_TRUE(ini.EraseSection("other"));
  EXPECT_FALSE(ini.EraseSection("Other"));
  EXPECT_EQ(ini.Text(), "; made by hand\r\n[Sec]\r\n  key1=new\r\n\r\nkey3=v3\r\n\r\n\r\n");
}

TEST(IniFileText, NewSectionsAndKeysAtTheEndOfAFileWithoutALineEnd) {
  TIniFileText ini("[S]\r\nk=v");
  EXPECT_TRUE(ini.Write("T", "m", "2"));
  EXPECT_EQ(ini.Text(), "[S]\r\nk=v\r\n[T]\r\nm=2\r\n");
  TIniFileText header("[S]");
  EXPECT_TRUE(header.Write("s", "k", "v"));
  EXPECT_EQ(header.Text(), "[S]\r\nk=v\r\n");
  TIniFileText key("[S]\r\nk=v");
  EXPECT_TRUE(key.Write("S", "m", "w"));
  EXPECT_EQ(key.Text(), "[S]\r\nk=v\r\nm=w\r\n");
  // A fresh file is what the profile functions make of the same writes.
  TIniFileText fresh;
  fresh.Write("A", "a", "1");
  fresh.Write("B", "b", "2");
  fresh.Write("a", "c", "3");
  fresh.Write("b", "B", "two");
  EXPECT_EQ(fresh.Text(), "[A]\r\na=1\r\nc=3\r\n[B]\r\nb=two\r\n");
}

TEST(IniFileText, DuplicatesAndLineBreaks) {
  TIniFileText ini("[Dup]\r\na=1\r\na=2\r\n[X]\r\nq=1\r\n[dup]\r\nb=2\r\n");
  EXPECT_TRUE(ini.Write("DUP", "A", "3"));
  EXPECT_EQ(ini.Value("dup", "a"), "3");
  EXPECT_TRUE(ini.EraseSection("dup"));
  EXPECT_EQ(ini.Text(), "[X]\r\nq=1\r\n[dup]\r\nb=2\r\n") << "only the first section of the name goes";
  EXPECT_EQ(ini.Value("dup", "b"), "2");
  // A line break would end the line and make a section or key of the rest.
  EXPECT_TRUE(ini.Write("X", "q", "one\r\n[Injected]\r\nk=v"));
  EXPECT_EQ(ini.Value("X", "q"), "one");
  EXPECT_EQ(Joined(ini.SectionNames()), "X|dup|");
}

TEST(IniFileText, ManySectionsAndKeys) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "[Entry " + std::to_string(i) + "]\r\nGame=quake\r\nMod=m" + std::to_string(i) + "\r\n";
  text += "[quake]\r\n";
  for (int i = 0; i < 3000; ++i) text += "mod" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  TIniFileText ini(text);
  EXPECT_EQ(ini.Value("QUAKE", "MOD2999"), "2999");
  EXPECT_TRUE(ini.Write("quake", "mod17", "18"));
  EXPECT_EQ(ini.Value("quake", "mod17"), "18");
  for (int i = 0; i < 3000; i += 2) EXPECT_TRUE(ini.EraseSection("entry " + std::to_string(i)));
  EXPECT_EQ(ini.SectionNames().size(), 1501u);
  EXPECT_EQ(ini.Value("Entry 1", "Mod"), "m1");
  EXPECT_EQ(ini.Value("Entry 2", "Mod"), std::nullopt);
  EXPECT_TRUE(ini.Write("Entry 2", "Mod", "back"));
  const std::string last = "[Entry 2]\r\nMod=back\r\n";
  EXPECT_EQ(ini.Text().substr(ini.Text().size() - last.size()), last);
}

// A file read once: its text as the profile functions read it, nothing of
// text with a byte-order mark, and no sections for a file that is missing.
TEST(IniFileSnapshot, ReadsPlainTextAndLeavesMarkedTextAlone) {
  const TIniFileSnapshot text = TIniFileSnapshot::FromText("[Quake]\r\n Mod = \"ctf\" \r\nGame=quake\r\n[quake]\r\nMod=x\r\n");
  EXPECT_TRUE(text.Plain());
  EXPECT_TRUE(text.HasSection("QUAKE"));
  EXPECT_TRUE(text.HasSection(" quake "));
  EXPECT_FALSE(text.HasSection("Quake 2"));
  EXPECT_EQ(text.Value("quake", "mod"), "ctf");
  EXPECT_EQ(text.Value("Quake", "Missing"), std::nullopt);
  EXPECT_EQ(Joined(text.KeyNames("Quake")), "Mod|Game|");
  for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    const TIniFileSnapshot marked = TIniFileSnapshot::FromText(std::string(mark) + "[Quake]\r\nMod=ctf\r\n");
    EXPECT_FALSE(marked.Plain());
    EXPECT_FALSE(marked.HasSection("Quake"));
  }
  // A mark only counts at the start.
  EXPECT_TRUE(TIniFileSnapshot::FromText("[a]\r\nk=\xEF\xBB\xBF\r\n").Plain());
}

TEST(IniFileSnapshot, ReadsTheFileAsItIsOnDisk) {
  const std::string file = testing::TempDir() + "bx_inifilesnapshot.ini";
  std::remove(file.c_str());
  const TIniFileSnapshot missing = TIniFileSnapshot::FromFile(file);
  EXPECT_TRUE(missing.Plain());
  EXPECT_FALSE(missing.HasSection("a"));
  EXPECT_EQ(missing.Value("a", "k"), std::nullopt);
  std::ofstream(file, std::ios::binary) << "[Entry]\nGame=quake 2\n[Last]\ntail=no line end";
  const TIniFileSnapshot read = TIniFileSnapshot::FromFile(file);
  EXPECT_EQ(read.Value("entry", "game"), "quake 2");
  EXPECT_EQ(read.Value("last", "tail"), "no line end");
  std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF[Entry]\r\nGame=quake\r\n";
  EXPECT_FALSE(TIniFileSnapshot::FromFile(file).Plain());
  std::remove(file.c_str());
}
