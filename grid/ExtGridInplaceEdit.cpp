// TExtInplaceEdit: typed-character filtering, Enter and the cursor walk,
// lookup completion, sizing while typing, the clipboard and the focus.
#include "ExtGridInplaceEdit.h"

#include "ExtGrid.h"
#include "ExtGridUtil.h"
#include "Handles.h"

namespace {
constexpr char kCtrlC = 3, kCtrlV = 22, kCtrlX = 24;
constexpr int kSizeMargin = 8;  // pixels beyond the text when the cell grows to it
}  // namespace

TExtInplaceEdit::TExtInplaceEdit(TStringGrid& grid, TGridEditorHost& host) : TInplaceEdit(grid), FHost(host) {}

void TExtInplaceEdit::CreateParams(TCreateParams& params) {
  TInplaceEdit::CreateParams(params);
  // A wrapping edit takes lines beyond its height: it scrolls to them.
  params.Style |= FPassword ? ES_PASSWORD : ES_MULTILINE | ES_AUTOVSCROLL;
  if (FWordWrap && !FPassword) params.Style &= ~ES_AUTOHSCROLL;
  if (FAlignment == 1) params.Style |= ES_RIGHT;
  if (FAlignment == 2) params.Style |= ES_CENTER;
}

void TExtInplaceEdit::SetLayout(bool wordWrap, int alignment, bool password) {
  if (wordWrap == FWordWrap && alignment == FAlignment && password == FPassword) return;
  FWordWrap = wordWrap, FAlignment = alignment, FPassword = password;
  const std::string text = Text();
  DestroyHandle();
  SetText(text);
}

void TExtInplaceEdit::Prepare() {
  FSettings = FHost.EditorSettings();
  if (FPassword) SendMessageA(Handle(), EM_SETPASSWORDCHAR, WPARAM((unsigned char)FSettings.PasswordChar), 0);
  FMaxLength = FSettings.MaxEditLength;
  SendMessageA(Handle(), EM_SETLIMITTEXT, WPARAM(FMaxLength), 0);  // 0: no limit of ours
  FCompleteOff = FKeypadDecimal = false;
}

TEditTextKind TExtInplaceEdit::Kind() const {
  switch (FHost.EditorType()) {
    case etNumeric: return tkSigned;
    case etPositiveNumeric: return tkUnsigned;
    case etFloat: return tkFloat;
    case etUppercase: return tkUpper;
    case etLowercase: return tkLower;
    case etMixedcase: return tkMixed;
    default: return tkAny;
  }
}

bool TExtInplaceEdit::CaretAtEnd() const {
  int start, end;
  GetSel(start, end);
  return start == end && end == int(Text().size());
}

int TExtInplaceEdit::CaretLine() const { return int(SendMessageA(FHandle, EM_LINEFROMCHAR, WPARAM(-1), 0)); }
int TExtInplaceEdit::LineCount() const { return int(SendMessageA(FHandle, EM_GETLINECOUNT, 0, 0)); }

bool TExtInplaceEdit::EditKeyDown(uint16_t key, TShiftState shift) {
  FCompleteOff = key == VK_BACK || key == VK_DELETE;
  if (key == VK_DECIMAL) FKeypadDecimal = FSettings.ExcelStyleDecimalSeparator;
  if (key == VK_INSERT && ShiftIs(shift, ssShift)) {
    Paste();
    return true;
  }
  if (key == VK_INSERT && ShiftIs(shift, ssCtrl)) return !ClipboardAllowed(caCopy);
  if (key == VK_DELETE && ShiftIs(shift, ssShift)) return !ClipboardAllowed(caCut);
  if (key == VK_ESCAPE) SetText(FHost.EditStartText());
  const TNavigation* nav = FSettings.Navigation;
  if (key == VK_RETURN && nav && nav->LineFeedOnEnter && ShiftIs(shift, ssCtrl)) {
    SendMessageA(FHandle, EM_REPLACESEL, TRUE, LPARAM("\r\n"));
    SizeToText();
    return true;
  }
  if ((key == VK_LEFT || key == VK_RIGHT) && nav && nav->CursorWalkEditor && !(shift & ssShift)) {
    int start, end;
    GetSel(start, end);
    const bool atEdge = start == end && (key == VK_LEFT ? start == 0 : end == int(Text().size()));
    if (atEdge) FGrid.EditorKey(key, shift);
    return atEdge;
  }
  // Up and Down move within a text of several lines until its first or last line.
  if (key == VK_UP && CaretLine() > 0) return false;
  if (key == VK_DOWN && CaretLine() < LineCount() - 1) return false;
  return TInplaceEdit::EditKeyDown(key, shift);
}

bool TExtInplaceEdit::AcceptChar(char& c) {
  if (c == kCtrlV) {
    Paste();
    return false;
  }
  if (c == kCtrlC) return ClipboardAllowed(caCopy);
  if (c == kCtrlX) return ClipboardAllowed(caCut);
  if (FKeypadDecimal && c == '.') c = GridFormat().DecimalSeparator;
  FKeypadDecimal = false;
  if ((unsigned char)c < 32 && c != 8) return true;
  if (IsMasked()) return true;  // the mask decides what each position takes
  int start, end;
  GetSel(start, end);
  if (AcceptEditChar(Kind(), Text(), start, end, c)) return true;
  MessageBeep(MB_OK);
  return false;
}

