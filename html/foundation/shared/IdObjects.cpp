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
    Forget(old, key);
    if (old && old != object && old->FreedByList()) delete old;
  }
  items_.emplace(key, object);
  keys_[object].push_back(key);
}

void TIDObjectList::Forget(const TIDObject* object, const String& key) {
  auto it = keys_.find(object);
  if (it == keys_.end()) return;
  std::erase(it->second, key);
  if (it->second.empty()) keys_.erase(it);
}

void TIDObjectList::Clear() {
  // The objects may remove themselves from this list as they go: take the entries out first.
  std::map<String, TIDObject*> items;
  items.swap(items_);
  keys_.clear();
  std::set<TIDObject*> owned;  // an object filed under two ids is freed once
  for (auto& [key, object] : items)
    if (object && object->FreedByList()) owned.insert(object);
  for (TIDObject* object : owned) delete object;
}

void TIDObjectList::Remove(const String& id) {
  auto it = items_.find(LowerCaseText(id));
  if (it == items_.end()) return;
  TIDObject* object = it->second;
  Forget(object, it->first);
  items_.erase(it);
  if (object && object->FreedByList()) delete object;
}

void TIDObjectList::RemoveObject(const TIDObject* object) {
  auto it = keys_.find(object);
  if (it == keys_.end()) return;
  for (const String& key : it->second) items_.erase(key);
  keys_.erase(it);
}

TIDObject* TIDObjectList::Find(const String& id) const {
  auto it = items_.find(LowerCaseText(id));
  return it == items_.end() ? nullptr : it->second;
}

TIDObject* TIDObjectList::ObjectAt(int index) const { return std::next(items_.begin(), index)->second; }
