// The dialog of every standard control.
#include "StdCtrlsForm.h"

#include <cstdlib>

#include "ControlMaking.h"

using ctrl::Place;

TStdCtrlsForm::TStdCtrlsForm() : TDialogForm(nullptr) {
  SetCaption("Settings");
  Page = Place<TPageControl>(this, this, 8, 8, 544, 380);
  static const char* const captions[] = {"General", "Games", "Skins", "Sounds", "Modlist editor",
                                         "Config manager", "Half-Life manager", "Half-Life logo editor"};
  for (int i = 0; i < 8; ++i) {
    Sheets[i] = new TTabSheet(this);
    Sheets[i]->SetCaption(captions[i]);
    Sheets[i]->SetPageControl(Page);
  }
  TTabSheet* general = Sheets[0];
  Group = Place<TGroupBox>(general, this, 8, 4, 250, 100);
  Group->SetCaption("Modlist options");
  Check1 = Place<TCheckBox>(Group, this, 10, 20, 220, 18);
  Check1->SetCaption("Show numbers in modlist");
  Check2 = Place<TCheckBox>(Group, this, 10, 42, 220, 18);
  Check2->SetCaption("Smooth scroll in modlist");
  Check2->SetChecked(true);
  Radio1 = Place<TRadioButton>(Group, this, 10, 64, 110, 18);
  Radio1->SetCaption("Cursors1");
  Radio1->SetChecked(true);
  Radio2 = Place<TRadioButton>(Group, this, 124, 64, 110, 18);
  Radio2->SetCaption("Cursors2");
  Edit1 = Place<TEdit>(general, this, 8, 112, 160, 22);
  Edit1->SetText("quake -game %s");
  Spin1 = Place<TSpinEdit>(general, this, 176, 112, 60, 22);
  Spin1->MinValue = 0;
  Spin1->MaxValue = 100;
  Spin1->SetValue(20);
  Combo1 = Place<TComboBox>(general, this, 8, 142, 120, 22);
  Combo1->Style = csDropDownList;
  for (const char* s : {"top 5 mods", "top 10 mods", "top 15 mods", "top 20 mods"}) Combo1->Items.Add(s);
  Combo1->SetItemIndex(0);
  Combo2 = Place<TComboBox>(general, this, 136, 142, 120, 22);
  Combo2->Items.Sorted = true;
  for (const char* s : {"quake -game %s", "hl -game %s", "quake2 +set game %s"}) Combo2->Items.Add(s);
  Combo2->SetText("typed");
  Pictures = Place<TComboBox>(general, this, 8, 172, 248, 22);
  Pictures->Style = csOwnerDrawFixed;
  Pictures->ItemHeight = 20;
  const TColor colors[] = {clRed, clLime, clBlue};
  const char* const names[] = {"red.bmp", "green.ico", "blue.bmp"};
  for (int i = 0; i < 3; ++i) {
    Swatches[i].SetSize(16, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) Swatches[i].SetPixel(x, y, colors[i]);
    Pictures->Items.AddObject(names[i], &Swatches[i]);
  }
  // A picture 2 pixels in, the name 6 pixels right of it.
  Pictures->OnDrawItem = [this](TWinControl*, TCanvas& canvas, int index, const RECT& r, TOwnerDrawState) {
    const auto* picture = static_cast<const TBitmap*>(Pictures->Items.Objects(index));
    canvas.Draw(r.left + 2, r.top + 2, *picture);
    canvas.TextRect(r, r.left + 2 + picture->Width() + 6, r.top + 2, Pictures->Items.Strings(index));
  };
  Pictures->SetItemIndex(1);
  List1 = Place<TListBox>(general, this, 270, 8, 120, 120);
  List1->MultiSelect = true;
  for (const char* s : {"cstrike", "dod", "tfc", "valve"}) List1->Items.Add(s);
  Checks = Place<TCheckListBox>(general, this, 400, 8, 130, 120);
  for (const char* s : {"ctf_forest", "2fort_ctf", "crossfire"}) Checks->Items.Add(s);
  Checks->SetChecked(1, true);
  Memo1 = Place<TMemo>(general, this, 270, 136, 260, 90);
  Memo1->WordWrap = false;
  Memo1->ScrollBars = ssBoth;
  Memo1->Lines.SetText("// mapcycle\ncrossfire\nbounce\n");
  Panel1 = Place<TPanel>(general, this, 8, 236, 248, 40);
  Panel1->SetCaption("Panel");
  Scroll1 = Place<TScrollBox>(general, this, 270, 236, 260, 100);
  Label1 = Place<TLabel>(Scroll1, this, 4, 4, 200, 16);
  Label1->SetCaption("Skin preview");
  Place<TPanel>(Scroll1, this, 4, 24, 400, 160)->SetCaption("A picture larger than the box");
  OK = Place<TBitBtn>(this, this, 396, 396, 75, 25);
  OK->SetKind(bkOK);
  CancelButton = Place<TBitBtn>(this, this, 477, 396, 75, 25);
  CancelButton->SetKind(bkCancel);
  // The windows are made here, with the settings above.
  SetClientSize(560, 430);
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  DWORD end = GetTickCount() + DWORD(ms);
  while (!done()) {
    if (GetTickCount() > end) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
  return true;
}

void HoldForLooking() {
  const char* ms = std::getenv("BX_SHOW_STDCTRLS");
  if (ms) PumpUntil([] { return false; }, std::atoi(ms));
}

void PressKey(WORD vk) {
  INPUT in[2]{};
  in[0].type = INPUT_KEYBOARD;
  in[0].ki.wVk = vk;
  in[1] = in[0];
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}
