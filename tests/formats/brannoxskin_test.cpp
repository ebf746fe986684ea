#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "Filer.h"
#include "Streams.h"
#include "brannoxskin.h"

namespace {
std::vector<uint8_t> Save(TBXSkin& skin) {
  TMemoryStream m;
  skin.SaveToStream(m);
  return m.Bytes();
}

void Load(TBXSkin& skin, const std::vector<uint8_t>& bytes) {
  TMemoryStream m(bytes);
  skin.LoadFromStream(m);
}

std::vector<TStreamEntry> Entries(const std::vector<uint8_t>& bytes) {
  TMemoryStream m(bytes);
  ReadResourceHeader(m);
  return ListComponentStream(m);
}

TPicture Picture(TPixelFormat pf, int w, int h, TColor corner) {
  TPicture p;
  p.Bitmap().SetPixelFormat(pf);
  p.Bitmap().SetSize(w, h);
  p.Bitmap().SetPixel(0, 0, corner);
  return p;
}

// A picture whose data cannot be written.
class TUnwritable : public TBitmap {
public:
  std::string ClassName() const override { return "TUnwritable"; }
  void WriteData(TStream&) override { throw EWriteError("Picture cannot be written"); }
};

// Builds a skin stream by hand from (path, writer) pairs.
std::vector<uint8_t> HandMade(const std::function<void(TWriter&)>& body) {
  TMemoryStream m;
  int64_t field = WriteResourceHeader(m, kSkinResourceName);
  TWriter w(m);
  m.WriteString("TPF0");
  w.WriteStr("TbxskinDatacomp");
  w.WriteStr("");
  body(w);
  w.WriteListEnd();
  w.WriteListEnd();
  PatchResourceSize(m, field);
  return m.Bytes();
}

}  // namespace

TEST(SkinStream, HeaderBytes) {
  TBXSkin skin(nullptr);
  auto b = Save(skin);
  const std::string name = "BRANNOX 2000 SKIN FILE, VERSION 1.0";
  ASSERT_GT(b.size(), 49u);
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[1], 0x0A);
  EXPECT_EQ(b[2], 0x00);
  EXPECT_EQ(std::string(b.begin() + 3, b.begin() + 3 + name.size()), name);
  EXPECT_EQ(b[38], 0);
  EXPECT_EQ(b[39], 0x30);
  EXPECT_EQ(b[40], 0x10);
  uint32_t size = b[41] | b[42] << 8 | b[43] << 16 | uint32_t(b[44]) << 24;
  EXPECT_EQ(size, b.size() - 45);  // the bytes after the size field
  EXPECT_EQ(std::string(b.begin() + 45, b.begin() + 49), "TPF0");
  EXPECT_EQ(b[49], 15);
  EXPECT_EQ(std::string(b.begin() + 50, b.begin() + 65), "TbxskinDatacomp");
  EXPECT_EQ(b[65], 0);  // empty root name
  EXPECT_EQ(b[b.size() - 1], 0);
  EXPECT_EQ(b[b.size() - 2], 0);
}

TEST(SkinStream, FreshSkinWrites191EntriesInOrder) {
  TBXSkin skin(nullptr);
  auto e = Entries(Save(skin));
  ASSERT_EQ(e.size(), 191u);
  EXPECT_EQ(e[0].Path, "data.Mainlist.Item1.Left");
  EXPECT_EQ(e[0].Kind, vaInt8);
  EXPECT_EQ(e[25].Path, "data.Mainlist.Item13.Width");
  std::vector<std::string> font = {"Charset", "Color", "Height", "Name", "Style"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(e[26 + i].Path, "data.Mainlist.MainListselFont." + font[i]);
    EXPECT_EQ(e[31 + i].Path, "data.Mainlist.MainListunselFont." + font[i]);
  }
  EXPECT_EQ(e[26].Value, "DEFAULT_CHARSET");
  EXPECT_EQ(e[26].Kind, vaIdent);
  EXPECT_EQ(e[27].Value, "clWindowText");
  EXPECT_EQ(e[28].Kind, vaInt8);
  EXPECT_EQ(e[28].Value, "-11");
  EXPECT_EQ(e[29].Value, "MS Sans Serif");
  EXPECT_EQ(e[30].Kind, vaSet);
  EXPECT_EQ(e[30].Value, "[]");
  EXPECT_EQ(e[36].Path, "data.Mainlist.Left");
  EXPECT_EQ(e[38].Path, "data.Mainlist.Height");
  EXPECT_EQ(e[39].Path, "data.Iconlist.Item1.Left");
  EXPECT_EQ(e[65].Path, "data.Iconlist.Left");
  EXPECT_EQ(e[69].Path, "data.Iconlist.IconHeight");
  // Buttons: 13 entries each with no pictures.
  const char* buttons[] = {"NewButton", "ModifyButton", "RemoveButton", "RemoveallButton", "SettingsButton",
                           "AboutButton", "CloseButton", "UpButton", "DownButton"};
  const char* props[] = {"Left", "Top", "Height", "Width", "Kuvalvari", "Valittulvari", "Painettulvari",
                         "Kuvak", "Valittuk", "Painettuk", "Kuvalapik", "Valittulapik", "Painettulapik"};
  size_t at = 70;
  for (const char* b : buttons)
    for (const char* p : props) EXPECT_EQ(e[at++].Path, std::string("data.") + b + "." + p);
  EXPECT_EQ(e[74].Kind, vaIdent);  // colour 0 is clBlack
  EXPECT_EQ(e[74].Value, "clBlack");
  EXPECT_EQ(e[77].Kind, vaFalse);
  EXPECT_EQ(e[187].Path, "data.Version");
  EXPECT_EQ(e[187].Value, "1.0");
  EXPECT_EQ(e[188].Path, "data.Lapivari");
  EXPECT_EQ(e[189].Path, "data.Height");
  EXPECT_EQ(e[190].Path, "data.Width");
}

TEST(SkinStream, ValueKindsOfTheSkin) {
  TBXSkin skin(nullptr);
  skin.Data.Mainlist.Item(1).Width = 196;
  skin.Data.Mainlist.MainListselFont.Style = fsBold;
  skin.Data.Comments.Add("made by hand");
  skin.Data.Lapivari = 0x00FF00FE;
  skin.Data.SetKuva(nullptr);
  TPicture hover = Picture(pf24bit, 4, 3, clRed);
  skin.Data.NewButton.SetValittu(&hover);
  auto e = Entries(Save(skin));
  auto find = [&](const std::string& path) -> const TStreamEntry& {
    for (auto& x : e)
      if (x.Path == path) return x;
    throw std::runtime_error("no entry " + path);
  };
  EXPECT_EQ(find("data.Mainlist.Item1.Width").Kind, vaInt16);
  EXPECT_EQ(find("data.Mainlist.Item1.Left").Kind, vaInt8);
  EXPECT_EQ(find("data.Mainlist.MainListselFont.Style").Value, "[fsBold]");
  EXPECT_EQ(find("data.Comments.Strings").Kind, vaList);
  EXPECT_EQ(find("data.Comments.Strings").Value, "made by hand");
  EXPECT_EQ(find("data.Lapivari").Kind, vaInt32);
  // A picture: its class name, a 32-bit length, then a whole BMP file.
  const auto& pic = find("data.NewButton.Valittu.Data");
  EXPECT_EQ(pic.Kind, vaBinary);
  ASSERT_GT(pic.Data.size(), 8u + 54u);
  EXPECT_EQ(pic.Data[0], 7);
  EXPECT_EQ(std::string(pic.Data.begin() + 1, pic.Data.begin() + 8), "TBitmap");
  uint32_t n = pic.Data[8] | pic.Data[9] << 8 | pic.Data[10] << 16 | uint32_t(pic.Data[11]) << 24;
  EXPECT_EQ(n, pic.Data.size() - 12);
  EXPECT_EQ(pic.Data[12], 'B');
  EXPECT_EQ(pic.Data[13], 'M');
  // The button without a normal picture writes no Kuva.Data but all its flags.
  for (auto& x : e) EXPECT_NE(x.Path, "data.NewButton.Kuva.Data");
  EXPECT_EQ(find("data.NewButton.Kuvak").Kind, vaFalse);

  // A comment list of one line: kind 1, one string value, a zero byte.
  auto bytes = Save(skin);
  std::string text(bytes.begin(), bytes.end());
  std::string path = "data.Comments.Strings";
  size_t at = text.find(path);
  ASSERT_NE(at, std::string::npos);
  std::string expected = std::string("\x01\x06\x0c") + "made by hand" + std::string(1, '\0');
  EXPECT_EQ(text.substr(at + path.size(), expected.size()), expected);
}

