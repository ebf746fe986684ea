#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <random>

#include "IniFiles.h"
#include "Streams.h"
#include "../support/awkward_ini.h"
#include "../support/testfiles.h"

namespace {
std::string TempIni(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  DeleteFileA(path.c_str());
  return path;
}
void PutText(const std::string& name, const std::string& text) {
  // The profile functions keep a copy of a file they read: it is let go first.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, name.c_str());
  std::ofstream(name, std::ios::binary) << text;
}

// What the profile functions read: a value, or a list of names ("a|b|").
std::string ProfileRead(const std::string& file, const char* section, const char* key) {
  std::vector<char> buf(65536);
  DWORD n = section ? GetPrivateProfileStringA(section, key, "<none>", buf.data(), DWORD(buf.size()), file.c_str())
                    : GetPrivateProfileSectionNamesA(buf.data(), DWORD(buf.size()), file.c_str());
  if (key && section) return std::string(buf.data(), n);
  std::string names;
  for (const char* p = buf.data(); p < buf.data() + n && *p; p += strlen(p) + 1) names += std::string(p) + "|";
  return names == "<none>|" ? "" : names;
}
std::string Names(const TStringList& list) {
  std::string names;
  for (const std::string& s : list.Items()) names += s + "|";
  return names;
}

// Every section and key name of the test files, in other letter cases and
// with blanks, and some that are missing.
const char* const kSections[] = {"", "Quake", "QUAKE", " quake ", "spaced", "[broken", "Team Fortress", "last",
                                 "Dup", "dup", "missing", "X1", "x2"};
const char* const kKeys[] = {"Mod",   "mod",  " Game ", "Bitmap", "single", "lonequote", "mixed", "empty",
                             "novalue", ";comment", "eq",  "Extra", "k",   "after", "tail",   "loose",
                             "",      "a",    "B",      "c"};

// The file as TIniFile reads it and as the profile functions read it.
void ExpectSameReads(const std::string& ours, const std::string& theirs) {
  TIniFile ini(ours);
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(Names(list), ProfileRead(theirs, nullptr, nullptr));
  for (const char* section : kSections) {
    for (const char* key : kKeys)
      EXPECT_EQ(ini.ReadString(section, key, "<none>"), ProfileRead(theirs, section, key))
          << "[" << section << "] " << key;
    ini.ReadSection(section, list);
    EXPECT_EQ(Names(list), ProfileRead(theirs, section, nullptr)) << "[" << section << "]";
  }
}

}  // namespace

TEST(IniFile, ValuesOfEveryKind) {
  std::string name = TempIni("bx_values.ini");
  TIniFile ini(name);
  ini.WriteString("Asetukset", "Nahka", "Bx2k8.bxs");
  ini.WriteInteger("Asetukset", "Aloitus", 3);
  ini.WriteBool("Asetukset", "splash", true);
  ini.WriteBool("Asetukset", "Sammuta", false);
  EXPECT_EQ(ini.ReadString("asetukset", "NAHKA", "x"), "Bx2k8.bxs");
  EXPECT_EQ(ini.ReadString("Asetukset", "missing", "default"), "default");
  EXPECT_EQ(ini.ReadInteger("Asetukset", "Aloitus", 0), 3);
  EXPECT_TRUE(ini.ReadBool("Asetukset", "splash", false));
  EXPECT_FALSE(ini.ReadBool("Asetukset", "Sammuta", true));
  EXPECT_TRUE(ini.ReadBool("Asetukset", "missing", true));
  ini.WriteString("Asetukset", "customcolor", "$001A91D6");
  EXPECT_EQ(ini.ReadInteger("Asetukset", "customcolor", 0), 0x001A91D6);
  ini.WriteString("Asetukset", "bad", "12x");
  EXPECT_EQ(ini.ReadInteger("Asetukset", "bad", 42), 42);
  std::string text = ReadAll(name);
  EXPECT_NE(text.find("splash=1"), std::string::npos);
  EXPECT_NE(text.find("Sammuta=0"), std::string::npos);
  DeleteFileA(name.c_str());
}

