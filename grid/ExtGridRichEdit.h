// TExtRichEdit: the grid's rich-edit control, for measuring and painting
// rich-text cells and for editing one in place.
#pragma once
#include <functional>

#include "RichEdit.h"

class TExtStringGrid;

class TExtRichEdit : public TRichEdit {
public:
  explicit TExtRichEdit(TExtStringGrid& grid);
  std::string ClassName() const override { return "TExtRichEdit"; }

  // The size the content last asked for (EN_REQUESTRESIZE), in pixels.
  int ReqWidth() const { return FReqWidth; }
  int ReqHeight() const { return FReqHeight; }
  // Set by the grid while it loads or moves the editor: no growing then.
  bool Busy = false;
  // The editor grows itself and its row as the text asks for more height
  // (the grid's SizeWhileTyping.Height; set by whoever shows the editor).
  bool GrowHeight = false;
  // The editor is left: key 0 when the focus went to the grid, VK_ESCAPE to
  // cancel the edit, VK_UP or VK_DOWN when one of those keys should move in
  // the grid instead.
  std::function<void(uint16_t key)> OnLeaveEditor;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void RequestResize(const RECT& requested) override;
  // The grid's editor raises the grid's OnRichEditSelectionChange.
  void SelectionChanged() override;

private:
  TExtStringGrid& FGrid;  // not owned: the owner
  int FReqWidth = 0, FReqHeight = 0;
};
