// Collections of the DirectDraw family: TCollection with its items, and the
// name-hashed collection whose items are filed in 256 chains by their Name.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Classes.h"

class TCollection;

// An item belongs to one collection, which frees it; freeing an item takes
// it out of its collection.
class TCollectionItem : public TPersistent {
public:
  explicit TCollectionItem(TCollection* collection);  // appended
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;
  std::string ClassName() const override { return "TCollectionItem"; }

  TCollection* Collection() const { return FCollection; }
  // The item's position in its collection.
  virtual int Index() const;
  // Moves the item to that position (clamped to the collection).
  virtual void SetIndex(int index);
  // The class name unless a descendant names the item.
  virtual std::string DisplayName() const { return ClassName(); }

private:
  friend class TCollection;
  TCollection* FCollection;  // not owned
};

// An ordered list of items of one class; it owns them.
class TCollection : public TPersistent {
public:
  // Makes an item of the collection's class in the given collection.
  using TItemClass = std::function<TCollectionItem*(TCollection&)>;
  explicit TCollection(TItemClass itemClass) : FItemClass(std::move(itemClass)) {}
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;
  std::string ClassName() const override { return "TCollection"; }

  int Count() const { return int(FItems.size()); }
  TCollectionItem* Items(int index) const;  // EListError outside 0..Count-1
  int IndexOf(const TCollectionItem* item) const;
  TCollectionItem* Add();  // a new item of the collection's class
  void Delete(int index);
  void Clear();  // frees every item, the last first
  // From another collection: its items copied one by one into new items.
  void Assign(const TPersistent& source) override;

protected:
  // Items were added, removed or moved.
  virtual void Changed() {}

private:
  friend class TCollectionItem;
  void Insert(TCollectionItem* item);
  void Remove(TCollectionItem* item);
  void Move(int from, int to);

  TItemClass FItemClass;
  std::vector<TCollectionItem*> FItems;  // owned
};

class THashCollectionItem;

// The chains of the name hash: 256 heads, each the last item filed there.
class THashCollection : public TCollection {
public:
  using TCollection::TCollection;
  // The items go first: their destructors leave the chains kept here.
  ~THashCollection() override { Clear(); }
  std::string ClassName() const override { return "THashCollection"; }
  THashCollectionItem* ChainHead(int hash) const { return FChains[size_t(hash & 255)]; }
  // The items copied, their names too.
  void Assign(const TPersistent& source) override;

protected:
  // Brings every item's remembered index up to date.
  void Changed() override;

private:
  friend class THashCollectionItem;
  std::array<THashCollectionItem*, 256> FChains{};  // not owned
};

// The hash of a name: its length x 16, plus (from two characters on) the
// codes of its first and second-to-last characters, lower-cased; 0..255.
int HashName(const std::string& name);

class THashCollectionItem : public TCollectionItem {
public:
  explicit THashCollectionItem(THashCollection* collection);
  ~THashCollectionItem() override;
  std::string ClassName() const override { return "THashCollectionItem"; }

  const std::string& Name() const { return FName; }
  // A different name (by case, too) files the item again under its hash.
  void SetName(const std::string& name);
  std::string DisplayName() const override;
  int Index() const override { return FIndex; }
  void SetIndex(int index) override;
  // Takes the Name of another hashed item.
  void Assign(const TPersistent& source) override;

  int Hash() const { return FHash; }
  THashCollectionItem* PrevInChain() const { return FPrev; }
  THashCollectionItem* NextInChain() const { return FNext; }

private:
  friend class THashCollection;
  void File();
  void Unfile();
  THashCollection& Chains() const { return *static_cast<THashCollection*>(Collection()); }

  std::string FName;
  int FHash = -1;
  THashCollectionItem* FPrev = nullptr;  // not owned
  THashCollectionItem* FNext = nullptr;  // not owned
  int FIndex = 0;  // the position, kept by the collection
};
