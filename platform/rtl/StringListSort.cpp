// Sorting of TStringList and the bulk insertion into a sorted list. Both order lines by
// collation sort keys (SortKeys.h), which agree with CompareStrings.
#include <algorithm>
#include <cstdint>
#include <numeric>

#include "platform/rtl/ListErrors.h"
#include "platform/rtl/SortKeys.h"
#include "platform/rtl/StringList.h"

namespace {

// The order of keys[0..count), equal keys in their original order. The first eight key
// bytes, held beside the index, settle most comparisons without touching the key block.
// Keys hold no zero bytes, so zero padding of short keys keeps their order.
std::vector<size_t> StableOrder(size_t count, const TSortKeys& keys) {
  struct Entry {
    std::uint64_t prefix;
    size_t index;
  };
  std::vector<Entry> entries(count);
  for (size_t i = 0; i < count; ++i) {
    const std::string_view key = keys[i];
    std::uint64_t prefix = 0;
    for (size_t b = 0; b < 8; ++b)
      prefix = (prefix << 8) | (b < key.size() ? static_cast<unsigned char>(key[b]) : 0u);
    entries[i] = {prefix, i};
  }
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const std::string_view ka = keys[a.index], kb = keys[b.index];
    const int c = ka.substr(std::min<size_t>(8, ka.size())).compare(kb.substr(std::min<size_t>(8, kb.size())));
    return c != 0 ? c < 0 : a.index < b.index;
  });
  std::vector<size_t> order(count);
  for (size_t i = 0; i < count; ++i) order[i] = entries[i].index;
  return order;
}

std::vector<TStringItem> Permuted(std::vector<TStringItem>& items, const std::vector<size_t>& order) {
  std::vector<TStringItem> out;
  out.reserve(order.size());
  for (size_t i : order) out.push_back(std::move(items[i]));
  return out;
}

}  // namespace

void TStringList::Sort() {
  if (sorted_ || items_.size() < 2) return;
  Changing();
  std::vector<const String*> texts;
  texts.reserve(items_.size());
  for (const auto& item : items_) texts.push_back(&item.text);
  const TSortKeys keys(texts, caseSensitive_);
  items_ = Permuted(items_, StableOrder(items_.size(), keys));
  Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (sorted_ || items_.size() < 2) return;
  Changing();
  std::vector<size_t> order(items_.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return compare(*this, static_cast<int>(a), static_cast<int>(b)) < 0;
  });
  items_ = Permuted(items_, order);
  Changed();
}

// Adds many lines to a sorted list with the same result as adding them one by one, in
// O((m + n) log m) instead of O(m * n). A few lines into a long list go one by one.
void TStringList::MergeSorted(std::vector<TStringItem>&& items) {
  const size_t m = items.size();
  const size_t n = items_.size();
  if (m * 16 < n) {
    for (auto& item : items) AddItem(std::move(item));
    return;
  }
  // Keys of the new lines first, then of the lines already there (in sorted order).
  std::vector<const String*> texts;
  texts.reserve(m + n);
  for (const auto& item : items) texts.push_back(&item.text);
  for (const auto& item : items_) texts.push_back(&item.text);
  const TSortKeys keys(texts, caseSensitive_);
  const std::vector<size_t> order = StableOrder(m, keys);
  auto inList = [&](std::string_view key) {
    size_t low = 0, high = n;
    while (low < high) {
      const size_t mid = low + (high - low) / 2;
      if (keys[m + mid] < key)
        low = mid + 1;
      else
        high = mid;
    }
    return low < n && keys[m + low] == key;
  };

  std::vector<size_t> keep;
  keep.reserve(m);
  size_t firstDuplicate = m;  // lowest input position of a line that is a duplicate
  for (size_t runStart = 0; runStart < m;) {
    size_t runEnd = runStart + 1;
    while (runEnd < m && keys[order[runEnd]] == keys[order[runStart]]) ++runEnd;
    if (Duplicates == dupAccept) {
      // One by one, each line goes before the equal ones already there.
      for (size_t k = runEnd; k > runStart; --k) keep.push_back(order[k - 1]);
    } else {
      const bool there = inList(keys[order[runStart]]);
      if (!there) keep.push_back(order[runStart]);
      for (size_t k = there ? runStart : runStart + 1; k < runEnd; ++k)
        firstDuplicate = std::min(firstDuplicate, order[k]);
    }
    runStart = runEnd;
  }
  if (Duplicates == dupError && firstDuplicate < m)
    std::erase_if(keep, [&](size_t i) { return i > firstDuplicate; });

  Changing();
  std::vector<TStringItem> merged;
  merged.reserve(n + keep.size());
  size_t old = 0;
  for (size_t i : keep) {
    // Old lines that sort before the new one go first; equal old lines come after it.
    while (old < n && keys[m + old] < keys[i]) merged.push_back(std::move(items_[old++]));
    merged.push_back(std::move(items[i]));
  }
  while (old < n) merged.push_back(std::move(items_[old++]));
  items_ = std::move(merged);
  Changed();
  if (Duplicates == dupError && firstDuplicate < m) DuplicateStringError();
}
