// TGradientCaption: paints the caption bar of the dialog form that owns it
// as a left-to-right colour gradient with the icon, the caption buttons and
// up to three texts (company, application name, the window's own caption).
#pragma once
#include <array>
#include <functional>
#include <string>

#include "DialogForm.h"
#include "Graphics.h"

// The owner of a caption bar is not a dialog form.
class EInvalidCast : public Exception { using Exception::Exception; };

enum TGradEnabled { geAlways, geNever, geWhenActive, geSmart };
enum TJustification { jAuto, jLeft, jCenter, jRight };
enum TFontKind { fkCustom, fkSystem, fkSystemI, fkSystemB, fkSystemBI, fkAutoHeight };

class TGradientCaption;

// A text part of the caption. The caption part (TCaptionText) takes its
// text from the form.
class TCompanyText : public TPersistent {
public:
  explicit TCompanyText(TGradientCaption& owner) : FOwner(owner) {}
  std::string ClassName() const override { return "TCompanyText"; }
  virtual std::string Caption() const { return FCaption; }
  virtual void SetCaption(const std::string& caption);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  TColor ColorActive = clCaptionText;
  TColor ColorInactive = clInactiveCaptionText;
  // The part's own font, used with fkCustom and fkAutoHeight; setting it
  // switches the kind to fkCustom.
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);
  TFontKind FontKind = fkSystem;

protected:
  TGradientCaption& FOwner;  // not owned

private:
  std::string FCaption;
  TFont FFont;
  bool FVisible = true;
};

class TAppNameText : public TCompanyText {
public:
  using TCompanyText::TCompanyText;
  std::string ClassName() const override { return "TAppNameText"; }
};

class TCaptionText : public TCompanyText {
public:
  using TCompanyText::TCompanyText;
  std::string ClassName() const override { return "TCaptionText"; }
  // The form's caption less the company and application texts before it.
  std::string Caption() const override;
  void SetCaption(const std::string& caption) override;
};

using TDrawCaptionEvent = std::function<void(TComponent* sender, TCanvas& canvas, const RECT& rect)>;

class TGradientCaption : public TComponent, private TFormHook {
public:
  // owner must be a dialog form (EInvalidCast otherwise).
  explicit TGradientCaption(TComponent* owner);
  // Gives the form its plain caption back, unless the form itself goes.
  ~TGradientCaption() override;
  std::string ClassName() const override { return "TGradientCaption"; }

  TAppNameText AppNameText{*this};
  TCaptionText CaptionText{*this};
  TCompanyText CompanyText{*this};

  TColor ColorLeftActive = clBlack, ColorLeftInActive = clBlack;
  TColor ColorRightActive = clActiveCaption, ColorRightInActive = clInactiveCaption;
  TGradEnabled Enabled = geSmart;
  TJustification Justification = jAuto;
  int NumColors() const { return FNumColors; }
  // Above 256 gives 256; below 1 is refused (the value stays).
  void SetNumColors(int n);
  TDrawCaptionEvent OnDrawCaption;

  // Makes the form's frame repaint.
  void RepaintCaption();
  // Composes the form's caption from the visible parts around the caption part.
  void UpdateFormCaption(const std::string& captionPart);
  TDialogForm& Form() const { return FForm; }

  // Paints bands of the gradient from left to right over rect.
  static void PaintGradient(HDC dc, const RECT& rect, TColor left, TColor right, int numColors);
  // The bar drawn onto dc at caption (the form's window coordinates);
  // nothing for a caption of no width or height.
  void DrawCaptionBar(HDC dc, const RECT& caption);
  // The caption bar in the form's window coordinates.
  RECT CaptionRect() const;
  // Which of company, application and caption (bits 1, 2, 4) are drawn,
  // given each visible part's width and the room there is: all when they
  // fit, else application and caption, else only the caption.
  static unsigned PartsThatFit(const std::array<int, 3>& widths, unsigned visible, int room);
  // The caption part of a window caption: the company and the application
  // texts (when visible and found) cut off with everything before them and
  // one blank after each.
  static std::string StripCaptionParts(std::string caption, const std::string& company, bool companyVisible,
                                       const std::string& app, bool appVisible);

private:
  bool FormMessage(TForm& form, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool Active() const;
  void PaintCaption();
  // Takes the buttons' room from text; draws them unless dc is null.
  void DrawButtons(HDC dc, RECT& text) const;
  void DrawTexts(HDC dc, RECT text, bool active);
  TFontHandle PartFont(const TCompanyText& part) const;
  void ReadCaptionFont();

  TDialogForm& FForm;  // not owned: the owner
  int FNumColors = 64;
  int FActive = -1;    // from the last activation message; -1 none yet
  LOGFONTA FCaptionFont{};
  bool FCaptionFontKnown = false;
};
