// String comparisons with the platform's semantics.
#pragma once

#include "platform/rtl/Types.h"

// Ordinal, case-sensitive: <0, 0, >0.
int CompareStr(const String& a, const String& b);
// Ordinal after folding ASCII letters to upper case (other characters as they are).
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);

// Case-insensitive comparison in the German collation order (ICU, secondary strength:
// letters compare alphabetically with umlauts beside their base letters, accents count,
// case does not). Equal texts that differ only in case compare 0.
int AnsiCompareText(const String& a, const String& b);
// Case-sensitive comparison in the same collation (tertiary strength).
int AnsiCompareStr(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);
