#include "platform/rtl/Compare.h"

#include "platform/rtl/GermanCollation.h"

namespace {

Char FoldAscii(Char c) { return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - 32) : c; }

int Collate(const String& a, const String& b, bool caseSensitive) {
  UErrorCode status = U_ZERO_ERROR;
  auto r = GermanCollator(caseSensitive)
               .compare(a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()), status);
  if (U_FAILURE(status)) return CompareStr(a, b);
  return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

}  // namespace

int CompareStr(const String& a, const String& b) {
  const int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareText(const String& a, const String& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const Char x = FoldAscii(a[i]);
    const Char y = FoldAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(const String& a, const String& b) { return CompareText(a, b) == 0; }

int AnsiCompareText(const String& a, const String& b) { return Collate(a, b, false); }

int AnsiCompareStr(const String& a, const String& b) { return Collate(a, b, true); }

bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }
