// TForm1: picking a row with the mouse, moving the selection with the Up and
// Down buttons, the wheel and the keys, and scrolling the page by one entry.
#include "Unit1_list.h"

#include "Unit1.h"

namespace {
const char kOpt[] = "Asetukset";
}

void TForm1List::UpdateHints() {
  const int index = TopIndex + SelectedRow;
  if (SelectedRow >= 0 && index < L1.Count()) {
    FForm->Image15->Hint = "Modify " + L1[index] + " (Ctrl+M)";
    FForm->Image17->Hint = "Remove " + L1[index] + " (Delete)";
  } else {
    FForm->Image15->Hint = "Modify (Ctrl+M)";
    FForm->Image17->Hint = "Remove (Delete)";
  }
}

void TForm1List::Highlight(int row) {
  vari();
  TLabel* label = FForm->Labels[row];
  label->Font.Assign(FForm->bxs->Data.Mainlist.MainListselFont);
  label->Font.Color = FForm->SelectedColor;
  // A label that sizes itself follows its new font.
  if (label->AutoSize) FitWidth(row);
  label->Invalidate();
}

bool TForm1List::Smooth() {
  return FForm->OptionsIni->ReadBool(kOpt, "smooth", false) && FForm->smoothtesti();
}

void TForm1List::EndBeep() {
  if (!FForm->OptionsIni->ReadBool(kOpt, "disbeep", false) && OnEndBeep) OnEndBeep();
}

void TForm1List::ClickSound(TComponent* sender) {
  if (dynamic_cast<TImage*>(sender)) FForm->nappi();
}

void TForm1List::Label1Click(TComponent* sender) {
  auto* label = dynamic_cast<TLabel*>(sender);
  if (!label || label->Tag < 0 || label->Tag > 12) return;
  Highlight(int(label->Tag));
  SelectedRow = int(label->Tag);
  UpdateHints();
}

void TForm1List::IconClick(TComponent* sender) {
  if (!sender || sender->Tag < 0 || sender->Tag > 12) return;
  SelectedRow = int(sender->Tag);
  Highlight(SelectedRow);
  UpdateHints();
}

void TForm1List::Label1DblClick(TComponent*) {
  if (SelectedRow < 0) return;
  StartMap.clear();
  Start(SelectedRow);
}

void TForm1List::Image3Click(TComponent* sender) {
  if (SelectedRow == -1) return;
  const int count = L1.Count();
  if (SelectedRow == 12 && TopIndex + 13 < count) {
    ClickSound(sender);
    ++TopIndex;
    pai(false);
    Highlight(12);
  } else if (SelectedRow < 12 && TopIndex + SelectedRow + 1 < count) {
    ClickSound(sender);
    ++SelectedRow;
    Highlight(SelectedRow);
  }
  FitWidth(SelectedRow);
  UpdateHints();
}

void TForm1List::Image2Click(TComponent* sender) {
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

void TForm1List::Image3aClick(TComponent* sender) {
  const int count = L1.Count();
  if (Smooth()) {
    if (Numero1->Numero != 1) return;
    if (count == SelectedRow + 1 || SelectedRow > 11) {
      if (count == TopIndex + SelectedRow + 1) {
        EndBeep();
      } else {
        ClickSound(sender);
        Numero1->Tag = 0;
        Numero1->Numero = 0;
      }
    } else {
      Image3Click(sender);
    }
    return;
  }
  if (count == TopIndex + SelectedRow + 1) EndBeep();
  Image3Click(sender);
}

void TForm1List::Image2aClick(TComponent* sender) {
  if (Smooth()) {
    if (Numero1->Numero != 1) return;
    if (SelectedRow == 0) {
      if (TopIndex > 0) {
        ClickSound(sender);
        Numero1->Tag = 1;
        Numero1->Numero = 0;
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
void TForm1List::FormMouseWheelDown() { Image3aClick(nullptr); }
void TForm1List::FormMouseWheelUp() { Image2aClick(nullptr); }
