#include <gtest/gtest.h>

#include "Filer.h"
#include "Graphics.h"

namespace {
// A small object graph with one property of every kind.
class TSample : public TPersistent {
public:
  std::string ClassName() const override { return "TSample"; }
  void DefineProperties(TFiler& f) override {
    f.IntegerProperty("Number", Number);
    f.ColorProperty("Colour", Colour);
    f.BooleanProperty("Flag", Flag);
    f.StringProperty("Text", Text);
    f.StringsProperty("Lines", Lines);
    f.ObjectProperty("Font", Font);
  }
  int32_t Number = 0;
  TColor Colour = 0;
  bool Flag = false;
  std::string Text;
  std::vector<std::string> Lines;
  TFont Font;
};

std::vector<uint8_t> Write(TSample& s) {
  TMemoryStream m;
  WriteComponentStream(m, s, "TSample", "");
  return m.Bytes();
}

// The bytes of the first entry after "TPF0", the class name and the empty name.
std::vector<uint8_t> FirstValue(TSample& s) {
  auto b = Write(s);
  size_t at = 4 + 1 + 7 + 1;
  at += 1 + b[at];  // the path
  size_t end = at + 1;
  switch (b[at]) {
    case vaInt8: end += 1; break;
    case vaInt16: end += 2; break;
    case vaInt32: end += 4; break;
  }
  return {b.begin() + at, b.begin() + end};
}
}  // namespace

TEST(Filer, IntegersTakeTheSmallestKind) {
  struct Case {
    int32_t v;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {127, {2, 0x7F}},          {128, {3, 0x80, 0}},          {-128, {2, 0x80}},
      {-129, {3, 0x7F, 0xFF}},   {32767, {3, 0xFF, 0x7F}},     {32768, {4, 0, 0x80, 0, 0}},
      {0, {2, 0}},               {-11, {2, 0xF5}},             {196, {3, 196, 0}},
  };
  for (const auto& c : cases) {
    TSample s;
    s.Number = c.v;
    EXPECT_EQ(FirstValue(s), c.bytes) << c.v;
  }
}

TEST(Filer, ValuesOfEveryKindAndRoundTrip) {
  TSample s;
  s.Number = -70000;
  s.Colour = clBlue;
  s.Flag = true;
  s.Text = std::string(256, 'x');
  s.Lines = {"one", "", "three"};
  s.Font.Style = fsBold | fsUnderline;
  s.Font.Charset = 238;
  s.Font.Pitch = fpFixed;
  auto bytes = Write(s);
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "TPF0");
  EXPECT_EQ(bytes[bytes.size() - 1], 0);
  EXPECT_EQ(bytes[bytes.size() - 2], 0);

  TMemoryStream m(bytes);
  auto entries = ListComponentStream(m);
  std::vector<std::string> paths;
  for (auto& e : entries) paths.push_back(e.Path);
  EXPECT_EQ(paths, (std::vector<std::string>{"Number", "Colour", "Flag", "Text", "Lines", "Font.Charset",
                                             "Font.Color", "Font.Height", "Font.Name", "Font.Pitch",
                                             "Font.Style"}));
  EXPECT_EQ(entries[1].Kind, vaIdent);
  EXPECT_EQ(entries[1].Value, "clBlue");
  EXPECT_EQ(entries[3].Kind, vaLString);
  EXPECT_EQ(entries[4].Kind, vaList);
  EXPECT_EQ(entries[5].Value, "EASTEUROPE_CHARSET");
  EXPECT_EQ(entries[9].Value, "fpFixed");
  EXPECT_EQ(entries[10].Value, "[fsBold,fsUnderline]");

  TSample back;
  TMemoryStream in(bytes);
  ReadComponentStream(in, back);
  EXPECT_EQ(back.Number, -70000);
  EXPECT_EQ(back.Colour, clBlue);
  EXPECT_TRUE(back.Flag);
  EXPECT_EQ(back.Text, s.Text);
  EXPECT_EQ(back.Lines, s.Lines);
  EXPECT_TRUE(back.Font == s.Font);
}

TEST(Filer, StringKindsAtTheShortStringLimit) {
  TSample s;
  s.Text = std::string(255, 'a');
  TMemoryStream m(Write(s));
  auto e = ListComponentStream(m);
  EXPECT_EQ(e[3].Kind, vaString);
}

