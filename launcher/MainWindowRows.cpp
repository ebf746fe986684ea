// TMainWindow: picking a row with the mouse, moving the selection with the Up and
// Down buttons, the wheel and the keys, and scrolling the page by one entry.
#include "MainWindow.h"

#include "MainWindow.h"

void TMainWindow::UpdateHints() {
  const int index = TopIndex + SelectedRow;
  if (SelectedRow >= 0 && index < EntryNames.Count()) {
    ModifyButton->Hint = "Modify " + EntryNames[index] + " (Ctrl+M)";
    RemoveButton->Hint = "Remove " + EntryNames[index] + " (Delete)";
  } else {
    ModifyButton->Hint = "Modify (Ctrl+M)";
    RemoveButton->Hint = "Remove (Delete)";
  }
}

void TMainWindow::Highlight(int row) {
  ApplyListColours();
  TLabel* label = Labels[row];
  label->Font.Assign(Skin->Data.Mainlist.MainListselFont);
  label->Font.Color = SelectedColor;
  // A label that sizes itself follows its new font.
  if (label->AutoSize) FitWidth(row);
  label->Invalidate();
}

bool TMainWindow::Smooth() {
  return OptionsIni->ReadBool(kOptions, "smooth", false) && SkinAllowsSmoothScroll();
}

void TMainWindow::EndBeep() {
  if (!OptionsIni->ReadBool(kOptions, "disbeep", false) && OnEndBeep) OnEndBeep();
}

void TMainWindow::ClickSound(TComponent* sender) {
  if (dynamic_cast<TImage*>(sender)) PlayClickSound();
}

void TMainWindow::BeginSmoothScroll(bool up) {
  ScrollState->Tag = up ? 1 : 0;
  ScrollState->Numero = 0;
}

void TMainWindow::RowLabelClick(TComponent* sender) {
  auto* label = dynamic_cast<TLabel*>(sender);
  if (!label || label->Tag < 0 || label->Tag > kLastRow) return;
  Highlight(int(label->Tag));
  SelectedRow = int(label->Tag);
  UpdateHints();
}

void TMainWindow::RowIconClick(TComponent* sender) {
  if (!sender || sender->Tag < 0 || sender->Tag > kLastRow) return;
  SelectedRow = int(sender->Tag);
  Highlight(SelectedRow);
  UpdateHints();
}

void TMainWindow::RowDblClick(TComponent*) {
  if (SelectedRow < 0) return;
  StartMap.clear();
  Start(SelectedRow);
}

void TMainWindow::MoveSelectionDown(TComponent* sender) {
  if (SelectedRow == -1) return;
  const int count = EntryNames.Count();
  if (SelectedRow == kLastRow && TopIndex + kRows < count) {
    ClickSound(sender);
    ++TopIndex;
    PaintPage(false);
    Highlight(kLastRow);
  } else if (SelectedRow < kLastRow && TopIndex + SelectedRow + 1 < count) {
    ClickSound(sender);
    ++SelectedRow;
    Highlight(SelectedRow);
  }
  FitWidth(SelectedRow);
  UpdateHints();
}

void TMainWindow::MoveSelectionUp(TComponent* sender) {
  if (SelectedRow == -1) return;
  if (SelectedRow == 0 && TopIndex > 0) {
    ClickSound(sender);
    --TopIndex;
    PaintPage(false);
  } else if (SelectedRow > 0) {
    ClickSound(sender);
    --SelectedRow;
    Highlight(SelectedRow);
    FitWidth(SelectedRow);
  }
  UpdateHints();
}

void TMainWindow::DownButtonClick(TComponent* sender) {
  const int count = EntryNames.Count();
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
      MoveSelectionDown(sender);
    }
    return;
  }
  if (count == TopIndex + SelectedRow + 1) EndBeep();
  MoveSelectionDown(sender);
}

void TMainWindow::UpButtonClick(TComponent* sender) {
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
      MoveSelectionUp(sender);
    }
    return;
  }
  if (TopIndex == 0 && SelectedRow == 0) EndBeep();
  MoveSelectionUp(sender);
}

// The wheel and the keys pass no picture control, so they make no click sound.
void TMainWindow::FormMouseWheelDown() { DownButtonClick(nullptr); }
void TMainWindow::FormMouseWheelUp() { UpButtonClick(nullptr); }
