#include "html/foundation/shared/IdObjects.h"

#include <iterator>
#include <set>

#include "html/foundation/globals/TextHelpers.h"

void TIDObjectList::Register(const String& id, TIDObject* object) {
  const String key = LowerCaseText(id);
  auto it = items_.find(key);
  if (it != items_.end()) {
    TIDObject* old = it->second;
    items_.erase(it);
    Forget(old);
    if (old && old != object && old->FreedByList()) delete old;
  }
  items_.emplace(key, object);
  ++idCounts_[object];
}

void TIDObjectList::Forget(const TIDObject* object) {
  auto it = idCounts_.find(object);
  if (it != idCounts_.end() && --it->second == 0) idCounts_.erase(it);
}

void TIDObjectList::Clear() {
  // The objects may remove themselves from this list as they go: take the entries out first.
  std::map<String, TIDObject*> items;
  items.swap(items_);
  idCounts_.clear();
  std::set<TIDObject*> owned;  // an object filed under two ids is freed once
  for (auto& [key, object] : items)
    if (object && object->FreedByList()) owned.insert(object);
  for (TIDObject* object : owned) delete object;
}

void TIDObjectList::Remove(const String& id) {
  auto it = items_.find(LowerCaseText(id));
  if (it == items_.end()) return;
  TIDObject* object = it->second;
  items_.erase(it);
  Forget(object);
  if (object && object->FreedByList()) delete object;
}

void TIDObjectList::RemoveObject(const TIDObject* object) {
  if (!idCounts_.erase(object)) return;
  std::erase_if(items_, [object](const auto& entry) { return entry.second == object; });
}

TIDObject* TIDObjectList::Find(const String& id) const {
  auto it = items_.find(LowerCaseText(id));
  return it == items_.end() ? nullptr : it->second;
}

TIDObject* TIDObjectList::ObjectAt(int index) const { return std::next(items_.begin(), index)->second; }
