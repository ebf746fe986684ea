#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "IniFiles.h"

namespace {
std::string TempIni(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  DeleteFileA(path.c_str());
  return path;
}
std::string FileText(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
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
  std::string text = FileText(name);
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
