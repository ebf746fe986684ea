// The grid's OLE drop target over the generic one, and the arrow-shaped
// markers that show where a drop lands.
#pragma once
#include "Controls.h"
#include "EsgDD.h"

class TExtStringGrid;

enum TMarkerShape { msRight, msDown, msUp };

// A small arrow-shaped popup window in the highlight colour; shown without
// taking the focus.
class TDropMarker : public TWinControl {
public:
  static constexpr int Size = 12;
  explicit TDropMarker(TMarkerShape shape);
  std::string ClassName() const override { return "TDropMarker"; }
  // Shows it with its top-left corner at a screen point.
  void ShowAt(int x, int y);
  void Hide();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void Paint(TCanvas& canvas, const RECT& area) override;

private:
  TMarkerShape FShape;
};

// Registered on the grid's window while OleDropTarget is on. Text, rich
// text, file and column drops go to the grid; the grid says where drops are
// taken and whether it took one.
class TGridDropTarget : public TESGDropTarget {
public:
  explicit TGridDropTarget(TExtStringGrid& grid);
  // The accepted formats follow the grid's settings as each drag enters and
  // at the drop.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  // The markers, for tests and screenshots.
  const TDropMarker& Marker() const { return FMarker; }
  const TDropMarker& ArrowDown() const { return FArrowDown; }
  const TDropMarker& ArrowUp() const { return FArrowUp; }

protected:
  bool DropText(POINT pt, const std::string& text) override;
  bool DropCol(POINT pt, int col) override;
  bool DropRTF(POINT pt, const std::string& text) override;
  bool DropFiles(POINT pt, const std::vector<std::string>& names) override;
  void DragMouseMove(POINT pt, bool& accept, int formats) override;
  void DragMouseLeave() override { HideMarkers(); }

private:
  void TakeGridSettings();
  POINT Client(POINT screen) const;
  void ShowMarkers(int col, int row, bool columns);
  void HideMarkers();
  TExtStringGrid& FGrid;
  TDropMarker FMarker{msRight}, FArrowDown{msDown}, FArrowUp{msUp};
};
