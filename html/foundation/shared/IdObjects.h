// Everything an id or anchor name can address, and the document's list of them.
#pragma once

#include <map>
#include <unordered_map>
#include <vector>

#include "platform/rtl/Types.h"

class TIDObject {
 public:
  virtual ~TIDObject() = default;
  // The object's Y position in the document, to scroll to it.
  virtual int AnchorY() const = 0;
  // True when the list owns the object and frees it.
  virtual bool FreedByList() const { return false; }
};

// Ids to objects, compared without regard to case.
class TIDObjectList {
 public:
  TIDObjectList() = default;
  ~TIDObjectList() { Clear(); }
  TIDObjectList(const TIDObjectList&) = delete;
  TIDObjectList& operator=(const TIDObjectList&) = delete;

  // Replaces an entry of the same id; the old object is freed when the list owns it.
  void Register(const String& id, TIDObject* object);
  void Clear();
  // Drops the entry of the id; its object is freed when the list owns it.
  void Remove(const String& id);
  // Drops every entry that refers to the object, without freeing it (its destructor calls
  // this, so that the list never keeps a freed object).
  void RemoveObject(const TIDObject* object);
  int Count() const { return static_cast<int>(items_.size()); }
  TIDObject* Find(const String& id) const;
  TIDObject* ObjectAt(int index) const;

 private:
  // The entry of the key no longer refers to the object.
  void Forget(const TIDObject* object, const String& key);

  std::map<String, TIDObject*> items_;  // keyed by the lower-cased id
  // The keys of each object's entries: an object leaves the list without a search, and one
  // that has none (most sections of a document) at once.
  std::unordered_map<const TIDObject*, std::vector<String>> keys_;
};
