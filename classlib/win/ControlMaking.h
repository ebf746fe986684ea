// Making a form's controls in code: each placed on its parent at fixed pixels
// and owned by the form; the captioned kinds in one call each.
#pragma once
#include <string>

#include "ExtCtrls.h"
#include "StaticText.h"
#include "StdCtrls.h"

namespace ctrl {

// A control of class T owned by owner, at (x, y) of parent, w x h pixels.
template <class T>
T* Place(TWinControl* parent, TComponent* owner, int x, int y, int w, int h) {
  auto* c = new T(owner);
  c->SetBounds(x, y, w, h);
  c->SetParent(parent);
  return c;
}

inline TCheckBox* Check(TWinControl* parent, TComponent* owner, int x, int y, int w, const std::string& caption,
                        const std::string& hint = "") {
  auto* c = Place<TCheckBox>(parent, owner, x, y, w, 18);
  c->SetCaption(caption);
  c->Hint = hint;
  return c;
}

inline TStaticText* Text(TWinControl* parent, TComponent* owner, int x, int y, int w, const std::string& caption) {
  auto* t = Place<TStaticText>(parent, owner, x, y, w, 16);
  t->SetCaption(caption);
  return t;
}

inline TLabel* Label(TWinControl* parent, TComponent* owner, int x, int y, int w, const std::string& caption) {
  auto* l = Place<TLabel>(parent, owner, x, y, w, 16);
  l->SetCaption(caption);
  return l;
}

inline TButton* Button(TWinControl* parent, TComponent* owner, int x, int y, int w, const std::string& caption,
                       const std::string& hint = "", int h = 24) {
  auto* b = Place<TButton>(parent, owner, x, y, w, h);
  b->SetCaption(caption);
  b->Hint = hint;
  return b;
}

}  // namespace ctrl
