// TForm1: picking a row with the mouse, moving the selection with the Up and
// Down buttons, the wheel and the keys, and scrolling the page by one entry.
#include "Unit1.h"

#include "Unit1.h"

void TForm1::UpdateHints() {
  const int index = TopIndex + SelectedRow;
  if (SelectedRow >= 0 && index < L1.Count()) {
    Image15->Hint = "Modify " + L1[index] + " (Ctrl+M)";
    Image17->Hint = "Remove " + L1[index] + " (Delete)";
  } else {
    Image15->Hint = "Modify (Ctrl+M)";
    Image17->Hint = "Remove (Delete)";
  }
}

void TForm1::Highlight(int row) {
  vari();
  TLabel* label = Labels[row];
  label->Font.Assign(bxs->Data.Mainlist.MainListselFont);
  label->Font.Color = SelectedColor;
  // A label that sizes itself follows its new font.
  if (label->AutoSize) FitWidth(row);
  label->Invalidate();
}

bool TForm1::Smooth() {
  return OptionsIni->ReadBool(kOptions, "smooth", false) && smoothtesti();
}

void TForm1::EndBeep() {
  if (!OptionsIni->ReadBool(kOptions, "disbeep", false) && OnEndBeep) OnEndBeep();
}

void TForm1::ClickSound(TComponent* sender) {
  if (dynamic_cast<TImage*>(sender)) nappi();
}

void TForm1::BeginSmoothScroll(bool up) {
  Numero1->Tag = up ? 1 : 0;
  Numero1->Numero = 0;
}

void TForm1::Label1Click(TComponent* sender) {
  auto* label = dynamic_cast<TLabel*>(sender);
  if (!label || label->Tag < 0 || label->Tag > kLastRow) return;
  Highlight(int(label->Tag));
  SelectedRow = int(label->Tag);
  UpdateHints();
}

void TForm1::IconClick(TComponent* sender) {
  if (!sender || sender->Tag < 0 || sender->Tag > kLastRow) return;
  SelectedRow = int(sender->Tag);
  Highlight(SelectedRow);
  UpdateHints();
}

void TForm1::Label1DblClick(TComponent*) {
  if (SelectedRow < 0) return;
  StartMap.clear();
  Start(SelectedRow);
}

void TForm1::Image3Click(TComponent* sender) {
  if (SelectedRow == -1) return;
  const int count = L1.Count();
  if (SelectedRow == kLastRow && TopIndex + kRows < count) {
    ClickSound(sender);
    ++TopIndex;
    pai(false);
    Highlight(kLastRow);
  } else if (SelectedRow < kLastRow && TopIndex + SelectedRow + 1 < count) {
    ClickSound(sender);
    ++SelectedRow;
    Highlight(SelectedRow);
  }
  FitWidth(SelectedRow);
  UpdateHints();
}

void TForm1::Image2Click(TComponent* sender) {
  if (SelectedRow == -1) return;
  if (SelectedRow == 0 && TopIndex > 0) {
    ClickSound(sender);
    --TopIndex;
    pai(false);
  } else if (SelectedRow > 0) {
    ClickSound(sender);
    --SelectedRow;
    Highlight(SelectedRow);
    FitWidth(SelectedRow);
  }
  UpdateHints();
}

void TForm1::Image3aClick(TComponent* sender) {
  const int count = L1.Count();
  if (Smooth()) {
    if (!ScrollIdle()) return;
    if (count == SelectedRow + 1 || SelectedRow >= kLastRow) {
      if (count == TopIndex + SelectedRow + 1) {
        EndBeep();
      } else {
        ClickSound(sender);
        BeginSmoothScroll(false);
      }
    } else {
      Image3Click(sender);
    }
    return;
  }
  if (count == TopIndex + SelectedRow + 1) EndBeep();
  Image3Click(sender);
}

void TForm1::Image2aClick(TComponent* sender) {
  if (Smooth()) {
    if (!ScrollIdle()) return;
    if (SelectedRow == 0) {
      if (TopIndex > 0) {
        ClickSound(sender);
        BeginSmoothScroll(true);
      } else {
        EndBeep();
      }
    } else {
      Image2Click(sender);
    }
    return;
  }
  if (TopIndex == 0 && SelectedRow == 0) EndBeep();
  Image2Click(sender);
}

// The wheel and the keys pass no picture control, so they make no click sound.
void TForm1::FormMouseWheelDown() { Image3aClick(nullptr); }
void TForm1::FormMouseWheelUp() { Image2aClick(nullptr); }
