// Arrays and dictionaries. A container owns its direct items; an indirect object added
// to it is held as a reference (a TPdfVirtualObject) and stays owned by the registry.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/objects/PdfObject.h"

class TPdfObjectMgr;

class TPdfArray : public TPdfObject {
 public:
  explicit TPdfArray(TPdfObjectMgr* objectMgr = nullptr) : ObjectMgr(objectMgr) {}
  static std::unique_ptr<TPdfArray> FromIntegers(TPdfObjectMgr* mgr, std::initializer_list<int64_t> values);
  static std::unique_ptr<TPdfArray> FromWords(TPdfObjectMgr* mgr, const uint16_t* words, size_t count);
  static std::unique_ptr<TPdfArray> FromNames(TPdfObjectMgr* mgr, std::initializer_list<std::string_view> names);
  static std::unique_ptr<TPdfArray> FromReals(TPdfObjectMgr* mgr, std::initializer_list<double> values);

  // Appends the object and returns its index. The very object already an item: its index,
  // nothing added. An indirect object: a reference to it. A direct object passes into
  // the array's ownership.
  int AddItem(TPdfObject* object);
  // An object handed over with its ownership cannot be an item yet: appended at once.
  template <class T>
  int AddItem(std::unique_ptr<T> object) {
    if (object == nullptr) return AddItem(static_cast<TPdfObject*>(nullptr));
    return Append(object.release());
  }
  // The first item that is a name equal to `name` (byte-exact), or null.
  TPdfName* FindName(std::string_view name) const;
  // Removes (and frees) that item; false when absent.
  bool RemoveName(std::string_view name);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  TPdfObject* Item(int index) const { return items_.at(static_cast<size_t>(index)).get(); }

  void WriteDirectTo(TPdfWrite& w) const override;

  TPdfObjectMgr* ObjectMgr;

 private:
  // Appends without looking for the object among the items.
  int Append(TPdfObject* object);

  std::vector<std::unique_ptr<TPdfObject>> items_;
};

struct TPdfDictionaryElement {
  std::string Key;
  std::unique_ptr<TPdfObject> Value;
  // Kept for the engine, never written to the file.
  bool IsInternal = false;
};

class TPdfDictionary : public TPdfObject {
 public:
  explicit TPdfDictionary(TPdfObjectMgr* objectMgr = nullptr) : ObjectMgr(objectMgr) {}

  // Replaces an element of the same key, then appends the value (a direct value passes
  // into the dictionary's ownership, an indirect one is referenced). A null value raises
  // EPdfInvalidValue "TPdfDictionaryElement". Returns the value.
  TPdfObject* AddItem(std::string_view key, TPdfObject* value, bool internal = false);
  template <class T>
  T* AddItem(std::string_view key, std::unique_ptr<T> value, bool internal = false) {
    T* raw = value.get();
    AddItem(key, static_cast<TPdfObject*>(value.release()), internal);
    return raw;
  }
  // The value of the key; a reference resolves to the registered object (null without a
  // registry). Null for a missing key.
  TPdfObject* ValueByName(std::string_view key) const;
  template <class T>
  T* ValueAs(std::string_view key) const {
    return dynamic_cast<T*>(ValueByName(key));
  }
  void RemoveItem(std::string_view key);
  // The text of the "Type" value, or empty.
  std::string TypeOf() const;
  const std::vector<TPdfDictionaryElement>& Elements() const { return elements_; }

  void WriteDirectTo(TPdfWrite& w) const override;

  TPdfObjectMgr* ObjectMgr;

 private:
  std::vector<TPdfDictionaryElement> elements_;
};
