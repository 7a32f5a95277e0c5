// TComponent: a named object with an owner. An owner frees the components it owns when it
// is freed; a component freed first leaves its owner's list.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"

class TComponent {
 public:
  explicit TComponent(TComponent* AOwner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const String& Name() const { return name_; }
  void SetName(const String& value) { name_ = value; }
  TComponent* Owner() const { return owner_; }
  int Tag() const { return tag_; }
  void SetTag(int value) { tag_ = value; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  // The owned component of that name (exact comparison), or nullptr.
  TComponent* FindComponent(const String& name) const;

 protected:
  // Frees the owned components now; a derived destructor calls it while its own parts
  // still exist, so that owned components may refer to them as they go.
  void DestroyComponents();

 private:
  void RemoveComponent(TComponent* c);

  String name_;
  TComponent* owner_;
  int tag_ = 0;
  std::vector<TComponent*> components_;
};
