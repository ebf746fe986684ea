// TPersistent and TComponent: assignable objects and the ownership tree.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "SysUtils.h"

class TFiler;
class TComponent;

using TNotifyEvent = std::function<void(TComponent* sender)>;

class EConvertAssign : public Exception { using Exception::Exception; };

class TPersistent {
public:
  virtual ~TPersistent() = default;
  // Copies source's state into this object; raises when the classes do not fit.
  virtual void Assign(const TPersistent& source);
  virtual std::string ClassName() const = 0;
  // Lists the published properties, in their stored order, to a filer
  // (the component stream's writer and reader, Filer.h).
  virtual void DefineProperties(TFiler& filer) {}
};

// The source of an Assign as the target's own class; raises EConvertAssign
// when it is of another class.
template <class T>
const T& AssignSource(const T& self, const TPersistent& source) {
  const auto* s = dynamic_cast<const T*>(&source);
  if (!s) throw EConvertAssign("Cannot assign a " + source.ClassName() + " to a " + self.ClassName());
  return *s;
}

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* owner);
  // Frees every component this one owns, last created first.
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::string ClassName() const override { return "TComponent"; }
  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return (int)FComponents.size(); }
  TComponent* Components(int i) const { return FComponents.at(i); }
  TComponent* FindComponent(const std::string& name) const;

  std::string Name;
  intptr_t Tag = 0;

  // Called once the component's properties have all been set.
  virtual void Loaded() {}

protected:
  // Told when a component owned by this one is inserted or goes away.
  virtual void Notification(TComponent* component, TOperation operation) {}

private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  TComponent* FOwner;                     // not owned
  std::vector<TComponent*> FComponents;   // owned
  bool FDestroying = false;
};
