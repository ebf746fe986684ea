// Making the dialogs' controls (the Settings and the entry dialog): each placed
// on its parent at fixed pixels and owned by the form.
#pragma once
#include "StaticText.h"
#include "StdCtrls.h"

namespace settings_ui {

template <class T>
T* Place(TWinControl* parent, TComponent* owner, int x, int y, int w, int h) {
  auto* c = new T(owner);
  c->SetBounds(x, y, w, h);
  c->SetParent(parent);
  return c;
}

inline TCheckBox* Check(TWinControl* parent, TComponent* owner, int x, int y, int w, const char* caption,
                        const char* hint = "") {
  auto* c = Place<TCheckBox>(parent, owner, x, y, w, 18);
  c->SetCaption(caption);
  c->Hint = hint;
  return c;
}

inline TStaticText* Text(TWinControl* parent, TComponent* owner, int x, int y, int w, const char* caption) {
  auto* t = Place<TStaticText>(parent, owner, x, y, w, 16);
  t->SetCaption(caption);
  return t;
}

inline TButton* Button(TWinControl* parent, TComponent* owner, int x, int y, int w, const char* caption,
                       const char* hint = "", int h = 24) {
  auto* b = Place<TButton>(parent, owner, x, y, w, h);
  b->SetCaption(caption);
  b->Hint = hint;
  return b;
}

}  // namespace settings_ui
