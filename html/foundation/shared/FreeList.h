// A list of pointers that frees its items when they are deleted, cleared or the list goes,
// when it owns them.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <vector>

template <class T>
class TFreeList {
 public:
  explicit TFreeList(bool ownsItems) : OwnsItems(ownsItems) {}
  virtual ~TFreeList() { Clear(); }
  TFreeList(const TFreeList&) = delete;
  TFreeList& operator=(const TFreeList&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  T* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  int Add(T* item) {
    items_.push_back(item);
    return Count() - 1;
  }
  // Puts the item before the one at index (at the end for index Count()).
  void Insert(int index, T* item) {
    if (index < 0 || index > Count()) throw std::out_of_range("TFreeList::Insert");
    items_.insert(items_.begin() + index, item);
  }
  // The first position of the item, or -1.
  int IndexOf(const T* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i] == item) return static_cast<int>(i);
    return -1;
  }
  void Delete(int index) {
    T* item = items_.at(static_cast<size_t>(index));
    items_.erase(items_.begin() + index);
    if (OwnsItems) delete item;
  }
  // Deletes the first occurrence of the item (freeing it when the list owns it); answers
  // its former index, or -1 when the item was not in the list.
  int Remove(T* item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
  }
  // Takes the first occurrence of the item out of the list without freeing it; answers the
  // item, or nullptr when it was not there.
  T* Extract(T* item) {
    const int index = IndexOf(item);
    if (index < 0) return nullptr;
    items_.erase(items_.begin() + index);
    return item;
  }
  // Hands every item of a list that owns them over, in order, and leaves the list empty.
  std::vector<std::unique_ptr<T>> TakeAll() {
    if (!OwnsItems) throw std::logic_error("TFreeList::TakeAll: the list does not own its items");
    std::vector<std::unique_ptr<T>> taken;
    taken.reserve(items_.size());
    for (T* item : items_) taken.emplace_back(item);
    items_.clear();
    return taken;
  }
  virtual void Clear() {
    std::vector<T*> items;
    items.swap(items_);
    if (OwnsItems)
      for (T* item : items) delete item;
  }

  bool OwnsItems;

 private:
  std::vector<T*> items_;
};
