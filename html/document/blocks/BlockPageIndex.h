// What a block of a printing copy keeps to find, for each page, the part of its draw list
// that can paint on the page or change its paging (see BlockPageIndex.cpp).
#pragma once

#include <cstdint>
#include <vector>

#include "html/document/blocks/Block.h"

struct TBlock::TPageIndex {
  int32_t Pass = -1;  // the document layout the rows below come from
  // Per draw-list entry, in document Y: the lowest bottom among the entries that keep to rows
  // of their own, up to this one (never decreasing), and the highest top among them from this
  // one to the end (never decreasing either).
  std::vector<int64_t> ReachDown, ReachUp;
  // Per entry (and one past the end): the first entry at or after it that may paint or page
  // anywhere, so that every page draws it.
  std::vector<uint32_t> NextUnbounded;
};
