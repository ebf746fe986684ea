// The "Select preview image" dialog.
//
// Departures from the original dialog: a colour picked past the picture's
// edge is ignored; a stored picture that cannot be read is reported and the
// dialog opens empty, keeping the stored path.
#include "PreviewImageDialog.h"

#include <algorithm>

#include "ControlMaking.h"
#include "FileUtils.h"

using ctrl::Place;

namespace {
constexpr int kBarHeight = 33;
}

TPreviewImageDialog::TPreviewImageDialog(TComponent* owner, TEditorWindow& main) : TForm(owner), FEditor(main) {
  SetCaption("Select preview image");
  Position = poScreenCenter;
  ShowHint = true;
  SetBounds(0, 0, 494, 406);
  ToolBarPanel = new TPanel(this);
  ToolBarPanel->SetParent(this);
  OpenButton = Place<TButton>(ToolBarPanel, this, 4, 4, 50, 25);
  OpenButton->SetCaption("Open");
  OpenButton->Hint = "Open preview image";
  OpenButton->OnClick = [this](TComponent* s) { OpenButtonClick(s); };
  ClearButton = Place<TButton>(ToolBarPanel, this, 56, 4, 50, 25);
  ClearButton->SetCaption("Clear");
  ClearButton->Hint = "Clear";
  ClearButton->OnClick = [this](TComponent* s) { ClearButtonClick(s); };
  auto* label = Place<TLabel>(ToolBarPanel, this, 116, 9, 96, 16);
  label->SetCaption("Transparentcolor:");
  TransparentColorSwatch = Place<TShape>(ToolBarPanel, this, 214, 6, 24, 20);
  TransparentColorSwatch->OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
    TransparentColorSwatchMouseDown(s, b, sh, x, y);
  };
  ColorSelectorButton = Place<TToggleButton>(ToolBarPanel, this, 244, 4, 100, 25);
  ColorSelectorButton->SetCaption("Color selector");
  PictureBox = new TScrollBox(this);
  PictureBox->SetParent(this);
  PictureImage = Place<TImage>(PictureBox, this, 0, 0, 0, 0);
  PictureImage->OnMouseMove = [this](TComponent* s, TShiftState sh, int x, int y) {
    PictureImageMouseMove(s, sh, x, y);
  };
  Resize();
}

void TPreviewImageDialog::Resize() {
  ToolBarPanel->SetBounds(0, 0, ClientWidth(), kBarHeight);
  PictureBox->SetBounds(0, kBarHeight, ClientWidth(), std::max(0, ClientHeight() - kBarHeight));
  TForm::Resize();
}

void TPreviewImageDialog::ShowPicture(const TPicture& picture) {
  PictureImage->Picture().Assign(picture);
  PictureImage->SetBounds(0, 0, picture.Width(), picture.Height());
  PictureImage->Changed();
  PictureBox->UpdateScrollRange();
}

void TPreviewImageDialog::OpenButtonClick(TComponent*) {
  FEditor.OpenPictureDialog->FileName.clear();
  if (!FEditor.OpenPictureDialog->Execute()) return;
  TPicture picture;
  picture.LoadFromFile(FEditor.OpenPictureDialog->FileName);
  ShowPicture(picture);
  FEditor.Project.PreviewImagePath = FEditor.OpenPictureDialog->FileName;
  FEditor.Changed();
}

void TPreviewImageDialog::ClearButtonClick(TComponent*) {
  ShowPicture(TPicture());
  FEditor.Project.PreviewImagePath.clear();
  FEditor.Changed();
}

void TPreviewImageDialog::TransparentColorSwatchMouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  TColor& color = FEditor.Project.PreviewTransparentColor;
  if (!FEditor.PickColor(TransparentColorSwatch->BrushColor(), color)) return;
  TransparentColorSwatch->SetBrushColor(color);
  FEditor.Changed();
}

void TPreviewImageDialog::PictureImageMouseMove(TComponent*, TShiftState shift, int x, int y) {
  TColor c;
  if (!ColorSelectorButton->Checked() || !OnlyLeftButton(shift) || !PickedColor(*PictureImage, x, y, c)) return;
  TransparentColorSwatch->SetBrushColor(c);
  if (FEditor.Project.PreviewTransparentColor != c) FEditor.Changed();
  FEditor.Project.PreviewTransparentColor = c;
}

void ShowPreviewImageDialog(TEditorWindow& main) {
  TPreviewImageDialog form(nullptr, main);
  form.TransparentColorSwatch->SetBrushColor(main.Project.PreviewTransparentColor);
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
