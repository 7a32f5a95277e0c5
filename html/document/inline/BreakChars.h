// The characters of a text section that matter for line breaking, and where a line may
// break. A surrogate pair is one character: no break ever falls between its two halves.
#pragma once

#include "platform/rtl/Types.h"

// Placeholders that stand in the text for objects.
constexpr Char FormControlChar = 2;  // a form control
constexpr Char ObjectChar = 4;       // an image or a panel
constexpr Char ForcedBreakChar = 8;  // BR

// Break codes, one per character of the text.
constexpr char BreakYes = 'y';         // a line may break here as usual
constexpr char BreakNo = 'n';          // no break (no-break text, preformatted text)
constexpr char BreakSoftHyphen = 's';  // a soft hyphen stood after this character
constexpr char BreakAfter = 'a';       // a break is allowed after this character (WBR)

inline bool IsHighSurrogate(Char c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(Char c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The unit at i is the first half of a surrogate pair.
inline bool IsPairHead(const String& text, int i) {
  return i >= 0 && i + 1 < static_cast<int>(text.size()) && IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1]);
}
// The unit at i is the second half of a surrogate pair.
inline bool IsPairTail(const String& text, int i) {
  return i > 0 && i < static_cast<int>(text.size()) && IsLowSurrogate(text[i]) && IsHighSurrogate(text[i - 1]);
}
// The number of units of the character that starts at i (2 for a pair).
inline int CharUnitsAt(const String& text, int i) { return IsPairHead(text, i) ? 2 : 1; }
// The start of the character that holds unit i.
inline int CharStartOf(const String& text, int i) { return IsPairTail(text, i) ? i - 1 : i; }
// Index i moved forward off the middle of a pair.
inline int CharBoundaryAtOrAfter(const String& text, int i) { return IsPairTail(text, i) ? i + 1 : i; }

// 2, 4, 8, space, "-", "/", "?" and every character above U+2FFF. The first half of a pair
// is not one: the break goes after the whole pair.
bool IsBreakCharAt(const String& text, int i);
// A character above U+2FFF allows a break before it (never before the second half of a pair).
bool BreaksBeforeAt(const String& text, int i);
// "-", "/" and "?" stay on the line before a break after them.
inline bool StaysBeforeBreak(Char c) { return c == u'-' || c == u'/' || c == u'?'; }
