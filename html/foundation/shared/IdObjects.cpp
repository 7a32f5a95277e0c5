#include "html/foundation/shared/IdObjects.h"

#include <iterator>

#include "html/foundation/globals/TextHelpers.h"

void TIDObjectList::Register(const String& id, TIDObject* object) {
  const String key = LowerCaseText(id);
  auto it = items_.find(key);
  if (it != items_.end()) {
    if (it->second && it->second->FreedByList()) delete it->second;
    items_.erase(it);
  }
  items_.emplace(key, object);
}

void TIDObjectList::Clear() {
  for (auto& [key, object] : items_)
    if (object && object->FreedByList()) delete object;
  items_.clear();
}

TIDObject* TIDObjectList::Find(const String& id) const {
  auto it = items_.find(LowerCaseText(id));
  return it == items_.end() ? nullptr : it->second;
}

TIDObject* TIDObjectList::ObjectAt(int index) const { return std::next(items_.begin(), index)->second; }
