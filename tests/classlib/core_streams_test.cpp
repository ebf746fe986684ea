#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "Classes.h"
#include "Streams.h"

namespace {
std::string TempName(const char* tag) { return testing::TempDir() + "bx_" + tag; }
std::string ReadAll(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}
}  // namespace

TEST(Streams, MemoryReadWriteAndShortRead) {
  TMemoryStream m;
  m.WriteU16(0x1030);
  m.WriteU32(0xDEADBEEF);
  EXPECT_EQ(m.Size(), 6);
  m.SetPosition(0);
  EXPECT_EQ(m.ReadU16(), 0x1030);
  EXPECT_EQ(m.ReadU32(), 0xDEADBEEFu);
  EXPECT_THROW(m.ReadU8(), EReadError);
  try {
    m.ReadU8();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
}

TEST(Streams, FileOpenErrorsNameTheFile) {
  try {
    TFileStream f(TempName("missing/none.bin"), fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find("Cannot open file"), std::string::npos);
  }
}

TEST(Streams, AtomicSaveKeepsTheOldFileOnFailure) {
  std::string name = TempName("atomic.txt");
  SaveFileAtomically(name, [](TStream& s) { s.WriteString("old"); });
  EXPECT_THROW(SaveFileAtomically(name, [](TStream& s) {
                 s.WriteString("half");
                 throw EWriteError();
               }),
               EWriteError);
  EXPECT_EQ(ReadAll(name), "old");
  SaveFileAtomically(name, [](TStream& s) { s.WriteString("new"); });
  EXPECT_EQ(ReadAll(name), "new");
  std::remove(name.c_str());
}

namespace {
class TProbe : public TComponent {
public:
  TProbe(TComponent* owner, int* freed) : TComponent(owner), Freed(freed) {}
  ~TProbe() override { ++*Freed; }
  int* Freed;
};
}  // namespace

TEST(Components, OwnerFreesWhatItOwns) {
  int freed = 0;
  auto* root = new TComponent(nullptr);
  auto* a = new TProbe(root, &freed);
  new TProbe(a, &freed);
  auto* c = new TProbe(root, &freed);
  c->Name = "Third";
  EXPECT_EQ(root->FindComponent("THIRD"), c);
  delete c;  // leaves its owner's list
  EXPECT_EQ(root->ComponentCount(), 1);
  delete root;
  EXPECT_EQ(freed, 3);
}
