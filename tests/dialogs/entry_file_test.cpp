// The entry writer and the mod-info file.
#include <gtest/gtest.h>

#include "discovery_fixture.h"
#include "EntryFile.h"
#include "IniFiles.h"
#include "Streams.h"

#include <windows.h>

using Keys = std::vector<std::pair<std::string, std::string>>;

TEST(WriteModEntry, CleansTheNameAndFallsBackToFolderOrUnknownMod) {
  TEntrySet set;
  WriteModEntry(set, "  Rocket [Arena]= ", "arena", "", "", "", "quake -game %s", "quake");
  WriteModEntry(set, " [] ", "  ctf ", "", "", "", "quake -game %s", "quake");
  WriteModEntry(set, "", "", "", "", "", "quake", "quake");
  ASSERT_EQ(set.Entries().size(), 3u);
  EXPECT_EQ(set.Entries()[0].Name, "Rocket Arena");
  EXPECT_EQ(set.Entries()[1].Name, "ctf");
  EXPECT_EQ(set.Entries()[1].Value("Mod"), "  ctf ");  // the folder itself is written as given
  EXPECT_EQ(set.Entries()[2].Name, "unknown mod");
}

TEST(WriteModEntry, KeyOrderAndEmptyKeysSkipped) {
  TEntrySet set;
  WriteModEntry(set, "CTF", "ctf", "http://ctf", "Capture", "ctf.bmp", "quake -game %s", "quake");
  WriteModEntry(set, "Quake", "", "", "", "", "quake", "quake");
  ASSERT_EQ(set.Entries().size(), 2u);
  EXPECT_EQ(set.Entries()[0].Keys, (Keys{{"Mod", "ctf"}, {"Game", "quake"}, {"Param", "quake -game %s"},
                                        {"Bitmap", "ctf.bmp"}, {"Description", "Capture"}, {"url", "http://ctf"}}));
  EXPECT_EQ(set.Entries()[1].Keys, (Keys{{"Mod", ""}, {"Game", "quake"}, {"Param", "quake"}}));
  EXPECT_EQ(set.Text(),
            "[CTF]\r\nMod=ctf\r\nGame=quake\r\nParam=quake -game %s\r\nBitmap=ctf.bmp\r\nDescription=Capture\r\n"
            "url=http://ctf\r\n\r\n[Quake]\r\nMod=\r\nGame=quake\r\nParam=quake\r\n\r\n");
}

TEST(WriteModEntry, NothingWithoutGameOrParameter) {
  TEntrySet set;
  WriteModEntry(set, "A", "a", "", "", "", "", "quake");
  WriteModEntry(set, "B", "b", "", "", "", "quake -game %s", "");
  EXPECT_TRUE(set.Entries().empty());
}

TEST(WriteModEntry, ClashesGetTheGameAppended) {
  TEntrySet set;
  WriteModEntry(set, "CTF", "ctf", "", "", "", "quake -game %s", "quake");
  WriteModEntry(set, "CTF", "ctf", "", "", "", "quake2 +set game %s", "quake 2");
  WriteModEntry(set, "ctf", "ctf", "", "", "", "quake -game %s", "quake");
  WriteModEntry(set, "CTF", "ctf", "", "", "", "quake -game %s", "quake");
  ASSERT_EQ(set.Entries().size(), 4u);
  EXPECT_EQ(set.Entries()[0].Name, "CTF");
  EXPECT_EQ(set.Entries()[1].Name, "CTF (quake 2)");
  EXPECT_EQ(set.Entries()[2].Name, "ctf (quake)");  // names match without regard to case
  EXPECT_EQ(set.Entries()[3].Name, "CTF (quake) (quake)");
}

