#include "platform/rtl/StringList.h"

#include <algorithm>
#include <string>

#include "platform/rtl/Compare.h"
#include "platform/rtl/ListErrors.h"


void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(*this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(*this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

String TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const String& s) {
  if (sorted_) SortedListError();
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].text = s;
  Changed();
}

void* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, void* object) {
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].object = object;
  Changed();
}

void TStringList::Insert(int index, const String& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const String& s, void* object) {
  if (sorted_) SortedListError();
  if (index < 0 || index > Count()) ListIndexError(index);
  InsertItem(index, {s, object});
}

void TStringList::InsertItem(int index, TStringItem item) {
  Changing();
  items_.insert(items_.begin() + index, std::move(item));
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

int TStringList::Add(const String& s) { return AddItem({s, nullptr}); }

int TStringList::AddObject(const String& s, void* object) { return AddItem({s, object}); }

int TStringList::AddItem(TStringItem item) {
  if (!sorted_) {
    InsertItem(Count(), std::move(item));
    return Count() - 1;
  }
  int index = 0;
  if (Find(item.text, index)) {
    if (Duplicates == dupIgnore) return index;
    if (Duplicates == dupError) DuplicateStringError();
  }
  InsertItem(index, std::move(item));
  return index;
}

void TStringList::AddItems(std::vector<TStringItem>&& items) {
  if (items.empty()) return;
  if (sorted_) {
    MergeSorted(std::move(items));
    return;
  }
  Changing();
  if (items_.empty()) {
    items_ = std::move(items);
  } else {
    items_.reserve(items_.size() + items.size());
    std::move(items.begin(), items.end(), std::back_inserter(items_));
  }
  Changed();
}

void TStringList::Assign(const TStrings& source) {
  const auto* list = dynamic_cast<const TStringList*>(&source);
  if (list == nullptr || list == this) {
    TStrings::Assign(source);
    return;
  }
  TUpdateScope update(*this);
  Clear();
  Delimiter = list->Delimiter;
  QuoteChar = list->QuoteChar;
  NameValueSeparator = list->NameValueSeparator;
  StrictDelimiter = list->StrictDelimiter;
  Duplicates = list->Duplicates;
  caseSensitive_ = list->caseSensitive_;
  sorted_ = list->sorted_;
  items_ = list->items_;
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  if (sorted_) SortedListError();
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  Changing();
  const auto from = items_.begin() + curIndex;
  const auto to = items_.begin() + newIndex;
  if (curIndex < newIndex)
    std::rotate(from, from + 1, to + 1);
  else
    std::rotate(to, from, from + 1);
  Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
  if (a == b) return 0;
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

int TStringList::IndexOf(const String& s) const {
  if (sorted_) {
    int index = 0;
    return Find(s, index) ? index : -1;
  }
  for (size_t i = 0; i < items_.size(); ++i)
    if (CompareStrings(items_[i].text, s) == 0) return static_cast<int>(i);
  return -1;
}

bool TStringList::Find(const String& s, int& index) const {
  bool found = false;
  int low = 0;
  int high = Count() - 1;
  while (low <= high) {
    const int mid = low + (high - low) / 2;
    const int c = CompareStrings(items_[static_cast<size_t>(mid)].text, s);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (Duplicates != dupAccept) low = mid;
      }
    }
  }
  index = low;
  return found;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}
