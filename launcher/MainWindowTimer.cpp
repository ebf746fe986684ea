// TMainWindow: the 7 ms timer (smooth scrolling of the page, the fade of the
// window's alpha, the one-shot hide of a "-tray" start) and small handlers.
#include "MainWindow.h"

#include "MainWindow.h"
#include "WinGraphics.h"

int TMainWindow::LayoutTop(int row) {
  const Tbxskinmainlist& skin = Skin->Data.Mainlist;
  TWindowDC screen(nullptr);
  TCanvas canvas(screen.DC());
  canvas.Font.Assign(skin.MainListunselFont);
  const int h = canvas.TextExtent(Labels[0]->Caption()).cy;
  return skin.Top + row * (h + skin.RowSpacing());
}

void TMainWindow::ResetTops() {
  for (int k = 0; k < kRows; ++k) Labels[k]->SetTop(LayoutTop(k));
  LayOutIcons();
}

void TMainWindow::AnimationTimerTimer(TComponent*) {
  auto& labels = Labels;
  auto& icons = Icons;
  // The smooth scroll, two pixels a tick.
  if (ScrollingUp()) {
    const int target = LayoutTop(kLastRow);
    if (labels[kLastRow - 1]->Top() == target && ScrollState->Numero == 0) {
      ScrollState->Numero = 1;
      MoveSelectionUp(ScrollState);
      ResetTops();
      labels[kLastRow]->SetVisible(true);
      icons[kLastRow]->SetVisible(true);
    }
    if (ScrollState->Numero == 0) {
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
    const int target = Skin->Data.Mainlist.Top;
    if (labels[1]->Top() == target && ScrollState->Numero == 0) {
      ScrollState->Numero = 1;
      MoveSelectionDown(ScrollState);
      ResetTops();
      icons[0]->SetVisible(true);
    }
    if (ScrollState->Numero == 0) {
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
  if (ScrollState->Numero != 0) {
    const int alpha = AlphaLayer->Alpha();
    if (FadeEnabled()) {
      if (FadingOut()) {
        if (alpha > 129) {
          AlphaLayer->SetAlpha(uint8_t(alpha - 3));
        } else if (alpha != 128) {
          AlphaLayer->SetAlpha(128);
          AnimationTimer->SetEnabled(false);
        }
      } else if (alpha < 253) {
        AlphaLayer->SetAlpha(uint8_t(alpha + 3));
      } else if (alpha != 255) {
        AlphaLayer->SetAlpha(255);
      }
    } else {
      if (alpha != 255) AlphaLayer->SetAlpha(255);
      if (FadingOut()) AnimationTimer->SetEnabled(false);
    }
  }

  // The hide of a "-tray" start, once, after the program has shown the
  // window (a tick during the start-up would be undone by that showing).
  if (TrayStart && !TrayHidden() && Visible()) {
    TrayHideState->Tag = 1;
    Application().ProcessMessages();
    MinimizeToTrayItemClick();
  }
}

void TMainWindow::ApplicationMinimize() { SetFadingOut(true); }

void TMainWindow::ApplicationRestore() {
  AnimationTimer->SetEnabled(true);
  SetFadingOut(false);
}

void TMainWindow::CloseButtonClick(TComponent*) { Close(); }
