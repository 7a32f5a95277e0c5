#include "html/document/inline/BreakChars.h"

bool IsBreakCharAt(const String& text, int i) {
  if (i < 0 || i >= static_cast<int>(text.size())) return false;
  const Char c = text[i];
  switch (c) {
    case FormControlChar: case ObjectChar: case ForcedBreakChar: case u' ': case u'-': case u'/': case u'?':
      return true;
    default:
      return c > 0x2FFF && !IsPairHead(text, i);
  }
}

bool BreaksBeforeAt(const String& text, int i) {
  if (i < 0 || i >= static_cast<int>(text.size())) return false;
  return text[i] > 0x2FFF && !IsPairTail(text, i);
}