TEST(Filer, UnnamedColourIsAnIntegerAndDefaultPitchIsNotStored) {
  TSample s;
  s.Colour = 0x123456;
  TMemoryStream m(Write(s));
  auto e = ListComponentStream(m);
  EXPECT_EQ(e[1].Kind, vaInt32);
  for (auto& x : e) EXPECT_NE(x.Path, "Font.Pitch");
}

TEST(Filer, ReadErrors) {
  TSample s;
  auto good = Write(s);
  {
    auto b = good;
    b[0] = 'X';
    TMemoryStream m(b);
    try {
      ReadComponentStream(m, s);
      FAIL();
    } catch (const EInvalidStreamFormat& e) {
      EXPECT_EQ(e.Message(), "Invalid stream format");
    }
  }
  {
    // An unknown path names its property.
    TMemoryStream m;
    TWriter w(m);
    m.WriteString("TPF0");
    w.WriteStr("TSample");
    w.WriteStr("");
    w.WriteStr("Font.Nonsense");
    w.WriteInteger(1);
    w.WriteListEnd();
    w.WriteListEnd();
    m.SetPosition(0);
    try {
      ReadComponentStream(m, s);
      FAIL();
    } catch (const EPropertyError& e) {
      EXPECT_EQ(e.Message(), "Property Nonsense does not exist");
    }
  }
  // Every truncation raises the read error (or the format error), never crashes.
  for (size_t n = 0; n + 1 < good.size(); ++n) {
    TMemoryStream m(std::vector<uint8_t>(good.begin(), good.begin() + n));
    TSample t;
    EXPECT_THROW(ReadComponentStream(m, t), EStreamError) << n;
  }
}

TEST(Filer, LengthsBeyondTheStreamRaiseWithoutAllocating) {
  TMemoryStream m;
  TWriter w(m);
  m.WriteString("TPF0");
  w.WriteStr("TSample");
  w.WriteStr("");
  w.WriteStr("Text");
  w.WriteValue(vaLString);
  m.WriteU32(0x7FFFFFFF);
  m.SetPosition(0);
  TSample s;
  EXPECT_THROW(ReadComponentStream(m, s), EReadError);
}

namespace {
// Lists nested n deep around one string, as the entry "Lines".
std::vector<uint8_t> NestedLists(int n) {
  TMemoryStream m;
  TWriter w(m);
  m.WriteString("TPF0");
  w.WriteStr("TSample");
  w.WriteStr("");
  w.WriteStr("Lines");
  for (int i = 0; i < n; ++i) w.WriteValue(vaList);
  w.WriteString("x");
  for (int i = 0; i < n; ++i) w.WriteListEnd();
  w.WriteListEnd();
  w.WriteListEnd();
  return m.Bytes();
}
}  // namespace

TEST(Filer, ListingNestedListsStopsAtTheDepthLimit) {
  TMemoryStream ok(NestedLists(kMaxListDepth));
  auto entries = ListComponentStream(ok);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Kind, vaList);
  EXPECT_EQ(entries[0].Value, "x");
  // One level more, and far more than a stack would take, raise the read error.
  for (int n : {kMaxListDepth + 1, 200000}) {
    TMemoryStream deep(NestedLists(n));
    try {
      ListComponentStream(deep);
      ADD_FAILURE() << n;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Stream read error") << n;
    }
  }
  // Reading onto an object takes only a list of strings.
  TMemoryStream nested(NestedLists(2));
  TSample s;
  EXPECT_THROW(ReadComponentStream(nested, s), EReadError);
}

TEST(Filer, ResourceHeader) {
  TMemoryStream m;
  int64_t field = WriteResourceHeader(m, "Ab c");
  m.WriteString("xyz");
  PatchResourceSize(m, field);
  const auto& b = m.Bytes();
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[1], 10);
  EXPECT_EQ(std::string(b.begin() + 3, b.begin() + 7), "AB C");
  EXPECT_EQ(b[7], 0);
  EXPECT_EQ(b[8] | b[9] << 8, 0x1030);
  EXPECT_EQ(b[10], 3);
  m.SetPosition(0);
  ReadResourceHeader(m);
  EXPECT_EQ(m.Position(), 14);
  TMemoryStream bad(std::vector<uint8_t>{0xFF, 11, 0});
  EXPECT_THROW(ReadResourceHeader(bad), EInvalidStreamFormat);
}
