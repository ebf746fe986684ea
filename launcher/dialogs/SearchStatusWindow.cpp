// TSearchStatusWindow and TWindowSearchStatus.
#include "SearchStatusWindow.h"

#include "DialogCaption.h"
#include "WinGraphics.h"

void TWrappedLabel::Paint(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  TFontHandle font = CreateFontHandle(Font);
  TSelectGuard select(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font.Color));
  RECT r{0, 0, Width(), Height()};
  DrawTextA(dc, Caption().c_str(), int(Caption().size()), &r, DT_WORDBREAK | DT_NOPREFIX);
}

TSearchStatusWindow::TSearchStatusWindow(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetFormStyle(fsStayOnTop);
  SetCaption("Find modifications");
  Font.Style = fsBold;
  Font.Height = -13;
  SetClientSize(300, 64);
  StatusLabel = new TWrappedLabel(this);
  StatusLabel->Font.Assign(Font);
  StatusLabel->SetBounds(10, 10, 280, 44);
  StatusLabel->SetCaption("Find mods");
  StatusLabel->SetParent(this);
  // The search ends the window, not the user.
  OnCloseQuery = [](TComponent*, bool& canClose) { canClose = false; };
  ApplyCaptionBar(*this);
}

void TWindowSearchStatus::Begin(const std::string& caption, bool visible) {
  End();
  FDisabled = std::make_unique<TDisabledWindows>();
  FForm = new TSearchStatusWindow(nullptr, FOwner);
  FForm->SetCaption(caption);
  if (visible) ShowForm();
}

void TWindowSearchStatus::ShowForm() {
  FForm->Show();
  FForm->Invalidate();
  FForm->Update();
  PumpPaintMessages();
}

void TWindowSearchStatus::Report(const std::string& text) {
  if (!FForm) return;
  FForm->StatusLabel->SetCaption(text);
  ShowForm();
}

void TWindowSearchStatus::End() {
  if (FForm) {
    FForm->Hide();
    delete FForm;
    FForm = nullptr;
  }
  FDisabled.reset();
}
