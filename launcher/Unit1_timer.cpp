// TForm1: the 7 ms timer (smooth scrolling of the page, the fade of the
// window's alpha, the one-shot hide of a "-tray" start) and small handlers.
#include "Unit1_list.h"

#include "Unit1.h"
#include "WinGraphics.h"

int TForm1List::LayoutTop(int row) {
  const Tbxskinmainlist& skin = FForm->bxs->Data.Mainlist;
  TWindowDC screen(nullptr);
  TCanvas canvas(screen.DC());
  canvas.Font.Assign(skin.MainListunselFont);
  const int h = canvas.TextExtent(FForm->Labels[0]->Caption()).cy;
  return skin.Top + row * (h + skin.RowSpacing());
}

void TForm1List::ResetTops() {
  for (int k = 0; k < 13; ++k) FForm->Labels[k]->SetTop(LayoutTop(k));
  FForm->paivitaicot();
}

void TForm1List::A1Timer(TComponent*) {
  TForm1& f = *FForm;
  auto& labels = f.Labels;
  auto& icons = f.Icons;
  // 1. Scroll animation.
  if (Numero1->Tag != 0) {
    const int target = LayoutTop(12);
    if (labels[11]->Top() == target && Numero1->Numero == 0) {
      Numero1->Numero = 1;
      Image2Click(Numero1);
      ResetTops();
      labels[12]->SetVisible(true);
      icons[12]->SetVisible(true);
    }
    if (Numero1->Numero == 0) {
      if (labels[11]->Top() < target) {
        labels[12]->SetVisible(false);
        icons[12]->SetVisible(false);
        for (int k = 0; k < 12; ++k) {
          labels[k]->SetTop(labels[k]->Top() + 2);
          icons[k]->SetTop(icons[k]->Top() + 2);
        }
      } else {
        labels[11]->SetTop(target);
      }
    }
  } else {
    const int target = f.bxs->Data.Mainlist.Top;
    if (labels[1]->Top() == target && Numero1->Numero == 0) {
      Numero1->Numero = 1;
      Image3Click(Numero1);
      ResetTops();
      icons[0]->SetVisible(true);
    }
    if (Numero1->Numero == 0) {
      if (labels[1]->Top() > target) {
        labels[0]->SetVisible(false);
        icons[0]->SetVisible(false);
        for (int k = 1; k < 13; ++k) {
          labels[k]->SetTop(labels[k]->Top() - 2);
          icons[k]->SetTop(icons[k]->Top() - 2);
        }
      } else {
        labels[1]->SetTop(target);
      }
    }
  }

  // 2. Fade, between scrolls.
  if (Numero1->Numero != 0) {
    const int alpha = Lay1->Alpha();
    const bool translucent = Lay1->Tag != 0;
    if (f.A1->Tag == 1) {
      if (translucent) {
        if (alpha > 129) {
          Lay1->SetAlpha(uint8_t(alpha - 3));
        } else if (alpha != 128) {
          Lay1->SetAlpha(128);
          f.A1->SetEnabled(false);
        }
      } else if (alpha < 253) {
        Lay1->SetAlpha(uint8_t(alpha + 3));
      } else if (alpha != 255) {
        Lay1->SetAlpha(255);
      }
    } else {
      if (alpha != 255) Lay1->SetAlpha(255);
      if (translucent) f.A1->SetEnabled(false);
    }
  }

  // 3. The hide of a "-tray" start, once.
  if (TrayStart && Num1->Tag == 0) {
    Num1->Tag = 1;
    Application().ProcessMessages();
    MinimizetoTray1Click();
  }
}

void TForm1List::ApplicationEvents1Minimize() { Lay1->Tag = 1; }

void TForm1List::ApplicationEvents1Restore() {
  FForm->A1->SetEnabled(true);
  Lay1->Tag = 0;
}

void TForm1List::Image1Click(TComponent*) { FForm->Close(); }

// The notification-area icon comes with its own component; until then the
// window is only hidden.
void TForm1List::MinimizetoTray1Click() { FForm->Hide(); }

bool TForm1List::IsValidIniName(const std::string& text) {
  return text.find_first_of("=[]") == std::string::npos;
}

std::string TForm1List::StripIniChars(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '=' && c != '[' && c != ']') out += c;
  return out;
}
