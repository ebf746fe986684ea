// The PAK directory reader: listing by folder, the little-endian header, and
// short, lying or missing archives giving the stream's read error or false.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PakExplr.h"
#include "Streams.h"
#include "../support/pakfile.h"

namespace {

std::vector<std::string> List(const std::string& bytes, TPakFileType type, TStringList& list) {
  TMemoryStream s(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  ReadPakDirectory(s, type, list);
  return list.Items();
}

std::vector<std::string> List(const std::string& bytes, TPakFileType type) {
  TStringList list;
  return List(bytes, type, list);
}

using Names = std::vector<std::string>;

}  // namespace

TEST(PakDirectory, ListsOneFolderWithTheFolderTakenOff) {
  std::string pak = PakBytes({"maps/e1m1.bsp", "maps/e1m2.bsp", "progs/player.mdl", "maps/dm/x.bsp", "MAPS/x.bsp",
                         "mapsx/y.bsp", "maps", "sound/maps/z.wav"});
  EXPECT_EQ(List(pak, ptMaps), (Names{"e1m1.bsp", "e1m2.bsp", "dm/x.bsp"}));
  EXPECT_EQ(List(pak, ptSound), (Names{"maps/z.wav"}));
  EXPECT_EQ(List(pak, ptModels), Names{});
  EXPECT_EQ(List(pak, ptAll), (Names{"e1m1.bsp", "e1m2.bsp", "player.mdl", "dm/x.bsp", "x.bsp", "y.bsp", "maps",
                                      "maps/z.wav"}));
}

TEST(PakDirectory, EachTypeSelectsItsFolder) {
  const char* folders[] = {"demos", "env", "maps", "models", "pics", "sound", "sprites", "textures"};
  for (int t = ptDemos; t <= ptTextures; ++t) {
    std::string pak = PakBytes({std::string(folders[t - 1]) + "/a", "other/b"});
    EXPECT_EQ(List(pak, TPakFileType(t)), Names{"a"}) << folders[t - 1];
  }
}

TEST(PakDirectory, ReadsTheHeaderLittleEndianAndIgnoresTheIdentifier) {
  // Directory offset bytes 03 05 12 00 are 1,180,931.
  const int32_t offset = 0x00120503;
  ASSERT_EQ(offset, 1180931);
  std::string dir = PakDirectory({"maps/far.bsp"});
  std::string s = "JUNK";
  PutLe32(s, offset);
  PutLe32(s, int32_t(dir.size()));
  ASSERT_EQ(uint8_t(s[4]), 0x03);
  ASSERT_EQ(uint8_t(s[6]), 0x12);
  s.resize(offset, '\0');
  s += dir;
  EXPECT_EQ(List(s, ptMaps), Names{"far.bsp"});
}

TEST(PakDirectory, ShortDirectoryLengthsGiveAnEmptyList) {
  TStringList list;
  list.Add("old");
  EXPECT_EQ(List(PakBytes({"maps/a.bsp"}, 12, 0), ptAll, list), Names{});
  list.Add("old");
  EXPECT_EQ(List(PakBytes({"maps/a.bsp"}, 12, 63), ptAll, list), Names{});
  EXPECT_EQ(List(PakBytes({"maps/a.bsp"}, 12, -64), ptAll), Names{});
  // Lengths are whole entries, rounded toward zero.
  EXPECT_EQ(List(PakBytes({"maps/a.bsp", "maps/b.bsp"}, 12, 127), ptMaps), Names{"a.bsp"});
}

TEST(PakDirectory, NamesEndAtTheirZeroOrAtTheNameField) {
  std::string pak = PakBytes({"maps/" + std::string(60, 'n')});
  EXPECT_EQ(List(pak, ptMaps), Names{std::string(51, 'n')}) << "56 bytes less the folder";
  std::string withTail = PakDirectory({"maps/a.bsp"});
  withTail.replace(11, 3, "xyz");  // bytes after the terminating zero
  std::string s = "PACK";
  PutLe32(s, 12);
  PutLe32(s, 64);
  EXPECT_EQ(List(s + withTail, ptMaps), Names{"a.bsp"});
}

TEST(PakDirectory, BrokenArchivesRaiseTheReadError) {
  TStringList list;
  list.Add("old");
  // Cut inside the header: the list is not touched.
  TMemoryStream shortHeader(std::vector<uint8_t>{'P', 'A', 'C', 'K', 12, 0});
  EXPECT_THROW(ReadPakDirectory(shortHeader, ptAll, list), EReadError);
  EXPECT_EQ(list.Items(), Names{"old"});
  // A directory before the file's start.
  EXPECT_THROW(List(PakBytes({"maps/a.bsp"}, -8), ptAll, list), EReadError);
  EXPECT_EQ(list.Items(), Names{"old"});
  // A directory past the file's end: cleared, nothing read.
  EXPECT_THROW(List(PakBytes({"maps/a.bsp"}, 1 << 30), ptAll, list), EReadError);
  EXPECT_EQ(list.Items(), Names{});
}

TEST(PakDirectory, ADirectoryLongerThanTheFileKeepsWhatWasRead) {
  TStringList list;
  std::string pak = PakBytes({"maps/a.bsp", "maps/b.bsp"}, 12, 0x7FFFFFFF);
  EXPECT_THROW(List(pak, ptMaps, list), EReadError);
  EXPECT_EQ(list.Items(), (Names{"a.bsp", "b.bsp"}));
  // Cut in the middle of the second entry.
  pak = PakBytes({"maps/a.bsp", "maps/b.bsp"});
  pak.resize(pak.size() - 10);
  EXPECT_THROW(List(pak, ptMaps, list), EReadError);
  EXPECT_EQ(list.Items(), Names{"a.bsp"});
}

TEST(PakExplr, ExploresTheArchiveOnDisk) {
  std::string name = testing::TempDir() + "bx_pak0.pak";
  WriteAll(name, PakBytes({"maps/e1m1.bsp", "progs/player.mdl"}));
  TPakExplr pak(nullptr);
  EXPECT_EQ(pak.ResourceType, ptAll);
  pak.PakFile = name;
  pak.ResourceType = ptMaps;
  EXPECT_TRUE(pak.Explore());
  EXPECT_EQ(pak.ResourceList().Items(), Names{"e1m1.bsp"});

  // A missing file returns false and keeps the list.
  pak.PakFile = testing::TempDir() + "bx_no_such.pak";
  EXPECT_FALSE(pak.Explore());
  EXPECT_EQ(pak.ResourceList().Items(), Names{"e1m1.bsp"});
  // So does a folder.
  pak.PakFile = testing::TempDir();
  EXPECT_FALSE(pak.Explore());

  // A file that is not an archive raises the read error.
  WriteAll(name, "not a pak");
  pak.PakFile = name;
  EXPECT_THROW(pak.Explore(), EReadError);
  std::remove(name.c_str());
}

TEST(PakExplr, AssigningTheListCopiesIt) {
  TStringList given;
  given.Add("x.bsp");
  TPakExplr pak(nullptr);
  pak.SetResourceList(given);
  given.Add("y.bsp");
  EXPECT_EQ(pak.ResourceList().Items(), Names{"x.bsp"});
}
