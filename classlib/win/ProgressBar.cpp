// TProgressBar.
#include "ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

void TProgressBar::CreateParams(TCreateParams& p) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  UseSystemClass(p, PROGRESS_CLASSA);
}

void TProgressBar::CreateHandle() {
  TStdControl::CreateHandle();
  SendMessageA(FHandle, PBM_SETRANGE32, WPARAM(FMin), LPARAM(FMax));
  SendMessageA(FHandle, PBM_SETPOS, WPARAM(FPosition), 0);
}

void TProgressBar::SetRange(int min, int max) {
  FMin = min;
  FMax = std::max(min, max);
  FPosition = std::clamp(FPosition, FMin, FMax);
  if (FHandle) {
    SendMessageA(FHandle, PBM_SETRANGE32, WPARAM(FMin), LPARAM(FMax));
    SendMessageA(FHandle, PBM_SETPOS, WPARAM(FPosition), 0);
  }
}

void TProgressBar::SetPosition(int position) {
  FPosition = std::clamp(position, FMin, FMax);
  if (FHandle) SendMessageA(FHandle, PBM_SETPOS, WPARAM(FPosition), 0);
}
