// TStringList: a list of 8-bit strings with the text, file and name=value forms.
#pragma once
#include <string>
#include <vector>

#include "Classes.h"

class TStream;

class TStringList : public TPersistent {
public:
  std::string ClassName() const override { return "TStringList"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;  // "Strings", a list of strings

  int Count() const { return (int)FItems.size(); }
  const std::string& Strings(int i) const;
  void SetString(int i, const std::string& s);
  const std::string& operator[](int i) const { return Strings(i); }
  const std::vector<std::string>& Items() const { return FItems; }

  int Add(const std::string& s);       // sorted lists insert in order
  void Insert(int i, const std::string& s);
  void Delete(int i);
  void Clear() { FItems.clear(); }
  void Exchange(int i, int j);
  int IndexOf(const std::string& s) const;   // ignores letter case
  void Sort();                               // by CompareText

  bool Sorted = false;
  // Sorted lists: an equal string already there is not added again.
  bool IgnoreDuplicates = false;

  // Lines joined by CR LF (each line ends with one); setting splits at CR LF, LF or CR.
  std::string Text() const;
  void SetText(const std::string& text);
  void LoadFromStream(TStream& s);
  void SaveToStream(TStream& s) const;
  void LoadFromFile(const std::string& name);
  void SaveToFile(const std::string& name) const;

  // "name=value" lines.
  std::string Names(int i) const;
  std::string Values(const std::string& name) const;
  void SetValue(const std::string& name, const std::string& value);
  int IndexOfName(const std::string& name) const;

private:
  void CheckIndex(int i) const;
  std::vector<std::string> FItems;
};
