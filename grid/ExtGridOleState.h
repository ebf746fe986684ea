// The extended grid's OLE drag-and-drop state: the drop target registered
// for its window and a drag that a press may start.
#pragma once
#include <memory>

#include "EsgDD.h"
#include "Grids.h"

class TGridDropTarget;
class TPopupButton;

struct TGridOleState {
  // The drop target is a COM object: its last reference frees it.
  struct TComRelease {
    void operator()(IUnknown* p) const { p->Release(); }
  };
  std::unique_ptr<TGridDropTarget, TComRelease> DropTarget;
  // A press that may start a drag, the drag running, and the range dragged.
  bool DragPending = false, Dragging = false;
  POINT DragPoint{};
  TGridRect DragRange{};
  bool DropRTF = false;
  TPopupButton* DragButton = nullptr;  // owned by the grid as a component
  TEsgDDUser User;  // keeps the drag-and-drop unit's formats while the grid lives
};