TEST(SkinStream, RoundTripOfEveryProperty) {
  TBXSkin a(nullptr);
  TbxskinData& d = a.Data;
  for (int i = 1; i <= 13; ++i) {
    d.Mainlist.Item(i).Left = i * 3;
    d.Mainlist.Item(i).Width = 150 + i * 1000;
    d.Iconlist.Item(i).Left = -i;
    d.Iconlist.Item(i).Width = i;
  }
  d.Mainlist.MainListselFont.Name = "Tahoma";
  d.Mainlist.MainListselFont.Color = clYellow;
  d.Mainlist.MainListselFont.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
  d.Mainlist.MainListunselFont.Charset = 0;
  d.Mainlist.MainListunselFont.Height = -13;
  d.Mainlist.MainListunselFont.Pitch = fpVariable;
  d.Mainlist.Left = 40;
  d.Mainlist.Top = 60;
  d.Mainlist.Height = -18;
  d.Iconlist.Left = 10;
  d.Iconlist.Top = 58;
  d.Iconlist.Height = 18;
  d.Iconlist.IconWidth = 16;
  d.Iconlist.IconHeight = 16;
  const TPixelFormat formats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pf8bit, pf24bit};
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    Tbxskinnappi& b = d.Button(i);
    b.Left = 100 + i;
    b.Top = 200 + i;
    b.Width = 20;
    b.Height = 22;
    b.Kuvalvari = clFuchsia;
    b.Valittulvari = 0x00010203 * i;
    b.Painettulvari = clBtnFace;
    b.Kuvak = b.Painettulapik = true;
    b.Valittuk = i % 2;
    TPicture p = Picture(formats[i], 20, 22, clWhite);
    b.SetKuva(&p);
    b.SetValittu(&p);
    if (i % 3) b.SetPainettu(&p);
  }
  d.Version = "1.0";
  TPicture back = Picture(pf24bit, 300, 240, clRed);
  d.SetKuva(&back);
  d.Lapivari = clFuchsia;
  d.Comments.Add("first");
  d.Comments.Add(std::string(300, 'c'));
  d.Tekija = "Somebody";
  d.Title = std::string(256, 't');
  d.Height = 240;
  d.Width = 300;

  auto bytes = Save(a);
  TBXSkin b(nullptr);
  Load(b, bytes);
  EXPECT_EQ(Save(b), bytes);
  EXPECT_EQ(b.Data.Mainlist.MainListunselFont.Pitch, fpVariable);
  EXPECT_EQ(b.Data.Mainlist.RowSpacing(), 18);
  EXPECT_EQ(b.Data.Kuva.Width(), 300);
  EXPECT_EQ(b.Data.Kuva.Bitmap().Pixel(0, 0), clRed);
  EXPECT_EQ(b.Data.DownButton.Kuva.Bitmap().PixelFormat(), pf24bit);
  EXPECT_EQ(b.Data.NewButton.Kuva.Bitmap().PixelFormat(), pf1bit);
  EXPECT_EQ(b.Data.NewButton.Kuva.Bitmap().Pixel(0, 0), clWhite);
  EXPECT_EQ(b.Data.NewButton.Painettu.Graphic(), nullptr);
  EXPECT_EQ(b.Data.Comments.Count(), 2);
  EXPECT_EQ(b.Data.Title.size(), 256u);
}

TEST(SkinStream, OrderFreeAndMissingPropertiesKeepTheirValues) {
  auto bytes = HandMade([](TWriter& w) {
    w.WriteStr("data.Width");
    w.WriteInteger(320);
    w.WriteStr("DATA.mainlist.ITEM2.left");
    w.WriteInteger(7);
    w.WriteStr("data.Mainlist.MainListselFont.Color");
    w.WriteIdent("clRed");
    w.WriteStr("data.Lapivari");
    w.WriteInteger(0x123456);
  });
  TBXSkin skin(nullptr);
  skin.Data.Height = 99;
  skin.Data.Title = "kept";
  skin.Data.Mainlist.Item(2).Width = 55;
  Load(skin, bytes);
  EXPECT_EQ(skin.Data.Width, 320);
  EXPECT_EQ(skin.Data.Mainlist.Item(2).Left, 7);
  EXPECT_EQ(skin.Data.Mainlist.MainListselFont.Color, clRed);
  EXPECT_EQ(skin.Data.Lapivari, 0x123456);
  EXPECT_EQ(skin.Data.Height, 99);
  EXPECT_EQ(skin.Data.Title, "kept");
  EXPECT_EQ(skin.Data.Mainlist.Item(2).Width, 55);
}