TEST_F(TDiscoveryTest, WriteModEntryIntoAnOpenEntryFile) {
  TIniFile mod(App + "Mod.ini");
  WriteModEntry(mod, "CTF", "ctf", "", "Capture", "", "quake -game %s", "quake");
  WriteModEntry(mod, "CTF", "ctf", "", "", "", "quake2 +set game %s", "quake 2");
  mod.UpdateFile();
  auto entries = ParseIni(ReadTextFile(App + "Mod.ini"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Keys, (Keys{{"Mod", "ctf"}, {"Game", "quake"}, {"Param", "quake -game %s"},
                                   {"Description", "Capture"}}));
  EXPECT_EQ(entries[1].Name, "CTF (quake 2)");
}

TEST(ModInfo, ExactlyFiveLinesWithANonBlankFirst) {
  TModInfo info;
  EXPECT_TRUE(ParseModInfo("Rocket\r\nDesc\r\nra.bmp\r\nquake -game %s\r\nhttp://ra\r\n", info));
  EXPECT_EQ(info.Name, "Rocket");
  EXPECT_EQ(info.Description, "Desc");
  EXPECT_EQ(info.Logo, "ra.bmp");
  EXPECT_EQ(info.Parameters, "quake -game %s");
  EXPECT_EQ(info.WebSite, "http://ra");
  // Blank lines 2 to 5 are kept blank for the reader's fallbacks; the last
  // line may lack its line end.
  EXPECT_FALSE(ParseModInfo("Name\r\n\r\n\r\n\r\n", info));
  EXPECT_TRUE(ParseModInfo("Name\r\n\r\n\r\n\r\n ", info));
  EXPECT_EQ(info.Description, "");
  EXPECT_EQ(info.WebSite, " ");

  EXPECT_FALSE(ParseModInfo("a\r\nb\r\nc\r\nd\r\n", info));                 // four lines
  EXPECT_FALSE(ParseModInfo("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n", info));       // six lines
  EXPECT_FALSE(ParseModInfo("  \r\nb\r\nc\r\nd\r\ne\r\n", info));           // blank first line
  EXPECT_FALSE(ParseModInfo("", info));
}

TEST_F(TDiscoveryTest, ModInfoFileRoundTripAndMissingFile) {
  TModInfo out{"Name", "Description", "logo.ico", "quake -game %s", "http://x"}, in;
  WriteModInfo(Root + ModInfoFileName, out);
  EXPECT_EQ(ReadTextFile(Root + ModInfoFileName), "Name\r\nDescription\r\nlogo.ico\r\nquake -game %s\r\nhttp://x\r\n");
  ASSERT_TRUE(ReadModInfo(Root + ModInfoFileName, in));
  EXPECT_EQ(in.Logo, "logo.ico");
  EXPECT_FALSE(ReadModInfo(Root + "missing\\" + ModInfoFileName, in));
  // A file far bigger than five lines could be is not read as one.
  WriteTextFile(Root + "big.bx2", "a\r\nb\r\nc\r\nd\r\n" + std::string(100000, 'e'));
  EXPECT_FALSE(ReadModInfo(Root + "big.bx2", in));
  // A read-only file stays as it is, flag and all.
  const std::string locked = Root + "ro\\" + ModInfoFileName;
  WriteTextFile(locked, "Old\r\n\r\n\r\n\r\n\r\n");
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(WriteModInfo(locked, out), EFCreateError);
  EXPECT_EQ(ReadTextFile(locked), "Old\r\n\r\n\r\n\r\n\r\n");
  EXPECT_NE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(EntrySetText, ReadsWhatTheWriterWritesAndHandEditedFiles) {
  TEntrySet set;
  WriteModEntry(set, "Rocket [Arena]", "arena", "", "", "", "quake -game %s", "quake");
  TEntrySet back = TEntrySet::FromText(set.Text());
  ASSERT_EQ(back.Entries().size(), 1u);
  EXPECT_EQ(back.Entries()[0].Name, "Rocket Arena");
  EXPECT_EQ(back.Entries()[0].Keys, set.Entries()[0].Keys);

  // Lines before the first section and lines without "=" are skipped;
  // blanks around names and values go; "=" inside a value stays.
  TEntrySet edited = TEntrySet::FromText("Mod=stray\n; note\n  [ Spaced ]  \r\n Game = quake \nnot a key\n"
                                         "Param=a=b\n[]\nMod=x\n[Last]");
  ASSERT_EQ(edited.Entries().size(), 3u);
  EXPECT_EQ(edited.Entries()[0].Name, "Spaced");
  EXPECT_EQ(edited.Entries()[0].Value("game"), "quake");
  EXPECT_EQ(edited.Entries()[0].Value("Param"), "a=b");
  EXPECT_EQ(edited.Entries()[0].Value("Mod"), "");
  EXPECT_EQ(edited.Entries()[1].Value("Mod"), "x");
  EXPECT_TRUE(edited.Entries()[2].Keys.empty());
  EXPECT_TRUE(edited.SectionExists("spaced"));
}
