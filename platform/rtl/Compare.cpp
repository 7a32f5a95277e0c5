#include "platform/rtl/Compare.h"

#include <unicode/coll.h>
#include <unicode/locid.h>

#include <memory>

#include "platform/rtl/Exceptions.h"

namespace {

Char FoldAscii(Char c) { return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - 32) : c; }

icu::Collator& GermanCollator(icu::Collator::ECollationStrength strength) {
  struct Collators {
    std::unique_ptr<icu::Collator> secondary, tertiary;
  };
  thread_local Collators c = [] {
    Collators made;
    for (auto* slot : {&made.secondary, &made.tertiary}) {
      UErrorCode status = U_ZERO_ERROR;
      slot->reset(icu::Collator::createInstance(icu::Locale::getGerman(), status));
      if (U_FAILURE(status) || !*slot) throw Exception(u"Sortierfolge für Deutsch nicht verfügbar");
    }
    made.secondary->setStrength(icu::Collator::SECONDARY);
    made.tertiary->setStrength(icu::Collator::TERTIARY);
    return made;
  }();
  return strength == icu::Collator::SECONDARY ? *c.secondary : *c.tertiary;
}

int Collate(const String& a, const String& b, icu::Collator::ECollationStrength strength) {
  UErrorCode status = U_ZERO_ERROR;
  auto r = GermanCollator(strength).compare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                                            static_cast<int32_t>(b.size()), status);
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

int AnsiCompareText(const String& a, const String& b) { return Collate(a, b, icu::Collator::SECONDARY); }

int AnsiCompareStr(const String& a, const String& b) { return Collate(a, b, icu::Collator::TERTIARY); }

bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }
