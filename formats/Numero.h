// TNumero: a non-visual component holding one 64-bit integer; the main
// window keeps the state of its timer in two of them.
#pragma once
#include <cstdint>
#include <string>

#include "Classes.h"

class TNumero : public TComponent {
public:
  explicit TNumero(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TNumero"; }
  int64_t Numero = 0;
};
