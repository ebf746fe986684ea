// TLayeredForm: the layered-window style and attributes of the owning form.
#include "LayeredForm.h"

#include "WinGraphics.h"

namespace {
TForm* OwningForm(TComponent* owner) {
  auto* form = dynamic_cast<TForm*>(owner);
  if (!form) throw ELayeredFormError("Control parent must be a form!");
  return form;
}

// Looked up at every call: systems without layered windows lack the entry
// point, and then there is nothing to do.
bool SetLayeredAttributes(HWND wnd, COLORREF key, BYTE alpha, DWORD flags) {
  using TSetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  HMODULE user = GetModuleHandleA("USER32.DLL");
  if (!user) return true;
  auto set = reinterpret_cast<TSetLayered>(
      reinterpret_cast<void*>(GetProcAddress(user, "SetLayeredWindowAttributes")));
  if (!set) return true;
  return set(wnd, key, alpha, flags) != FALSE;
}
}  // namespace

TLayeredForm::TLayeredForm(TComponent* owner) : TComponent(owner), FForm(OwningForm(owner)) {
  int count = 0;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (dynamic_cast<TLayeredForm*>(owner->Components(i))) ++count;
  if (count > 1) throw ELayeredFormError("Only one instance of TLayeredForm allowed on form");
  FAlpha = 255;
}

void TLayeredForm::Loaded() {
  TComponent::Loaded();
  FClientRect = RECT{0, 0, FForm->ClientWidth(), FForm->ClientHeight()};
  UpdateForm();
}

void TLayeredForm::SetAlpha(uint8_t value) {
  FAlpha = value;
  if (FLayerType == ltAlphaBlend) UpdateForm();
}

void TLayeredForm::SetColorKey(TColor value) {
  FColorKey = value;
  if (FLayerType == ltColorKey) UpdateForm();
}

void TLayeredForm::SetLayerType(TLayerType value) {
  if (value == FLayerType) return;
  FLayerType = value;
  UpdateForm();
}

void TLayeredForm::UpdateForm() {
  HWND wnd = FForm->Handle();
  LONG_PTR style = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
  if (FLayerType == ltNone) {
    SetWindowLongPtrA(wnd, GWL_EXSTYLE, style & ~LONG_PTR(WS_EX_LAYERED));
    return;
  }
  SetWindowLongPtrA(wnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
  // A failing call leaves the window as it was; nothing to report.
  SetLayeredAttributes(wnd, ColorToRGB(FColorKey), FAlpha, FLayerType == ltAlphaBlend ? LWA_ALPHA : LWA_COLORKEY);
}
