// TPersistent and TComponent.
#include "Classes.h"

#include <algorithm>

void TPersistent::Assign(const TPersistent& source) {
  throw EConvertAssign("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (FOwner) FOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FDestroying = true;
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    FComponents.pop_back();
    c->FOwner = nullptr;
    Notification(c, opRemove);
    delete c;
  }
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* c : FComponents)
    if (SameText(c->Name, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
  FComponents.push_back(c);
  Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
  // Searched from the end: the components made last (run-time menu items
  // by the thousand) are the ones usually freed.
  auto found = std::find(FComponents.rbegin(), FComponents.rend(), c);
  if (found == FComponents.rend()) return;
  FComponents.erase(std::next(found).base());
  if (!FDestroying) Notification(c, opRemove);
}