void TExtInplaceEdit::Paste() {
  const std::string pasted = ReadClipboardText(FHandle);
  const std::string text = Text();
  int start, end;
  GetSel(start, end);
  // A paste that would pass the length limit does nothing.
  if (FMaxLength > 0 && text.size() - size_t(end - start) + pasted.size() > size_t(FMaxLength)) return;
  if (!ClipboardAllowed(caPaste)) return;
  if (IsMasked()) {
    MaskedInsert(pasted);
    return;
  }
  std::string result = text.substr(0, size_t(start)) + pasted + text.substr(size_t(end));
  if (!AcceptEditText(Kind(), result)) {
    MessageBeep(MB_OK);
    return;
  }
  SetText(result);
  const int caret = start + int(pasted.size());
  SetSel(caret, caret);
  SizeToText();
}

void TExtInplaceEdit::ApplyMixedCase() {
  int start, end;
  GetSel(start, end);
  const std::string text = Text(), proper = ProperCase(text);
  if (proper == text) return;
  SetText(proper);
  SetSel(start, end);
}

void TExtInplaceEdit::Complete() {
  if (!FSettings.Lookup || FCompleteOff || !CaretAtEnd()) return;
  const std::string typed = Text();
  TStringList& items = FHost.LookupItems();
  const int i = LookupMatch(items, typed, FSettings.LookupCaseSensitive);
  if (i < 0 || items[i].size() <= typed.size()) return;
  SetText(typed + items[i].substr(typed.size()));
  SetSel(int(typed.size()), -1);
}

void TExtInplaceEdit::SizeToText() {
  const TSizeWhileTyping* sizing = FSettings.SizeWhileTyping;
  if (!sizing || (!sizing->Width && !sizing->Height) || !HandleAllocated()) return;
  TEXTMETRICA metrics{};
  int widest = 0;  // the widest line as typed, before any wrapping
  {
    TWindowDC dc(FHandle);
    TSelectGuard font(dc.DC(), HGDIOBJ(SendMessageA(FHandle, WM_GETFONT, 0, 0)));
    GetTextMetricsA(dc.DC(), &metrics);
    TStringList lines;
    lines.SetText(Text());
    for (int i = 0; i < lines.Count(); ++i) {
      SIZE size{};
      GetTextExtentPoint32A(dc.DC(), lines[i].c_str(), int(lines[i].size()), &size);
      widest = std::max<int>(widest, size.cx);
    }
  }
  const int col = FHost.EditCol(), row = FHost.EditRow();
  if (sizing->Width && widest + kSizeMargin > FGrid.ColWidths(col)) FGrid.SetColWidths(col, widest + kSizeMargin);
  const int height = LineCount() * metrics.tmHeight + 4;
  if (sizing->Height && (FWordWrap || LineCount() > 1) && height > FGrid.RowHeights(row))
    FGrid.SetRowHeights(row, height);
  RECT r = FGrid.CellRect(col, row);
  SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  // Lines that wrapped while the cell was narrower may have scrolled the
  // text away: the caret's line comes back into view.
  const int hidden = int(SendMessageA(FHandle, EM_GETFIRSTVISIBLELINE, 0, 0));
  if (hidden > CaretLine()) SendMessageA(FHandle, EM_LINESCROLL, 0, LPARAM(CaretLine() - hidden));
}

void TExtInplaceEdit::FocusGained() {
  SetColor(FHost.EditorColor());
  if (ImproveMaskSel()) SelectFirstInput();
}

bool TExtInplaceEdit::ImproveMaskSel() const {
  return IsMasked() && FSettings.Navigation && FSettings.Navigation->ImproveMaskSel;
}

void TExtInplaceEdit::SelectFirstInput() {
  const int first = Mask().NextInput(0);
  SetSel(first, first + 1);
}

void TExtInplaceEdit::SelectOnShow() {
  if (ImproveMaskSel()) SelectFirstInput();
  else SelectAll();
}

// AdvanceAuto: a mask filled to its end moves on as Enter would.
bool TExtInplaceEdit::MaskFilled() const {
  return IsMasked() && FSettings.Navigation && FSettings.Navigation->AdvanceAuto && CaretAtEnd() &&
         Mask().Complete(Text());
}

void TExtInplaceEdit::AddToHistory() {
  const std::string text = Text();
  TStringList& items = FHost.LookupItems();
  if (FSettings.LookupHistory && !text.empty() && items.IndexOf(text) < 0) items.Add(text);
}

void TExtInplaceEdit::FocusLost() { FHost.LeaveEditor(); }

void TExtInplaceEdit::DblClicked() { FHost.DblClickCell(); }

LRESULT TExtInplaceEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Whichever way editing ends, the editor loses the focus.
  if (msg == WM_KILLFOCUS && Visible()) AddToHistory();
  if (msg != WM_CHAR || (unsigned char)wParam < 32) return TInplaceEdit::WndProc(msg, wParam, lParam);
  const std::string before = Text();
  LRESULT result = TInplaceEdit::WndProc(msg, wParam, lParam);
  if (Text() == before) return result;
  if (IsMasked()) {
    SizeToText();
    if (MaskFilled()) EditKeyDown(VK_RETURN, 0);
    return result;
  }
  if (Kind() == tkMixed) ApplyMixedCase();
  Complete();
  SizeToText();
  return result;
}
