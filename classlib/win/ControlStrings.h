// The strings of a control (a list's items, a memo's lines), read and
// changed through the control's window.
#pragma once
#include "Handles.h"

#include <string>
#include <vector>

#include "Classes.h"
#include "StringList.h"

class TWinControl;

// The shared forms of a list of strings, over four operations of the control.
class TControlStrings {
public:
  virtual ~TControlStrings() = default;
  virtual int Count() const = 0;
  virtual std::string Strings(int i) const = 0;
  virtual void Insert(int i, const std::string& s) = 0;
  virtual void Delete(int i) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string& s);

  std::string operator[](int i) const { return Strings(i); }
  int IndexOf(const std::string& s) const;  // ignores letter case; -1 when missing
  // Lines joined by CR LF (each line ends with one); setting splits at CR LF, LF or CR.
  std::string Text() const;
  void SetText(const std::string& text);
  virtual void Assign(const TStringList& list);
  void Assign(const TControlStrings& other) { Assign(other.ToStringList()); }
  TStringList ToStringList() const;
  // The strings in order.
  std::vector<std::string> Items() const { return ToStringList().Items(); }
  void LoadFromFile(const std::string& name);
  void SaveToFile(const std::string& name) const;
};

// The items of a list box or combo box: kept here and mirrored into the
// window, each with an object (not owned; a combo box's picture) and a check
// mark (a check list box's).
class TListItems : public TControlStrings {
public:
  // The window messages of the control's kind (LB_ or CB_).
  struct TMessages {
    UINT Insert, Delete, Reset;
  };
  TListItems(TWinControl& control, const TMessages& messages) : FControl(control), FMessages(messages) {}

  int Count() const override { return int(FItems.size()); }
  std::string Strings(int i) const override;
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  // Sorted lists insert in order (by CompareText), wherever asked.
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TPersistent* object);
  void SetString(int i, const std::string& s);
  TPersistent* Objects(int i) const;
  bool Checked(int i) const;
  void SetChecked(int i, bool checked);
  bool Sorted = false;

  // Puts every item into the control's new window.
  void FillWindow() const;

private:
  struct TItem {
    std::string Text;
    TPersistent* Object = nullptr;  // not owned
    bool Checked = false;
  };
  void CheckIndex(int i) const;
  // Inserts at i, or in order when sorted; the index it went to.
  int InsertItem(int i, TItem item);
  TWinControl& FControl;
  TMessages FMessages;
  std::vector<TItem> FItems;
};
