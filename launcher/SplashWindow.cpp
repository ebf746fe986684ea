// The splash window: a picture that closes itself after 1.5 s or on a click.
#include "SplashWindow.h"

TSplashWindow* SplashWindow = nullptr;

TSplashWindow::TSplashWindow(TComponent* owner) : TForm(owner) {
  SplashWindow = this;
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  Position = poScreenCenter;
  SetCaption("Brannox 2000");
  Color = clBlack;
  SetBounds(0, 0, 300, 249);
  SplashImage = new TImage(this);
  SplashImage->Align = alClient;
  SplashImage->Stretch = true;
  LoadBitmapResource(SplashImage->Picture().Bitmap(), "SPLASH");
  SplashImage->OnClick = [this](TComponent* s) { SplashImageClick(s); };
  SplashImage->SetParent(this);
  CloseTimer = new TTimer(this);
  CloseTimer->SetInterval(1500);
  CloseTimer->OnTimer = [this](TComponent* s) { CloseTimerTimer(s); };
}

TSplashWindow::~TSplashWindow() {
  if (SplashWindow == this) SplashWindow = nullptr;
}

void TSplashWindow::CloseTimerTimer(TComponent*) {
  CloseTimer->SetEnabled(false);
  Close();
}

void TSplashWindow::SplashImageClick(TComponent*) {
  CloseTimer->SetEnabled(false);
  Close();
}
