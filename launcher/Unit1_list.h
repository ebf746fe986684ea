// The entry list of the main window: the 13-row page and its views, the
// ranking of the start counters, row selection and scrolling, starting an
// entry, and the window's timer. TForm1 carries these as its own members.
#pragma once
#include <array>
#include <functional>
#include <random>
#include <string>

#include "LayeredForm.h"
#include "Numero.h"
#include "StringList.h"

class TForm1;
class TComponent;

// A quick entry of the row menu: its caption and whether it is shown.
struct TQuickItem {
  std::string Caption;
  bool Visible = false;
};

class TForm1List {
public:
  TForm1List() = default;
  TForm1List(const TForm1List&) = delete;
  TForm1List& operator=(const TForm1List&) = delete;

  // Makes Numero1, Num1 and Lay1 on the form and binds the rows' clicks and
  // double clicks, the wheel, the Up, Down and Close buttons and the timer.
  void AttachList(TForm1& form);

  // The page (Unit1_list.cpp).
  void lista();
  void pai(bool reset);
  void vari();

  // Selection and scrolling (Unit1_rows.cpp).
  void Label1Click(TComponent* sender);
  void IconClick(TComponent* sender);  // I1Click .. I13Click: the icon's tag is its row
  void Label1DblClick(TComponent* sender);
  void Image3Click(TComponent* sender);
  void Image2Click(TComponent* sender);
  void Image3aClick(TComponent* sender);
  void Image2aClick(TComponent* sender);
  void FormMouseWheelDown();
  void FormMouseWheelUp();

  // Starting the entry of a row (Unit1_start.cpp).
  void Start(int row);

  // The timer and small handlers (Unit1_timer.cpp).
  void A1Timer(TComponent* sender);
  void ApplicationEvents1Minimize();
  void ApplicationEvents1Restore();
  void Image1Click(TComponent* sender);
  void MinimizetoTray1Click();
  static bool IsValidIniName(const std::string& text);
  static std::string StripIniChars(const std::string& text);

  TStringList L1;  // the entry names of the view, sorted without regard to case
  int TopIndex = 0;
  int SelectedRow = -1;
  TStringList B3, B4, B5;  // ranking: counts, mods (or entry names), games
  bool N3Visible = false;
  std::array<TQuickItem, 20> QuickItems;  // N11, N21, ..., N201
  std::string StartMap;

  TNumero* Numero1 = nullptr;   // owned by the form
  TNumero* Num1 = nullptr;      // owned by the form
  TLayeredForm* Lay1 = nullptr; // owned by the form

  // Whether the first argument was "-tray"; read when attached.
  bool TrayStart = false;
  // The end-of-list beep (MessageBeep unless replaced).
  std::function<void()> OnEndBeep;

private:
  void OpenViewIni();
  void FilterList();
  void LoadLogo(int row, const std::string& entry);
  void Highlight(int row);
  void FitWidth(int row);
  void UpdateHints();
  bool Smooth();
  void EndBeep();
  void ClickSound(TComponent* sender);
  int LayoutTop(int row);
  void ResetTops();
  void ClampPage();

  TForm1* FForm = nullptr;  // not owned
  std::mt19937 FRandom;
};
