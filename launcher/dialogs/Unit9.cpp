// TForm9 and TForm9Status.
#include "Unit9.h"

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

TForm9::TForm9(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetFormStyle(fsStayOnTop);
  SetCaption("Find modifications");
  Font.Style = fsBold;
  Font.Height = -13;
  SetClientSize(300, 64);
  Label1 = new TWrappedLabel(this);
  Label1->Font.Assign(Font);
  Label1->SetBounds(10, 10, 280, 44);
  Label1->SetCaption("Find mods");
  Label1->SetParent(this);
  // The search ends the window, not the user.
  OnCloseQuery = [](TComponent*, bool& canClose) { canClose = false; };
  ApplyCaptionBar(*this);
}

void TForm9Status::Begin(const std::string& caption, bool visible) {
  End();
  FDisabled = std::make_unique<TDisabledWindows>();
  FForm = new TForm9(nullptr, FOwner);
  FForm->SetCaption(caption);
  if (visible) ShowForm();
}

void TForm9Status::ShowForm() {
  FForm->Show();
  FForm->Invalidate();
  FForm->Update();
  PumpPaintMessages();
}

void TForm9Status::Report(const std::string& text) {
  if (!FForm) return;
  FForm->Label1->SetCaption(text);
  ShowForm();
}

void TForm9Status::End() {
  if (FForm) {
    FForm->Hide();
    delete FForm;
    FForm = nullptr;
  }
  FDisabled.reset();
}
