#include "platform/rtl/StrUtils.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>

namespace {

// Maps every code point with f; a mapping that would change the number of UTF-16 units
// keeps the original, so that positions in the result match positions in s.
template <typename F>
String MapCodePoints(const String& s, F f) {
  String out(s);
  const int32_t n = static_cast<int32_t>(s.size());
  for (int32_t i = 0; i < n;) {
    const int32_t start = i;
    UChar32 c;
    U16_NEXT(s.data(), i, n, c);
    const UChar32 m = f(c);
    if (m == c || U16_LENGTH(m) != i - start) continue;
    int32_t j = start;
    U16_APPEND_UNSAFE(out.data(), j, m);
  }
  return out;
}

}  // namespace

int Pos(const String& sub, const String& s) { return PosEx(sub, s, 1); }

int PosEx(const String& sub, const String& s, int offset) {
  if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size()) return 0;
  const size_t at = s.find(sub, static_cast<size_t>(offset) - 1);
  return at == String::npos ? 0 : static_cast<int>(at) + 1;
}

String Copy(const String& s, int index, int count) {
  const size_t start = index < 1 ? 0 : static_cast<size_t>(index) - 1;
  if (count < 1 || start >= s.size()) return String();
  return s.substr(start, static_cast<size_t>(count));
}

void Delete(String& s, int index, int count) {
  if (index < 1 || static_cast<size_t>(index) > s.size() || count < 1) return;
  s.erase(static_cast<size_t>(index) - 1, static_cast<size_t>(count));
}

void Insert(const String& source, String& s, int index) {
  const size_t at = index < 1 ? 0 : std::min(static_cast<size_t>(index) - 1, s.size());
  s.insert(at, source);
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags) {
  if (oldPattern.empty()) return s;
  const bool ignoreCase = flags.Contains(rfIgnoreCase);
  const String haystack = ignoreCase ? AnsiUpperCase(s) : String();
  const String needle = ignoreCase ? AnsiUpperCase(oldPattern) : String();
  const String& searchIn = ignoreCase ? haystack : s;
  const String& searchFor = ignoreCase ? needle : oldPattern;

  String result;
  size_t from = 0;
  for (;;) {
    const size_t at = searchIn.find(searchFor, from);
    if (at == String::npos) break;
    result.append(s, from, at - from);
    result.append(newPattern);
    from = at + searchFor.size();
    if (!flags.Contains(rfReplaceAll)) break;
  }
  result.append(s, from, String::npos);
  return result;
}

String Trim(const String& s) { return TrimLeft(TrimRight(s)); }

String TrimLeft(const String& s) {
  size_t i = 0;
  while (i < s.size() && s[i] <= u' ') ++i;
  return s.substr(i);
}

String TrimRight(const String& s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] <= u' ') --n;
  return s.substr(0, n);
}

String UpperCase(const String& s) {
  String out(s);
  for (Char& c : out)
    if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - 32);
  return out;
}

String LowerCase(const String& s) {
  String out(s);
  for (Char& c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + 32);
  return out;
}

String AnsiUpperCase(const String& s) { return MapCodePoints(s, [](UChar32 c) { return u_toupper(c); }); }

String AnsiLowerCase(const String& s) { return MapCodePoints(s, [](UChar32 c) { return u_tolower(c); }); }
