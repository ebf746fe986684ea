// TForm9, "Find modifications": the status window of mod discovery, and the
// search status that shows it while disabling the windows under it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "SearchCommon.h"

// A fixed-size, stay-on-top window centred on the screen, holding the
// word-wrapped label Label1.
class TForm9 {
public:
  explicit TForm9(HWND owner);
  ~TForm9();
  TForm9(const TForm9&) = delete;
  TForm9& operator=(const TForm9&) = delete;

  HWND Handle() const { return FHandle; }
  void SetCaption(const std::string& caption);
  std::string Caption() const;
  void SetLabel1(const std::string& text);
  std::string Label1() const;
  void Show();
  void Hide();
  bool Visible() const;
  void Repaint();

private:
  HWND FHandle = nullptr;  // owned
  HWND FLabel1 = nullptr;  // child of FHandle
  HFONT FFont = nullptr;   // owned
};

// Shows TForm9 for a search. While it is up, the other windows of this
// thread are disabled, so the user can neither close them nor start a
// second search; they are enabled again at End.
class TForm9Status : public TSearchStatus {
public:
  explicit TForm9Status(HWND owner) : FOwner(owner) {}
  ~TForm9Status() override { End(); }

  void Begin(const std::string& caption, bool visible) override;
  void Report(const std::string& text) override;
  void End() override;

  TForm9* Form() const { return FForm; }

private:
  HWND FOwner;                    // not owned
  TForm9* FForm = nullptr;        // owned
  std::vector<HWND> FDisabled;    // not owned: the windows to enable again
};