TEST(IniFile, LongValuesSectionsAndErasing) {
  std::string name = TempIni("bx_sections.ini");
  TIniFile ini(name);
  std::string longText(5000, 'q');
  ini.WriteString("quake", "Sijainti", "C:\\Quake");
  ini.WriteString("quake", "long", longText);
  ini.WriteString("half-life", "Sijainti", "C:\\Sierra\\Half-Life");
  EXPECT_EQ(ini.ReadString("quake", "long", ""), longText);
  TStringList sections, keys, values;
  ini.ReadSections(sections);
  EXPECT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections[1], "half-life");
  ini.ReadSection("QUAKE", keys);
  ASSERT_EQ(keys.Count(), 2);
  EXPECT_EQ(keys[0], "Sijainti");
  ini.ReadSectionValues("half-life", values);
  EXPECT_EQ(values.Values("Sijainti"), "C:\\Sierra\\Half-Life");
  EXPECT_TRUE(ini.ValueExists("quake", "sijainti"));
  EXPECT_TRUE(ini.SectionExists("Quake"));
  ini.DeleteKey("quake", "long");
  EXPECT_FALSE(ini.ValueExists("quake", "long"));
  ini.EraseSection("quake");
  EXPECT_FALSE(ini.SectionExists("quake"));
  DeleteFileA(name.c_str());
}

TEST(IniFile, BareNameMeansTheWindowsFolder) {
  TIniFile ini("bx_bare_name_test.ini");
  ini.WriteInteger("Asetukset", "Laskuri", 7);
  ini.UpdateFile();
  char windir[MAX_PATH];
  GetWindowsDirectoryA(windir, MAX_PATH);
  std::string path = std::string(windir) + "\\bx_bare_name_test.ini";
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(TIniFile(path).ReadInteger("Asetukset", "Laskuri", 0), 7);
  DeleteFileA(path.c_str());
}

TEST(IniFile, DatesInTheLocaleFormat) {
  std::string name = TempIni("bx_dates.ini");
  TIniFile ini(name);
  TDateTime day = EncodeDate(2026, 2, 28);
  ini.WriteDate("Asetukset", "installday", day);
  EXPECT_EQ(ini.ReadString("Asetukset", "installday", ""), FormatDate(ShortDateFormat(), day));
  EXPECT_EQ(ini.ReadDate("Asetukset", "installday", 0), day);
  ini.WriteString("Asetukset", "broken", "not a date");
  EXPECT_EQ(ini.ReadDate("Asetukset", "broken", 5.0), 5.0);
  DeleteFileA(name.c_str());
}

TEST(IniFile, ReadsAndChangesAsTheProfileFunctions) {
  const std::string ours = TempIni("bx_ours.ini"), theirs = TempIni("bx_theirs.ini");
  PutText(ours, kAwkwardIni);
  PutText(theirs, kAwkwardIni);
  ExpectSameReads(ours, theirs);
  // The same changes, one by one, through both.
  std::mt19937 random(35);
  const char* const values[] = {"1", "two words", " spaced ", "\"quoted\"", "", "a=b"};
  for (int step = 0; step < 40; ++step) {
    const char* section = kSections[1 + random() % (std::size(kSections) - 1)];
    const char* key = kKeys[random() % std::size(kKeys)];
    if (!*Trim(key).c_str() || std::string(key) == ";comment") key = "c";
    const char* value = values[random() % std::size(values)];
    const int what = int(random() % 8);
    SCOPED_TRACE(std::to_string(step) + ": " + std::to_string(what) + " [" + section + "] " + key + "=" + value);
    TIniFile ini(ours);
    if (what == 0) {
      ini.EraseSection(section);
      WritePrivateProfileStringA(section, nullptr, nullptr, theirs.c_str());
    } else if (what == 1) {
      ini.DeleteKey(section, key);
      WritePrivateProfileStringA(section, key, nullptr, theirs.c_str());
    } else {
      ini.WriteString(section, key, value);
      WritePrivateProfileStringA(section, key, value, theirs.c_str());
    }
    ExpectSameReads(ours, theirs);
    if (HasFailure()) break;
  }
  DeleteFileA(ours.c_str());
  DeleteFileA(theirs.c_str());
}

