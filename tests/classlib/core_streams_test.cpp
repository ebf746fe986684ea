#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "Classes.h"
#include "Streams.h"
#include "../support/testfiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {
std::string TempName(const char* tag) { return testing::TempDir() + "bx_" + tag; }
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

TEST(Streams, AtomicSaveLeavesAReadOnlyFileAsItIs) {
  std::string name = TempName("readonly.txt");
  SaveFileAtomically(name, [](TStream& s) { s.WriteString("mine"); });
#ifdef _WIN32
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY);
#else
  chmod(name.c_str(), 0444);
#endif
  EXPECT_THROW(SaveFileAtomically(name, [](TStream& s) { s.WriteString("over"); }), EFCreateError);
  EXPECT_EQ(ReadAll(name), "mine");
#ifdef _WIN32
  EXPECT_TRUE(GetFileAttributesA(name.c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
  struct stat st {};
  ASSERT_EQ(stat(name.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
  chmod(name.c_str(), 0644);
#endif
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
