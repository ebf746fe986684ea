// TForm1: the 7 ms timer (smooth scrolling of the page, the fade of the
// window's alpha, the one-shot hide of a "-tray" start) and small handlers.
#include "Unit1.h"

#include "Unit1.h"
#include "WinGraphics.h"

int TForm1::LayoutTop(int row) {
  const Tbxskinmainlist& skin = bxs->Data.Mainlist;
  TWindowDC screen(nullptr);
  TCanvas canvas(screen.DC());
  canvas.Font.Assign(skin.MainListunselFont);
  const int h = canvas.TextExtent(Labels[0]->Caption()).cy;
  return skin.Top + row * (h + skin.RowSpacing());
}

void TForm1::ResetTops() {
  for (int k = 0; k < kRows; ++k) Labels[k]->SetTop(LayoutTop(k));
  paivitaicot();
}

void TForm1::A1Timer(TComponent*) {
  auto& labels = Labels;
  auto& icons = Icons;
  // The smooth scroll, two pixels a tick.
  if (ScrollingUp()) {
    const int target = LayoutTop(kLastRow);
    if (labels[kLastRow - 1]->Top() == target && Numero1->Numero == 0) {
      Numero1->Numero = 1;
      Image2Click(Numero1);
      ResetTops();
      labels[kLastRow]->SetVisible(true);
      icons[kLastRow]->SetVisible(true);
    }
    if (Numero1->Numero == 0) {
      if (labels[kLastRow - 1]->Top() < target) {
        labels[kLastRow]->SetVisible(false);
        icons[kLastRow]->SetVisible(false);
        for (int k = 0; k < kLastRow; ++k) {
          labels[k]->SetTop(labels[k]->Top() + 2);
          icons[k]->SetTop(icons[k]->Top() + 2);
        }
      } else {
        labels[kLastRow - 1]->SetTop(target);
      }
    }
  } else {
    const int target = bxs->Data.Mainlist.Top;
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
        for (int k = 1; k < kRows; ++k) {
          labels[k]->SetTop(labels[k]->Top() - 2);
          icons[k]->SetTop(icons[k]->Top() - 2);
        }
      } else {
        labels[1]->SetTop(target);
      }
    }
  }

  // The fade, between scrolls: down to half while minimised, else up to opaque.
  if (Numero1->Numero != 0) {
    const int alpha = Lay1->Alpha();
    if (FadeEnabled()) {
      if (FadingOut()) {
        if (alpha > 129) {
          Lay1->SetAlpha(uint8_t(alpha - 3));
        } else if (alpha != 128) {
          Lay1->SetAlpha(128);
          A1->SetEnabled(false);
        }
      } else if (alpha < 253) {
        Lay1->SetAlpha(uint8_t(alpha + 3));
      } else if (alpha != 255) {
        Lay1->SetAlpha(255);
      }
    } else {
      if (alpha != 255) Lay1->SetAlpha(255);
      if (FadingOut()) A1->SetEnabled(false);
    }
  }

  // The hide of a "-tray" start, once, after the program has shown the
  // window (a tick during the start-up would be undone by that showing).
  if (TrayStart && !TrayHidden() && Visible()) {
    Num1->Tag = 1;
    Application().ProcessMessages();
    MinimizetoTray1Click();
  }
}

void TForm1::ApplicationEvents1Minimize() { SetFadingOut(true); }

void TForm1::ApplicationEvents1Restore() {
  A1->SetEnabled(true);
  SetFadingOut(false);
}

void TForm1::Image1Click(TComponent*) { Close(); }
