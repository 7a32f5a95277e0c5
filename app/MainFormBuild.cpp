#include "app/MainFormBuild.h"

namespace mainform {

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const char16_t* name, const String& caption) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

}  // namespace mainform
