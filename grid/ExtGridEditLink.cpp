// The user's edit link over an etEditLink cell: its control placed on the
// cell, or in a borderless popup form at the cell, and its text written back.
#include "ExtGrid.h"

void TExtStringGrid::ShowEditLink() {
  TEditLink& link = *EditLink;
  TWinControl& control = link.Control();
  link.SetEditorValue(FEdit.StartText);
  const RECT cell = CellRect(FEdit.Col, FEdit.Row);
  if (link.Popup()) {
    const SIZE size = link.PopupSize();
    POINT at{cell.left, cell.top};
    ClientToScreen(Handle(), &at);
    FEdit.LinkPopup = std::make_unique<TForm>(nullptr);
    FEdit.LinkPopup->SetBorderStyle(bsNone);
    FEdit.LinkPopup->SetFormStyle(fsStayOnTop);
    FEdit.LinkPopup->SetBounds(at.x, at.y, size.cx, size.cy);
    control.SetParent(FEdit.LinkPopup.get());
    control.SetBounds(0, 0, size.cx, size.cy);
    FEdit.LinkPopup->Show();
  } else {
    control.SetParent(this);
    control.SetBounds(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
  }
  control.SetEnabled(true);
  control.SetVisible(true);
  control.SetFocus();
  FEdit.LinkShowing = &link;
}

void TExtStringGrid::LeaveEditLink(bool write) {
  TEditLink& link = *FEdit.LinkShowing;
  FEdit.LinkShowing = nullptr;
  if (write && EditCellExists()) {
    std::string value = link.GetEditorValue();
    ValidateEditor(value);
    if (value != FEdit.StartText) SetCells(FEdit.Col, FEdit.Row, value);
  }
  // The control goes back to the grid, hidden, before its popup form goes.
  TWinControl& control = link.Control();
  const bool hadFocus = control.HandleAllocated() && control.Focused();
  control.SetVisible(false);
  control.SetParent(this);
  FEdit.LinkPopup.reset();
  if (hadFocus || !GetFocus()) SetFocus();
}

void TExtStringGrid::EditLinkDone() {
  if (FEdit.LinkShowing) LeaveEditLink(true);
}
