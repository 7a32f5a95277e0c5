// A list of pointers that frees its items when they are deleted, cleared or the list goes,
// when it owns them.
#pragma once

#include <cstddef>
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
  void Delete(int index) {
    T* item = items_.at(static_cast<size_t>(index));
    items_.erase(items_.begin() + index);
    if (OwnsItems) delete item;
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
