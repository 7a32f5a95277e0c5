// Sorting of TStringList and the bulk insertion into a sorted list.
#include <algorithm>
#include <numeric>

#include "platform/rtl/ListErrors.h"
#include "platform/rtl/StringList.h"

void TStringList::Sort() {
  if (sorted_ || items_.size() < 2) return;
  Changing();
  std::stable_sort(items_.begin(), items_.end(), [this](const TStringItem& a, const TStringItem& b) {
    return CompareStrings(a.text, b.text) < 0;
  });
  Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (sorted_ || items_.size() < 2) return;
  Changing();
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<TStringItem> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
  items_ = std::move(sorted);
  Changed();
}

// Adds many lines to a sorted list with the same result as adding them one by one, in
// O(m log m + n) instead of O(m * n): the new lines are sorted by themselves, then merged.
void TStringList::MergeSorted(std::vector<TStringItem>&& items) {
  const size_t m = items.size();
  std::vector<size_t> order(m);
  std::iota(order.begin(), order.end(), size_t{0});
  auto less = [&](size_t a, size_t b) { return CompareStrings(items[a].text, items[b].text) < 0; };
  std::stable_sort(order.begin(), order.end(), less);

  // Runs of equal new lines.
  std::vector<size_t> keep;
  keep.reserve(m);
  size_t firstDuplicate = m;  // lowest input position of a line that is a duplicate
  for (size_t runStart = 0; runStart < m;) {
    size_t runEnd = runStart + 1;
    while (runEnd < m && !less(order[runStart], order[runEnd])) ++runEnd;
    if (Duplicates == dupAccept) {
      // One by one, each line goes before the equal ones already there.
      for (size_t k = runEnd; k > runStart; --k) keep.push_back(order[k - 1]);
    } else {
      int at = 0;
      const bool inList = Find(items[order[runStart]].text, at);
      const size_t first = inList ? runStart : runStart + 1;
      if (!inList) keep.push_back(order[runStart]);
      for (size_t k = first; k < runEnd; ++k) firstDuplicate = std::min(firstDuplicate, order[k]);
    }
    runStart = runEnd;
  }
  if (Duplicates == dupError && firstDuplicate < m)
    std::erase_if(keep, [&](size_t i) { return i > firstDuplicate; });

  Changing();
  std::vector<TStringItem> merged;
  merged.reserve(items_.size() + keep.size());
  auto old = items_.begin();
  for (size_t i : keep) {
    TStringItem& item = items[i];
    // Old lines that sort before the new one go first; equal old lines come after it.
    while (old != items_.end() && CompareStrings(old->text, item.text) < 0) merged.push_back(std::move(*old++));
    merged.push_back(std::move(item));
  }
  std::move(old, items_.end(), std::back_inserter(merged));
  items_ = std::move(merged);
  Changed();
  if (Duplicates == dupError && firstDuplicate < m) DuplicateStringError();
}
