// The message dialog form.
#include "MessageForm.h"

namespace {
struct TButtonKind {
  TMsgDlgBtn button;
  const char* caption;
  TModalResult result;
};
const TButtonKind kButtons[] = {
    {mbYes, "&Yes", mrYes},         {mbNo, "&No", mrNo},           {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel}, {mbAbort, "&Abort", mrAbort},   {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore}, {mbAll, "&All", mrAll},        {mbNoToAll, "N&o to All", mrNoToAll},
    {mbYesToAll, "Yes to &All", mrYesToAll},
};
constexpr int kMargin = 12, kIconSize = 32, kButtonHeight = 25, kButtonGap = 8;
}  // namespace

TMessageForm::TMessageForm(const TPromptRequest& request, TMsgDlgType type) : TForm(nullptr), FText(request.Text) {
  static const LPCSTR icons[] = {IDI_WARNING, IDI_ERROR, IDI_INFORMATION, IDI_QUESTION, nullptr};
  FIcon = icons[type];
  SetBorderStyle(bsDialog);
  Position = poScreenCenter;
  SetCaption(request.Caption);
  // Measure the text and the buttons with the dialog font.
  TWindowDC screen(nullptr);
  TSelectGuard font(screen.DC(), GetStockObject(DEFAULT_GUI_FONT));
  RECT text{0, 0, 360, 0};
  DrawTextA(screen.DC(), FText.c_str(), int(FText.size()), &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  int left = kMargin + (FIcon ? kIconSize + kMargin : 0);
  FTextRect = RECT{left, kMargin, left + text.right, kMargin + text.bottom};
  int buttonWidth = 75;
  std::vector<const TButtonKind*> shown;
  for (const auto& b : kButtons)
    if (request.Buttons & b.button) {
      shown.push_back(&b);
      SIZE size;
      GetTextExtentPoint32A(screen.DC(), b.caption, int(strlen(b.caption)), &size);
      buttonWidth = std::max<int>(buttonWidth, size.cx + 24);
    }
  int rowWidth = int(shown.size()) * buttonWidth + (int(shown.size()) - 1) * kButtonGap;
  int clientWidth = std::max<int>(FTextRect.right + kMargin, rowWidth + 2 * kMargin);
  int top = std::max<int>(FTextRect.bottom, kMargin + (FIcon ? kIconSize : 0)) + kMargin;
  SetClientSize(clientWidth, top + kButtonHeight + kMargin);
  int x = (clientWidth - rowWidth) / 2;
  for (const auto* b : shown) {
    auto* button = new TButton(this);
    button->SetCaption(b->caption);
    button->ModalResult = b->result;
    button->Default = b->result == request.Default;
    button->SetBounds(x, top, buttonWidth, kButtonHeight);
    button->SetParent(this);
    Buttons.push_back(button);
    x += buttonWidth + kButtonGap;
  }
  for (TButton* b : Buttons)
    if (b->Default) b->SetFocus();
}

void TMessageForm::Paint(TCanvas& canvas, const RECT& area) {
  TForm::Paint(canvas, area);
  HDC dc = canvas.Handle();
  if (FIcon) DrawIcon(dc, kMargin, kMargin, LoadIconA(nullptr, FIcon));
  TSelectGuard font(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT r = FTextRect;
  DrawTextA(dc, FText.c_str(), int(FText.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
}

int ShowMessageForm(const TPromptRequest& request, TMsgDlgType type) {
  TMessageForm form(request, type);
  return form.ShowModal();
}
