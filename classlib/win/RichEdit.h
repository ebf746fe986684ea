// TRichEdit: the system's rich edit control ("RichEdit20A" of riched20.dll):
// plain and RTF text in and out, read-only, word wrap, and formatting its
// text into a rectangle of any device context.
#pragma once
#include <string>

#include "StdControl.h"
#include "StdEdits.h"

class TRichEdit : public TStdControl {
public:
  explicit TRichEdit(TComponent* owner);
  std::string ClassName() const override { return "TRichEdit"; }

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly);
  // Lines wrap at the control's width; off, a line is as long as its text.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wrap);
  TScrollStyle ScrollBars = ssNone;  // read when the window is made
  bool Border = true;                // a sunken edge; read when the window is made
  // Sets Color, the control's background.
  void SetColor(TColor color);

  // The plain text, CR LF between paragraphs.
  std::string Text();
  void SetText(const std::string& text);
  // Replaces the content with RTF text. Text that is not RTF ("{\rtf"
  // first) or that the control fails to read is refused: false, and the
  // control is left empty. Before the window exists the text is kept and
  // read when it is made.
  bool SetRTF(const std::string& rtf);
  std::string RTF();
  // Every character in this colour.
  void SetTextColor(TColor color);
  // Draws the text into rect (device units) of dc, from its start, clipped
  // to the rectangle. Where the system cannot format into a DC (Wine), the
  // control is sized to the rectangle and paints itself there, on Color.
  void FormatInto(HDC dc, const RECT& rect);
  // Makes the control report the size its content needs now (RequestResize).
  void RequestSize();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // EN_REQUESTRESIZE: the rectangle the content asked for (client pixels).
  virtual void RequestResize(const RECT& requested) {}
  // EN_SELCHANGE: the selection or the caret moved.
  virtual void SelectionChanged() {}

private:
  bool FReadOnly = false, FWordWrap = true;
  std::string FRTF;  // the RTF until the window exists
};
