// The user's edit link over an etEditLink cell: its control placed on the
// cell, or in a borderless popup form at the cell, and its text written back.
#include "ExtGrid.h"

void TExtStringGrid::ShowEditLink() {
  TEditLink& link = *EditLink;
  TWinControl& control = link.Control();
  link.SetEditorValue(FEditStartText);
  const RECT cell = CellRect(FEditCol, FEditRow);
  if (link.Popup()) {
    const SIZE size = link.PopupSize();
    POINT at{cell.left, cell.top};
    ClientToScreen(Handle(), &at);
    FLinkPopup = std::make_unique<TForm>(nullptr);
    FLinkPopup->SetBorderStyle(bsNone);
    FLinkPopup->SetFormStyle(fsStayOnTop);
    FLinkPopup->SetBounds(at.x, at.y, size.cx, size.cy);
    control.SetParent(FLinkPopup.get());
    control.SetBounds(0, 0, size.cx, size.cy);
    FLinkPopup->Show();
  } else {
    control.SetParent(this);
    control.SetBounds(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
  }
  control.SetEnabled(true);
  control.SetVisible(true);
  control.SetFocus();
  FLinkShowing = &link;
}

void TExtStringGrid::LeaveEditLink(bool write) {
  TEditLink& link = *FLinkShowing;
  FLinkShowing = nullptr;
  if (write && EditCellExists()) {
    std::string value = link.GetEditorValue();
    ValidateEditor(value);
    if (value != FEditStartText) SetCells(FEditCol, FEditRow, value);
  }
  // The control goes back to the grid, hidden, before its popup form goes.
  TWinControl& control = link.Control();
  const bool hadFocus = control.HandleAllocated() && control.Focused();
  control.SetVisible(false);
  control.SetParent(this);
  FLinkPopup.reset();
  if (hadFocus || !GetFocus()) SetFocus();
}

void TExtStringGrid::EditLinkDone() {
  if (FLinkShowing) LeaveEditLink(true);
}
