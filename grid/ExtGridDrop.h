// The grid's OLE drop target over the generic one.
#pragma once
#include "Controls.h"
#include "EsgDD.h"

class TExtStringGrid;

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
};

// The grid's drop source: while dragging, the grid's popup button follows
// the cursor (its bottom at the cursor) and the last copy or move effect the
// drop reported is kept.
class TGridDropSource : public TESGDropSource {
public:
  TGridDropSource(TExtStringGrid& grid, const std::string& caption);
  ~TGridDropSource() override;
  DWORD LastEffect() const { return FLastEffect; }

protected:
  void CurrentEffect(DWORD effect) override;

private:
  TExtStringGrid& FGrid;
  DWORD FLastEffect = DROPEFFECT_NONE;
};
