// The "Select preview image" dialog (TPreviewImageDialog): the picture and transparent
// colour that the skin package shows in the launcher's skin chooser. Every
// change goes straight into the main window's project.
#pragma once
#include "EditorWindow.h"

class TPreviewImageDialog : public TForm {
public:
  TPreviewImageDialog(TComponent* owner, TEditorWindow& main);
  std::string ClassName() const override { return "TPreviewImageDialog"; }

  void OpenButtonClick(TComponent* sender);
  void ClearButtonClick(TComponent* sender);
  void TransparentColorSwatchMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PictureImageMouseMove(TComponent* sender, TShiftState shift, int x, int y);

  TPanel* ToolBarPanel;
  TButton *OpenButton, *ClearButton;
  TShape* TransparentColorSwatch;
  TToggleButton* ColorSelectorButton;
  TScrollBox* PictureBox;
  TImage* PictureImage;

  // Shows a picture at its own size (an empty one clears the image).
  void ShowPicture(const TPicture& picture);

protected:
  void Resize() override;

private:
  TEditorWindow& FEditor;  // not owned
};

// The "Select preview image" button: the dialog over the main window, modal.
void ShowPreviewImageDialog(TEditorWindow& main);
