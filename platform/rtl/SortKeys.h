// Sort keys of the German collation that AnsiCompareText and AnsiCompareStr use: two keys
// compared bytewise (as std::string_view) order like the texts compare, and are equal
// exactly when the texts compare 0. Sorting many lines by their keys avoids running the
// collation once per comparison.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

// The keys of many texts, one block of bytes for all of them.
class TSortKeys {
 public:
  // caseSensitive false: keys of AnsiCompareText; true: keys of AnsiCompareStr.
  TSortKeys(const std::vector<const String*>& texts, bool caseSensitive);
  std::string_view operator[](size_t index) const {
    return std::string_view(bytes_).substr(starts_[index], starts_[index + 1] - starts_[index]);
  }
  size_t size() const { return starts_.size() - 1; }

 private:
  std::string bytes_;
  std::vector<size_t> starts_;
};
