#include "html/foundation/globals/TextHelpers.h"

#include "platform/rtl/StrUtils.h"

void AppendChar(String& s, Char ch) { s += ch; }

void AppendText(String& s, const String& t) {
  if (!t.empty()) s += t;
}

String LowerCaseText(const String& s) { return AnsiLowerCase(s); }
String UpperCaseText(const String& s) { return AnsiUpperCase(s); }
String TrimText(const String& s) { return Trim(s); }

bool TextStartsWith(const String& prefix, const String& s) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool TextEndsWith(const String& suffix, const String& s) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

String TrimLowChars(const String& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] < 33) ++b;
  while (e > b && s[e - 1] < 33) --e;
  return s.substr(b, e - b);
}

const Char* FindWideSubstring(const Char* str, const Char* sub) {
  if (!str || !sub || !*sub) return nullptr;
  for (const Char* p = str; *p; ++p) {
    const Char* a = p;
    const Char* b = sub;
    while (*a && *a == *b) {
      ++a;
      ++b;
    }
    if (!*b) return p;
    if (!*a) return nullptr;  // Str ended first: Sub cannot occur further on
  }
  return nullptr;
}

const Char* FindFirstWideChar(const Char* str, Char ch) {
  if (!str) return nullptr;
  for (const Char* p = str;; ++p) {
    if (*p == ch) return p;
    if (!*p) return nullptr;
  }
}

const Char* FindLastWideChar(const Char* str, Char ch) {
  if (!str) return nullptr;
  const Char* last = nullptr;
  for (const Char* p = str; *p; ++p)
    if (*p == ch) last = p;
  return last;
}

int WideSubstringPos(const String& sub, const String& s) {
  const Char* p = FindWideSubstring(s.c_str(), sub.c_str());
  return p ? static_cast<int>(p - s.c_str()) + 1 : 0;
}

bool WideStringsEqual(const String& a, const String& b) { return a == b; }

std::ptrdiff_t PointerDistance(const void* a, const void* b) {
  return static_cast<const char*>(a) - static_cast<const char*>(b);
}
