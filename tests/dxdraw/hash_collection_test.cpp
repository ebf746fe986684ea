// The collection and the name-hashed collection: hash rule, chains, indexes.
#include <gtest/gtest.h>

#include "DXClass.h"

namespace {
std::vector<std::string> Chain(const THashCollection& c, int hash) {
  std::vector<std::string> names;
  for (auto* i = c.ChainHead(hash); i; i = i->NextInChain()) names.push_back(i->Name());
  return names;
}

const TCollection::TItemClass kHashItem = [](TCollection& c) -> TCollectionItem* {
  return new THashCollectionItem(static_cast<THashCollection*>(&c));
};

THashCollectionItem* AddNamed(THashCollection& c, const std::string& name) {
  auto* item = new THashCollectionItem(&c);
  item->SetName(name);
  return item;
}
}  // namespace

TEST(HashCollection, HashRule) {
  EXPECT_EQ(HashName(""), 0);
  EXPECT_EQ(HashName("A"), 16);
  EXPECT_EQ(HashName("a"), 16);
  EXPECT_EQ(HashName("ab"), (32 + 97 + 97) & 255);
  EXPECT_EQ(HashName("ab"), 226);
  EXPECT_EQ(HashName("Logo"), HashName("logo"));
  // 4 x 16 + 'l' + 'g' (the second-to-last)
  EXPECT_EQ(HashName("logo"), (64 + 'l' + 'g') & 255);
  EXPECT_EQ(HashName("\xE9\xE9"), (32 + 0xE9 + 0xE9) & 255);  // codes above 127 count unsigned
}

TEST(HashCollection, ChainsFileNewestFirstAndMoveOnRename) {
  THashCollection c(kHashItem);
  auto* a = AddNamed(c, "ab");
  auto* b = AddNamed(c, "aXb");  // 48 + 97 + 88: another chain
  auto* d = AddNamed(c, "Ab");   // same hash as "ab"
  EXPECT_EQ(Chain(c, 226), (std::vector<std::string>{"Ab", "ab"}));
  EXPECT_EQ(d->NextInChain(), a);
  EXPECT_EQ(a->PrevInChain(), d);

  // The same text again keeps the item where it is in its chain.
  a->SetName("ab");
  EXPECT_EQ(Chain(c, 226), (std::vector<std::string>{"Ab", "ab"}));
  // A change of case alone refiles it at the head.
  a->SetName("AB");
  EXPECT_EQ(Chain(c, 226), (std::vector<std::string>{"AB", "Ab"}));
  // A new hash moves it to its new chain.
  b->SetName("x");
  EXPECT_EQ(b->Hash(), 16);
  EXPECT_EQ(Chain(c, 16), (std::vector<std::string>{"x"}));
  EXPECT_EQ(Chain(c, HashName("aXb")), std::vector<std::string>{});
}

TEST(HashCollection, RemovingItemsKeepsChainsAndIndexes) {
  THashCollection c(kHashItem);
  auto* first = AddNamed(c, "ab");
  auto* second = AddNamed(c, "Ab");
  auto* third = AddNamed(c, "aB");
  auto* last = AddNamed(c, "zz");
  EXPECT_EQ(last->Index(), 3);

  // Removing the head of a chain leaves the others filed.
  delete third;
  EXPECT_EQ(Chain(c, 226), (std::vector<std::string>{"Ab", "ab"}));
  EXPECT_EQ(last->Index(), 2);
  // Removing the tail, and one in the middle of the collection.
  delete first;
  EXPECT_EQ(Chain(c, 226), (std::vector<std::string>{"Ab"}));
  EXPECT_EQ(second->Index(), 0);
  EXPECT_EQ(last->Index(), 1);
  EXPECT_EQ(c.Items(last->Index()), last);
  c.Delete(0);
  EXPECT_EQ(Chain(c, 226), std::vector<std::string>{});
  EXPECT_EQ(last->Index(), 0);
}

TEST(HashCollection, MovingAnItemRenumbersTheOthers) {
  THashCollection c(kHashItem);
  std::vector<THashCollectionItem*> items;
  for (const char* n : {"a", "b", "c", "d"}) items.push_back(AddNamed(c, n));
  items[3]->SetIndex(0);
  for (int i = 0; i < c.Count(); ++i) EXPECT_EQ(static_cast<THashCollectionItem*>(c.Items(i))->Index(), i);
  EXPECT_EQ(static_cast<THashCollectionItem*>(c.Items(0))->Name(), "d");
  EXPECT_EQ(items[0]->Index(), 1);
  // Every item still in its chain, and none from the destroyed ones.
  delete items[1];
  EXPECT_EQ(items[2]->Index(), 2);
  EXPECT_EQ(Chain(c, 16), (std::vector<std::string>{"d", "c", "a"}));
}

TEST(HashCollection, DisplayNameAssignAndClear) {
  THashCollection c(kHashItem);
  auto* a = AddNamed(c, "");
  EXPECT_EQ(a->DisplayName(), "THashCollectionItem");
  a->SetName("logo");
  EXPECT_EQ(a->DisplayName(), "logo");
  auto* b = static_cast<THashCollectionItem*>(c.Add());
  b->Assign(*a);
  EXPECT_EQ(b->Name(), "logo");
  EXPECT_EQ(Chain(c, HashName("logo")), (std::vector<std::string>{"logo", "logo"}));
  // Assign of a whole collection copies the items into new ones.
  THashCollection copy(kHashItem);
  copy.Assign(c);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(Chain(copy, HashName("logo")).size(), 2u);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.ChainHead(HashName("logo")), nullptr);
  EXPECT_THROW(c.Items(0), EListError);
}
