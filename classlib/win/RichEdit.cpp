// TRichEdit.
#include "RichEdit.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "SysUtils.h"

namespace {
// The rich edit library stays loaded for the program's life: its window
// class must outlive every control made of it.
void LoadRichEditLibrary() {
  static HMODULE library = LoadLibraryA("riched20.dll");
  if (!library) throw EOutOfResources("Error creating window");
}

constexpr char kRTFMagic[] = "{\\rtf";
// Groups nested deeper than this are refused: Wine's RTF reader crashes past
// 32 levels, and no document we show comes near it.
constexpr int kMaxGroupDepth = 30;

// The deepest nesting of "{" groups; escaped braces do not count.
int GroupDepth(const std::string& rtf) {
  int depth = 0, deepest = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') ++i;
    else if (rtf[i] == '{') deepest = std::max(deepest, ++depth);
    else if (rtf[i] == '}') --depth;
  }
  return deepest;
}

// The stream callbacks: a string read from its position, a string appended to.
struct TStreamSource {
  const std::string& Text;
  size_t Pos = 0;
};

DWORD CALLBACK ReadString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* s = reinterpret_cast<TStreamSource*>(cookie);
  const size_t n = std::min<size_t>(size_t(std::max<LONG>(size, 0)), s->Text.size() - s->Pos);
  std::memcpy(buffer, s->Text.data() + s->Pos, n);
  s->Pos += n;
  *done = LONG(n);
  return 0;
}

DWORD CALLBACK AppendString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), size_t(std::max<LONG>(size, 0)));
  *done = size;
  return 0;
}

// Streams text in with the format; false when the control reports an error.
bool StreamIn(HWND wnd, const std::string& text, WPARAM format) {
  TStreamSource source{text};
  EDITSTREAM es{};
  es.dwCookie = DWORD_PTR(&source);
  es.pfnCallback = ReadString;
  SendMessageA(wnd, EM_STREAMIN, format, LPARAM(&es));
  return es.dwError == 0;
}

std::string StreamOut(HWND wnd, WPARAM format) {
  std::string text;
  EDITSTREAM es{};
  es.dwCookie = DWORD_PTR(&text);
  es.pfnCallback = AppendString;
  SendMessageA(wnd, EM_STREAMOUT, format, LPARAM(&es));
  return text;
}
}  // namespace

TRichEdit::TRichEdit(TComponent* owner) : TStdControl(owner) { Color = clWindow; }

void TRichEdit::CreateParams(TCreateParams& p) {
  LoadRichEditLibrary();
  UseSystemClass(p, "RichEdit20A");
  p.Style |= WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | (FReadOnly ? ES_READONLY : 0);
  if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
  if (ScrollBars == ssVertical || ScrollBars == ssBoth) p.Style |= WS_VSCROLL;
  if (ScrollBars == ssHorizontal || ScrollBars == ssBoth) p.Style |= WS_HSCROLL;
  if (Border) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TRichEdit::CreateHandle() {
  TStdControl::CreateHandle();
  SendMessageA(FHandle, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE | ENM_SELCHANGE);
  SendMessageA(FHandle, EM_SETTARGETDEVICE, 0, FWordWrap ? 0 : 1);
  if (Color != clWindow) SendMessageA(FHandle, EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(Color)));
  if (!FRTF.empty() && !StreamIn(FHandle, FRTF, SF_RTF)) SetText("");
  FRTF.clear();
}

void TRichEdit::SetReadOnly(bool readOnly) {
  FReadOnly = readOnly;
  if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, readOnly, 0);
}

void TRichEdit::SetWordWrap(bool wrap) {
  FWordWrap = wrap;
  // A target line width of 1 turns wrapping off; 0 wraps at the window.
  if (FHandle) SendMessageA(FHandle, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
}

std::string TRichEdit::Text() { return StreamOut(Handle(), SF_TEXT); }

void TRichEdit::SetText(const std::string& text) {
  FRTF.clear();
  StreamIn(Handle(), text, SF_TEXT);
}

bool TRichEdit::SetRTF(const std::string& rtf) {
  const bool readable = rtf.compare(0, sizeof kRTFMagic - 1, kRTFMagic) == 0 && GroupDepth(rtf) <= kMaxGroupDepth;
  if (!FHandle) {
    // Kept until the window is made (with its form), read then.
    FRTF = readable ? rtf : std::string();
    return readable;
  }
  if (readable && StreamIn(FHandle, rtf, SF_RTF)) return true;
  SetText("");
  return false;
}

std::string TRichEdit::RTF() { return StreamOut(Handle(), SF_RTF); }

void TRichEdit::SetTextColor(TColor color) {
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = ColorToRGB(color);
  SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_ALL, LPARAM(&format));
}

void TRichEdit::FormatInto(HDC dc, const RECT& rect) {
  // The control measures in twips (1440 an inch) of the target device.
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  FORMATRANGE range{};
  range.hdc = range.hdcTarget = dc;
  range.rc = RECT{MulDiv(rect.left, 1440, dpiX), MulDiv(rect.top, 1440, dpiY), MulDiv(rect.right, 1440, dpiX),
                  MulDiv(rect.bottom, 1440, dpiY)};
  range.rcPage = range.rc;
  range.chrg.cpMin = 0;
  range.chrg.cpMax = -1;
  HWND wnd = Handle();
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_TEXT);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  const LRESULT formatted = SendMessageA(wnd, EM_FORMATRANGE, TRUE, LPARAM(&range));
  SendMessageA(wnd, EM_FORMATRANGE, FALSE, 0);  // frees the control's cached layout
  if (formatted == 0 && GetWindowTextLengthA(wnd) > 0) {
    // Wine formats nothing (EM_FORMATRANGE is a stub there): the control,
    // sized to the rectangle, paints its client area into the DC instead.
    SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + rect.left, origin.y + rect.top, nullptr);
    SendMessageA(wnd, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
  }
  RestoreDC(dc, saved);
}

void TRichEdit::SetColor(TColor color) {
  TStdControl::SetColor(color);
  if (FHandle) SendMessageA(FHandle, EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(color)));
}

void TRichEdit::RequestSize() { SendMessageA(Handle(), EM_REQUESTRESIZE, 0, 0); }

bool TRichEdit::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == EN_SELCHANGE) {
      SelectionChanged();
      result = 0;
      return true;
    }
    if (header->code != EN_REQUESTRESIZE) return false;
    RequestResize(reinterpret_cast<const REQRESIZE*>(lParam)->rc);
    result = 0;
    return true;
  }
  return TStdControl::Reflected(msg, wParam, lParam, result);
}
