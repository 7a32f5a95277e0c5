#include "pdf/objects/PdfContainers.h"

#include <algorithm>

#include "platform/rtl/Unicode.h"
#include "pdf/objects/PdfExceptions.h"
#include "pdf/objects/PdfWrite.h"
#include "pdf/objects/PdfXref.h"

std::unique_ptr<TPdfArray> TPdfArray::FromIntegers(TPdfObjectMgr* mgr, std::initializer_list<int64_t> values) {
  auto a = std::make_unique<TPdfArray>(mgr);
  for (int64_t v : values) a->AddItem(std::make_unique<TPdfNumber>(v));
  return a;
}

std::unique_ptr<TPdfArray> TPdfArray::FromWords(TPdfObjectMgr* mgr, const uint16_t* words, size_t count) {
  auto a = std::make_unique<TPdfArray>(mgr);
  for (size_t i = 0; i < count; ++i) a->AddItem(std::make_unique<TPdfNumber>(words[i]));
  return a;
}

std::unique_ptr<TPdfArray> TPdfArray::FromNames(TPdfObjectMgr* mgr, std::initializer_list<std::string_view> names) {
  auto a = std::make_unique<TPdfArray>(mgr);
  for (auto n : names) a->AddItem(std::make_unique<TPdfName>(std::string(n)));
  return a;
}

std::unique_ptr<TPdfArray> TPdfArray::FromReals(TPdfObjectMgr* mgr, std::initializer_list<double> values) {
  auto a = std::make_unique<TPdfArray>(mgr);
  for (double v : values) a->AddItem(std::make_unique<TPdfReal>(v));
  return a;
}

int TPdfArray::AddItem(TPdfObject* object) {
  if (object == nullptr) throw EPdfInvalidValue(S("TPdfArray.AddItem"));
  // An indirect object is held as a reference of the array's own, so it is never one of the
  // items: a page list of thousands of pages adds each page without a search.
  if (object->ObjectType() != otIndirectObject)
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i].get() == object) return static_cast<int>(i);
  return Append(object);
}

int TPdfArray::Append(TPdfObject* object) {
  if (object->IsDirect())
    items_.emplace_back(object);
  else
    items_.push_back(std::make_unique<TPdfVirtualObject>(object->ObjectNumber()));
  return static_cast<int>(items_.size()) - 1;
}

TPdfName* TPdfArray::FindName(std::string_view name) const {
  for (const auto& item : items_)
    if (auto* n = dynamic_cast<TPdfName*>(item.get()); n != nullptr && n->Value == name) return n;
  return nullptr;
}

bool TPdfArray::RemoveName(std::string_view name) {
  TPdfName* found = FindName(name);
  if (found == nullptr) return false;
  items_.erase(std::find_if(items_.begin(), items_.end(), [found](const auto& p) { return p.get() == found; }));
  return true;
}

void TPdfArray::WriteDirectTo(TPdfWrite& w) const {
  w.Add('[');
  for (const auto& item : items_) {
    item->WriteTo(w);
    w.Add(' ');
  }
  w.Add(']');
}

TPdfObject* TPdfDictionary::AddItem(std::string_view key, TPdfObject* value, bool internal) {
  if (value == nullptr) throw EPdfInvalidValue(S("TPdfDictionaryElement"));
  for (auto& e : elements_)
    if (e.Key == key && e.Value.get() == value) {
      e.IsInternal = internal;
      return value;
    }
  std::unique_ptr<TPdfObject> held;
  if (value->IsDirect())
    held.reset(value);
  else
    held = std::make_unique<TPdfVirtualObject>(value->ObjectNumber());
  RemoveItem(key);
  elements_.push_back({std::string(key), std::move(held), internal});
  return value;
}

TPdfObject* TPdfDictionary::ValueByName(std::string_view key) const {
  for (const auto& e : elements_) {
    if (e.Key != key) continue;
    if (e.Value->ObjectType() == otVirtualObject)
      return ObjectMgr != nullptr ? ObjectMgr->GetObject(e.Value->ObjectNumber()) : nullptr;
    return e.Value.get();
  }
  return nullptr;
}

void TPdfDictionary::RemoveItem(std::string_view key) {
  auto it = std::find_if(elements_.begin(), elements_.end(), [key](const auto& e) { return e.Key == key; });
  if (it != elements_.end()) elements_.erase(it);
}

std::string TPdfDictionary::TypeOf() const {
  auto* type = dynamic_cast<TPdfText*>(ValueByName("Type"));
  return type != nullptr ? type->Value : std::string();
}

void TPdfDictionary::WriteDirectTo(TPdfWrite& w) const {
  w.Add("<<\n");
  for (const auto& e : elements_) {
    if (e.IsInternal) continue;
    w.Add('/').AddEscapedName(e.Key).Add(' ');
    e.Value->WriteTo(w);
    w.Add('\n');
  }
  w.Add(">>");
}
