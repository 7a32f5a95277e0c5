// The German collation behind AnsiCompareText (case-insensitive, secondary strength) and
// AnsiCompareStr (case-sensitive, tertiary strength), one per thread.
#pragma once

#include <unicode/coll.h>

icu::Collator& GermanCollator(bool caseSensitive);
