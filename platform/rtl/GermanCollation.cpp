#include "platform/rtl/GermanCollation.h"

#include <unicode/locid.h>

#include <memory>

#include "platform/rtl/Exceptions.h"

icu::Collator& GermanCollator(bool caseSensitive) {
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
  return caseSensitive ? *c.tertiary : *c.secondary;
}
