// Values that stand for "not yet known" in the positions of sections, cells and text.
#pragma once

#include <cstdint>
#include <limits>

// ContentTop of a section that was never laid out: it sorts after every laid-out one.
constexpr int32_t NotLaidOutTop = 999999999;
// The end cursor of an element whose end has not been read yet. No document reaches it:
// cursor positions count characters, and a String cannot hold this many.
constexpr int32_t OpenEndCursor = std::numeric_limits<int32_t>::max();
// The smallest DrawTop of a block cell before its first section is laid out: above any Y.
constexpr int32_t NoDrawTopYet = std::numeric_limits<int32_t>::max();
// The answer of distance searches when nothing follows.
constexpr int32_t NothingFollows = 99999999;

// Bits of the result of UrlAt.
enum : int { UrlAtLink = 1, UrlAtFormControl = 2, UrlAtTitle = 4 };
