// A list of UTF-8 strings, each with an optional object (not owned), and a change event.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

template <class T>
class TRawUTF8List {
 public:
  std::function<void()> OnChange;

  int AddEntry(std::string_view text, T* object = nullptr) {
    entries_.push_back({std::string(text), object});
    NotifyChange();
    return static_cast<int>(entries_.size()) - 1;
  }
  // An index outside the list does nothing.
  void DeleteEntry(int index) {
    if (index < 0 || index >= EntryCount()) return;
    entries_.erase(entries_.begin() + index);
    NotifyChange();
  }
  // The first index whose string is byte-equal, or -1.
  int IndexOfText(std::string_view text) const {
    for (size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].text == text) return static_cast<int>(i);
    return -1;
  }
  int EntryCount() const { return static_cast<int>(entries_.size()); }
  const std::string& Text(int index) const { return entries_.at(static_cast<size_t>(index)).text; }
  T* Object(int index) const { return entries_.at(static_cast<size_t>(index)).object; }

 private:
  void NotifyChange() {
    if (OnChange) OnChange();
  }
  struct Entry {
    std::string text;
    T* object;
  };
  std::vector<Entry> entries_;
};
