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
  auto it = std::find(FComponents.begin(), FComponents.end(), c);
  if (it == FComponents.end()) return;
  FComponents.erase(it);
  if (!FDestroying) Notification(c, opRemove);
}