TEST(IniFile, AFreshFileIsTheProfileFunctionsFileByteForByte) {
  const std::string ours = TempIni("bx_fresh_ours.ini"), theirs = TempIni("bx_fresh_theirs.ini");
  TIniFile ini(ours);
  const char* const writes[][3] = {{"Asetukset", "Aloitus", "1"},  {"XY", "Left", "10"},
                                   {"asetukset", "splash", "0"},   {"Capture", "Game", "quake"},
                                   {"xy", "LEFT", "12"},           {"Capture", "Param", "quake -game %s"}};
  for (const auto& w : writes) {
    ini.WriteString(w[0], w[1], w[2]);
    WritePrivateProfileStringA(w[0], w[1], w[2], theirs.c_str());
  }
  ini.DeleteKey("Asetukset", "splash");
  WritePrivateProfileStringA("Asetukset", "splash", nullptr, theirs.c_str());
  ini.EraseSection("XY");
  WritePrivateProfileStringA("XY", nullptr, nullptr, theirs.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.c_str());
  EXPECT_EQ(ReadAll(ours), ReadAll(theirs));
  EXPECT_EQ(ReadAll(ours), "[Asetukset]\r\nAloitus=1\r\n[Capture]\r\nGame=quake\r\nParam=quake -game %s\r\n");
  DeleteFileA(ours.c_str());
  DeleteFileA(theirs.c_str());
}

