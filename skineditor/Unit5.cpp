// The "Select preview image" dialog.
//
// Departures from the original dialog: a colour picked past the picture's
// edge is ignored; a stored picture that cannot be read is reported and the
// dialog opens empty, keeping the stored path.
#include "Unit5.h"

#include <algorithm>

#include "FileUtils.h"

namespace {
constexpr int kBarHeight = 33;
}

TForm5::TForm5(TComponent* owner, TForm1& main) : TForm(owner), FMain(main) {
  SetCaption("Select preview image");
  Position = poScreenCenter;
  ShowHint = true;
  SetBounds(0, 0, 494, 406);
  Panel1 = new TPanel(this);
  Panel1->SetParent(this);
  SpeedButton1 = new TButton(this);
  SpeedButton1->SetCaption("Open");
  SpeedButton1->Hint = "Open preview image";
  SpeedButton1->SetBounds(4, 4, 50, 25);
  SpeedButton1->SetParent(Panel1);
  SpeedButton1->OnClick = [this](TComponent* s) { SpeedButton1Click(s); };
  SpeedButton2 = new TButton(this);
  SpeedButton2->SetCaption("Clear");
  SpeedButton2->Hint = "Clear";
  SpeedButton2->SetBounds(56, 4, 50, 25);
  SpeedButton2->SetParent(Panel1);
  SpeedButton2->OnClick = [this](TComponent* s) { SpeedButton2Click(s); };
  auto* label = new TLabel(this);
  label->SetCaption("Transparentcolor:");
  label->SetBounds(116, 9, 96, 16);
  label->SetParent(Panel1);
  S1 = new TShape(this);
  S1->SetBounds(214, 6, 24, 20);
  S1->SetParent(Panel1);
  S1->OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) { S1MouseDown(s, b, sh, x, y); };
  Sa1 = new TToggleButton(this);
  Sa1->SetCaption("Color selector");
  Sa1->SetBounds(244, 4, 100, 25);
  Sa1->SetParent(Panel1);
  ScrollBox1 = new TScrollBox(this);
  ScrollBox1->SetParent(this);
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 0, 0);
  Image1->SetParent(ScrollBox1);
  Image1->OnMouseMove = [this](TComponent* s, TShiftState sh, int x, int y) { Image1MouseMove(s, sh, x, y); };
  Resize();
}

void TForm5::Resize() {
  Panel1->SetBounds(0, 0, ClientWidth(), kBarHeight);
  ScrollBox1->SetBounds(0, kBarHeight, ClientWidth(), std::max(0, ClientHeight() - kBarHeight));
  TForm::Resize();
}

void TForm5::ShowPicture(const TPicture& picture) {
  Image1->Picture().Assign(picture);
  Image1->SetBounds(0, 0, picture.Width(), picture.Height());
  Image1->Changed();
  ScrollBox1->UpdateScrollRange();
}

void TForm5::SpeedButton1Click(TComponent*) {
  FMain.O1->FileName.clear();
  if (!FMain.O1->Execute()) return;
  TPicture picture;
  picture.LoadFromFile(FMain.O1->FileName);
  ShowPicture(picture);
  FMain.Project.PreviewImagePath = FMain.O1->FileName;
  FMain.Changed();
}

void TForm5::SpeedButton2Click(TComponent*) {
  ShowPicture(TPicture());
  FMain.Project.PreviewImagePath.clear();
  FMain.Changed();
}

void TForm5::S1MouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  TColor& color = FMain.Project.PreviewTransparentColor;
  if (!FMain.PickColor(S1->BrushColor(), color)) return;
  S1->SetBrushColor(color);
  FMain.Changed();
}

void TForm5::Image1MouseMove(TComponent*, TShiftState shift, int x, int y) {
  TColor c;
  if (!Sa1->Checked() || !OnlyLeftButton(shift) || !PickedColor(*Image1, x, y, c)) return;
  S1->SetBrushColor(c);
  if (FMain.Project.PreviewTransparentColor != c) FMain.Changed();
  FMain.Project.PreviewTransparentColor = c;
}

void ShowPreviewImageDialog(TForm1& main) {
  TForm5 form(nullptr, main);
  form.S1->SetBrushColor(main.Project.PreviewTransparentColor);
  const std::string& path = main.Project.PreviewImagePath;
  if (!path.empty() && FileExists(path)) {
    try {
      TPicture picture;
      picture.LoadFromFile(path);
      form.ShowPicture(picture);
    } catch (const std::exception& e) {
      Application().HandleException(e);
    }
  }
  form.ShowModal();
}
