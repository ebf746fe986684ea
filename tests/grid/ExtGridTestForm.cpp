#include "ExtGridTestForm.h"

#include <cstdlib>
#include <cstring>

#include "Graphics.h"

TGridWindow::TGridWindow(int cols, int rows, int width, int height) {
  Form.SetBounds(20, 20, width + 40, height + 60);
  Grid = new TTestGrid(&Form);
  Grid->SetBounds(10, 10, width, height);
  Grid->SetParent(&Form);
  Grid->SetColCount(cols);
  Grid->SetRowCount(rows + 1);
  for (int c = 0; c < cols; ++c) Grid->SetCells(c, 0, "H" + std::to_string(c));
  for (int r = 1; r <= rows; ++r)
    for (int c = 0; c < cols; ++c) Grid->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
  Form.Show();
  SetForegroundWindow(Form.Handle());
}

void TGridWindow::Click(int x, int y) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
  Send(WM_LBUTTONUP, 0, x, y);
}

COLORREF TGridWindow::PixelAt(int x, int y) {
  Grid->Invalidate();
  UpdateWindow(Grid->Handle());
  HDC dc = GetDC(Grid->Handle());
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(Grid->Handle(), dc);
  return c;
}

void TGridWindow::Shot(const std::string& name) {
  const char* dir = std::getenv("BX_GRID_SHOTS");
  if (!dir) return;
  Grid->Invalidate();
  UpdateWindow(Grid->Handle());
  HDC dc = GetDC(Grid->Handle());
  SaveDCArea(dc, 0, 0, Grid->ClientWidth(), Grid->ClientHeight(), std::string(dir) + "\\" + name + ".bmp");
  ReleaseDC(Grid->Handle(), dc);
}

int TGridWindow::CountInCell(int col, int row, const std::function<bool(COLORREF)>& test) {
  Grid->Invalidate();
  UpdateWindow(Grid->Handle());
  const RECT r = Grid->CellRect(col, row);
  HDC dc = GetDC(Grid->Handle());
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) count += test(GetPixel(dc, x, y));
  ReleaseDC(Grid->Handle(), dc);
  return count;
}

void ScreenShot(HWND window, const std::string& name) {
  const char* dir = std::getenv("BX_GRID_SHOTS");
  if (!dir) return;
  for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
  RECT r;
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  SaveDCArea(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, std::string(dir) + "\\" + name + ".bmp");
  ReleaseDC(nullptr, screen);
}

TBitmap SolidBitmap(int w, int h, TColor c) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, c);
  return b;
}

void SaveDCArea(HDC source, int x, int y, int w, int h, const std::string& file) {
  HDC mem = CreateCompatibleDC(source);
  HBITMAP bmp = CreateCompatibleBitmap(source, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, source, x, y, SRCCOPY);
  SelectObject(mem, old);
  TBitmap out;
  out.SetPixelFormat(pf24bit);
  out.SetSize(w, h);
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, out.TopDown() ? -h : h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(mem, bmp, 0, UINT(h), out.Bits().data(), &info, DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  out.SaveToFile(file);
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE h = GetClipboardData(CF_TEXT))
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  CloseClipboard();
  return text;
}

void SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}
