#include "EditingTestForm.h"

#include <cstdlib>

TFakeEditor::TFakeEditor(TWinControl& grid) {
  Edit.SetVisible(false);
  Edit.SetParent(&grid);
}

void TFakeEditor::LoadCell(TEditorType type, const std::string& text) {
  Loaded = type;
  Edit.SetText(text);
}

std::optional<std::string> TFakeEditor::CellText() const {
  if (WritesNothing) return std::nullopt;
  return Edit.Text();
}

std::unique_ptr<TGridEditorControl> TEditGrid::CreateTypedEditor(TEditorType type) {
  if (!FakeTypes.count(type)) return TTestGrid::CreateTypedEditor(type);
  ++Created;
  auto editor = std::make_unique<TFakeEditor>(*this);
  LastFake = editor.get();
  return editor;
}

namespace {
TEditGrid* MakeGrid(TForm& form, int top, int cols, int rows) {
  auto* g = new TEditGrid(&form);
  g->SetBounds(10, top, 520, 200);
  g->SetParent(&form);
  g->SetColCount(cols);
  g->SetRowCount(rows + 1);
  for (int c = 0; c < cols; ++c) g->SetCells(c, 0, "H" + std::to_string(c));
  for (int r = 1; r <= rows; ++r)
    for (int c = 0; c < cols; ++c) g->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
  g->Options |= goEditing;
  return g;
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}
}  // namespace

void Settle() {
  DWORD quietSince = GetTickCount();
  const DWORD start = quietSince;
  while (GetTickCount() - quietSince < 150 && GetTickCount() - start < 5000) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      quietSince = GetTickCount();
    }
    Sleep(5);
  }
}

TEditWindow::TEditWindow(int cols, int rows) {
  Form.SetBounds(20, 20, 560, 470);
  Grid = MakeGrid(Form, 10, cols, rows);
  Second = MakeGrid(Form, 220, cols, rows);
  Form.Show();
  SetForegroundWindow(Form.Handle());
  Settle();
}

void TEditWindow::Focus(int col, int row) {
  SetForegroundWindow(Form.Handle());
  Grid->SetFocus();
  Grid->FocusCell(col, row, true);
  Settle();
}

void TEditWindow::Press(WORD vk, TShiftState shift) {
  if (shift & ssShift) SendKey(VK_SHIFT, false);
  if (shift & ssCtrl) SendKey(VK_CONTROL, false);
  SendKey(vk, false);
  SendKey(vk, true);
  if (shift & ssCtrl) SendKey(VK_CONTROL, true);
  if (shift & ssShift) SendKey(VK_SHIFT, true);
  Settle();
}

void TEditWindow::Type(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    const WORD vk = WORD(scan & 0xFF);
    const bool shift = (scan >> 8) & 1;
    if (shift) SendKey(VK_SHIFT, false);
    SendKey(vk, false);
    SendKey(vk, true);
    if (shift) SendKey(VK_SHIFT, true);
  }
  Settle();
}

std::string TEditWindow::EditorText() const { return Grid->EditorMode() ? Grid->InplaceEditor()->Text() : ""; }

void TEditWindow::Shot(const std::string& name) {
  if (std::getenv("BX_GRID_SHOTS")) Settle();
  ScreenShot(Form.Handle(), name);
}