TEST(SkinStream, UnknownPathRaisesAfterTheEarlierProperties) {
  auto bytes = HandMade([](TWriter& w) {
    w.WriteStr("data.Width");
    w.WriteInteger(5);
    w.WriteStr("data.Mainlist.Item14.Left");
    w.WriteInteger(1);
    w.WriteStr("data.Height");
    w.WriteInteger(6);
  });
  TBXSkin skin(nullptr);
  try {
    Load(skin, bytes);
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.PropertyName, "Item14");
  }
  EXPECT_EQ(skin.Data.Width, 5);
  EXPECT_EQ(skin.Data.Height, 0);
}

TEST(SkinStream, UnknownPictureClassRaises) {
  auto bytes = HandMade([](TWriter& w) {
    w.WriteStr("data.Kuva.Data");
    w.WriteValue(vaBinary);
    w.S.WriteU32(9);
    w.WriteStr("TNothing");
  });
  TBXSkin skin(nullptr);
  EXPECT_THROW(Load(skin, bytes), EClassNotFound);
}

TEST(SkinStream, BadHeaderAndSignature) {
  TBXSkin skin(nullptr);
  auto good = Save(skin);
  for (size_t at : {size_t(0), size_t(1), size_t(45)}) {
    auto b = good;
    b[at] ^= 0x55;
    try {
      Load(skin, b);
      ADD_FAILURE() << at;
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.Message(), "Invalid stream format");
    }
  }
}

TEST(SkinStream, TruncatedAndCorruptedStreamsRaiseNeverCrash) {
  TBXSkin a(nullptr);
  TPicture p = Picture(pf8bit, 5, 5, clWhite);
  a.Data.SetKuva(&p);
  a.Data.Comments.Add("x");
  auto good = Save(a);
  for (size_t n = 0; n + 2 < good.size(); n += (n < 200 ? 1 : 7)) {
    TBXSkin s(nullptr);
    EXPECT_THROW(Load(s, std::vector<uint8_t>(good.begin(), good.begin() + n)), Exception) << n;
  }
  std::mt19937 rng(1234);
  for (int i = 0; i < 2000; ++i) {
    auto b = good;
    for (int k = 0; k < 3; ++k) b[rng() % b.size()] = uint8_t(rng());
    TBXSkin s(nullptr);
    try {
      Load(s, b);
    } catch (const Exception&) {
    }
  }
}

TEST(SkinFile, SaveAndLoadThroughAFile) {
  std::string name = testing::TempDir() + "bx_skin.bxn";
  TBXSkin a(nullptr);
  a.Filename = name;
  a.Data.Title = "On disk";
  a.SaveToFile();
  TBXSkin b(nullptr);
  b.Filename = name;
  b.LoadFromFile();
  EXPECT_EQ(b.Data.Title, "On disk");

  // A failed save (a picture that cannot be written) leaves the file whole.
  auto contents = [&] {
    std::ifstream f(name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), {});
  };
  std::string old = contents();
  ASSERT_FALSE(old.empty());
  auto unwritable = std::make_unique<TUnwritable>();
  unwritable->SetSize(1, 1);
  b.Data.Kuva.SetGraphic(std::move(unwritable));
  b.Data.Title = "Changed";
  EXPECT_THROW(b.SaveToFile(), EWriteError);
  EXPECT_EQ(contents(), old);
  b.Filename = testing::TempDir() + "no_such_folder/x.bxn";
  EXPECT_THROW(b.SaveToFile(), EFCreateError);
  b.Filename = name + ".missing";
  EXPECT_THROW(b.LoadFromFile(), EFOpenError);
  std::remove(name.c_str());
}
