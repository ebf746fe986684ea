// The splash window: a picture that closes itself after 1.5 s or on a click.
#include "Unit6.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(TComponent* owner) : TForm(owner) {
  Form6 = this;
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  Position = poScreenCenter;
  SetCaption("Brannox 2000");
  Color = clBlack;
  SetBounds(0, 0, 300, 249);
  Image1 = new TImage(this);
  Image1->Align = alClient;
  Image1->Stretch = true;
  LoadBitmapResource(Image1->Picture().Bitmap(), "SPLASH");
  Image1->OnClick = [this](TComponent* s) { Image1Click(s); };
  Image1->SetParent(this);
  Timer1 = new TTimer(this);
  Timer1->SetInterval(1500);
  Timer1->OnTimer = [this](TComponent* s) { Timer1Timer(s); };
}

TForm6::~TForm6() {
  if (Form6 == this) Form6 = nullptr;
}

void TForm6::Timer1Timer(TComponent*) {
  Timer1->SetEnabled(false);
  Close();
}

void TForm6::Image1Click(TComponent*) {
  Timer1->SetEnabled(false);
  Close();
}
