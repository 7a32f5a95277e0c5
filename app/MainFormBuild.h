// Helpers that the construction of the main window's parts shares.
#pragma once

#include "platform/ui/WinControl.h"
#include "platform/ui/menus/Menus.h"

namespace mainform {

// A control owned by owner, placed in parent, with its name and caption (or text).
template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char16_t* name, const String& caption = String()) {
  T* c = new T(owner);
  c->SetName(name);
  c->SetParent(parent);
  if (!caption.empty()) c->SetText(caption);
  return c;
}

// A menu item owned by owner, added below parent.
TMenuItem* Item(TComponent* owner, TMenuItem* parent, const char16_t* name, const String& caption);

}  // namespace mainform
