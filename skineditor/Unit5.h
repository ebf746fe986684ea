// The "Select preview image" dialog (TForm5): the picture and transparent
// colour that the skin package shows in the launcher's skin chooser. Every
// change goes straight into the main window's project.
#pragma once
#include "Unit1.h"

class TForm5 : public TForm {
public:
  TForm5(TComponent* owner, TForm1& main);
  std::string ClassName() const override { return "TForm5"; }

  void SpeedButton1Click(TComponent* sender);  // open
  void SpeedButton2Click(TComponent* sender);  // clear
  void S1MouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Image1MouseMove(TComponent* sender, TShiftState shift, int x, int y);

  TPanel* Panel1;
  TButton *SpeedButton1, *SpeedButton2;
  TShape* S1;
  TToggleButton* Sa1;
  TScrollBox* ScrollBox1;
  TImage* Image1;

  // Shows a picture at its own size (an empty one clears the image).
  void ShowPicture(const TPicture& picture);

protected:
  void Resize() override;

private:
  TForm1& FMain;  // not owned
};

// The "Select preview image" button: the dialog over the main window, modal.
void ShowPreviewImageDialog(TForm1& main);