TEST(IniFile, AnUpdateWritesTheFileOnceAndACancelledOneNotAtAll) {
  const std::string name = TempIni("bx_update.ini");
  PutText(name, "; the user's note\r\n[Asetukset]\r\nAloitus=1\r\n");
  TIniFile ini(name);
  {
    TIniUpdate update(ini);
    for (int i = 0; i < 33; ++i) ini.WriteInteger("Asetukset", "key" + std::to_string(i), i);
    EXPECT_EQ(ini.ReadInteger("Asetukset", "key32", -1), 32) << "reads see the held changes";
    EXPECT_EQ(ReadAll(name), "; the user's note\r\n[Asetukset]\r\nAloitus=1\r\n") << "nothing is written yet";
    update.Commit();
  }
  EXPECT_EQ(TIniFile(name).ReadInteger("Asetukset", "key32", -1), 32);
  EXPECT_EQ(ReadAll(name).rfind("; the user's note\r\n[Asetukset]\r\nAloitus=1\r\nkey0=0\r\n", 0), 0u);
  const std::string written = ReadAll(name);
  try {
    TIniUpdate update(ini);
    ini.EraseSection("Asetukset");
    throw std::runtime_error("the command failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(ReadAll(name), written);
  EXPECT_EQ(ini.ReadInteger("Asetukset", "key32", -1), 32) << "the dropped change is not seen";
  DeleteFileA(name.c_str());
}

TEST(IniFile, SeesAndKeepsWhatAnotherProgramWrote) {
  const std::string name = TempIni("bx_shared.ini");
  PutText(name, "[Asetukset]\r\nNahka=old.bxs\r\n");
  TIniFile ini(name);
  EXPECT_EQ(ini.ReadString("Asetukset", "Nahka", ""), "old.bxs");
  // The skin editor's "Test skin" writes while the launcher runs.
  WritePrivateProfileStringA("Asetukset", "Nahka", "newer.bxs", name.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, name.c_str());
  EXPECT_EQ(ini.ReadString("Asetukset", "Nahka", ""), "newer.bxs");
  TIniUpdate update(ini);
  ini.WriteInteger("XY", "Left", 5);
  WritePrivateProfileStringA("Asetukset", "random", "0", name.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, name.c_str());
  update.Commit();
  EXPECT_EQ(GetPrivateProfileIntA("Asetukset", "random", -1, name.c_str()), 0) << "the other program's key stays";
  EXPECT_EQ(GetPrivateProfileIntA("XY", "Left", -1, name.c_str()), 5);
  DeleteFileA(name.c_str());
}

TEST(IniFile, AFailedWriteKeepsTheOldFileAndSaysWhichAndWhy) {
  const std::string name = TempIni("bx_failing.ini");
  PutText(name, "[Asetukset]\r\nAloitus=1\r\n");
  // A folder where the temporary file would go: the save cannot be made.
  CreateDirectoryA((name + ".~tmp").c_str(), nullptr);
  TIniFile ini(name);
  try {
    TIniUpdate update(ini);
    ini.WriteInteger("Asetukset", "Aloitus", 2);
    ini.WriteString("Asetukset", "Nahka", "x.bxs");
    update.Commit();
    FAIL() << "the write reported success";
  } catch (const EIniFileException& e) {
    EXPECT_NE(e.Message().find(name), std::string::npos) << e.Message();
    EXPECT_GT(e.Message().size(), name.size() + 20) << "with the system's reason: " << e.Message();
  }
  EXPECT_EQ(ReadAll(name), "[Asetukset]\r\nAloitus=1\r\n");
  EXPECT_EQ(ini.ReadInteger("Asetukset", "Aloitus", 0), 1) << "what was not written is not seen either";
  RemoveDirectoryA((name + ".~tmp").c_str());
  // A read-only file stays as it is.
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(ini.DeleteKey("Asetukset", "Aloitus"), EIniFileException);
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadAll(name), "[Asetukset]\r\nAloitus=1\r\n");
  DeleteFileA(name.c_str());
}

TEST(IniFile, ASaveRemovesTheTemporaryFileOfACrashedOne) {
  const std::string name = TempIni("bx_crashed.ini");
  PutText(name, "[Asetukset]\r\nAloitus=1\r\n");
  std::ofstream(name + ".~tmp", std::ios::binary) << std::string(1 << 20, 'x');
  TIniFile(name).WriteInteger("Asetukset", "Aloitus", 2);
  EXPECT_EQ(GetFileAttributesA((name + ".~tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadAll(name), "[Asetukset]\r\nAloitus=2\r\n");
  DeleteFileA(name.c_str());
}

TEST(IniFile, UnicodeFilesKeepTheirEncodingAndWhatAnsiCannotHold) {
  const std::string name = TempIni("bx_unicode.ini");
  // "[Entry]" with a Cyrillic description, and an "ä" (ANSI 0xE4) in a key.
  const std::string utf16 = std::string("\xFF\xFE[\0E\0n\0t\0r\0y\0]\0\r\0\n\0D\0=\0\x16\x04\x18\x04\r\0\n\0k\0=\0\xE4\0\r\0\n\0", 42);
  PutText(name, utf16);
  TIniFile ini(name);
  EXPECT_EQ(ini.ReadString("entry", "k", ""), "\xE4");
  ini.WriteString("Entry", "Game", "qu\xE4ke");
  EXPECT_EQ(ReadAll(name), utf16 + std::string("G\0a\0m\0e\0=\0q\0u\0\xE4\0k\0e\0\r\0\n\0", 24));
  EXPECT_EQ(ProfileRead(name, "Entry", "Game"), "qu\xE4ke");
  PutText(name, "\xEF\xBB\xBF[Entry]\r\nD=\xD0\x96\r\n");
  ini.WriteString("Entry", "k", "\xE4");
  EXPECT_EQ(ReadAll(name), "\xEF\xBB\xBF[Entry]\r\nD=\xD0\x96\r\nk=\xC3\xA4\r\n");
  EXPECT_EQ(ini.ReadString("Entry", "k", ""), "\xE4");
  DeleteFileA(name.c_str());
}
