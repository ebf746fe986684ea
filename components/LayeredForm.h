// TLayeredForm: makes the form that owns it a layered window, translucent with
// a constant alpha or with one colour keyed out.
#pragma once
#include <cstdint>
#include <string>

#include "Forms.h"

class ELayeredFormError : public Exception { using Exception::Exception; };

enum TLayerType { ltNone, ltAlphaBlend, ltColorKey };

class TLayeredForm : public TComponent {
public:
  // owner must be a form holding no other TLayeredForm.
  explicit TLayeredForm(TComponent* owner);
  std::string ClassName() const override { return "TLayeredForm"; }
  void Loaded() override;

  uint8_t Alpha() const { return FAlpha; }
  void SetAlpha(uint8_t value);
  TColor ColorKey() const { return FColorKey; }
  void SetColorKey(TColor value);
  TLayerType LayerType() const { return FLayerType; }
  void SetLayerType(TLayerType value);

private:
  void UpdateForm();
  TForm* FForm;  // not owned: the owner
  RECT FClientRect{};
  uint8_t FAlpha = 255;
  TColor FColorKey = clBlack;
  TLayerType FLayerType = ltNone;
};
