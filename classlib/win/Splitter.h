// The splitter: a windowless bar between two areas of its parent; dragging
// it with the left button reports the distance moved.
#pragma once
#include <functional>
#include <string>

#include "Controls.h"

// The west-east sizing cursor's slot, filled with the system's cursor.
constexpr TCursor crHSplit = -14;

class TSplitter : public TGraphicControl {
public:
  explicit TSplitter(TComponent* owner);
  std::string ClassName() const override { return "TSplitter"; }
  // Called while dragging with how far the bar was dragged since the last call.
  std::function<void(TSplitter* sender, int dx)> OnMoving;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint(TCanvas& canvas) override;

private:
  bool FDragging = false;
  int FGrabX = 0;
};
