#include "platform/rtl/SortKeys.h"

#include <unicode/coll.h>
#include <unicode/locid.h>

#include <memory>

#include "platform/rtl/Exceptions.h"

namespace {

// Set up as in Compare.cpp: German, secondary strength ignoring case, tertiary with it.
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

}  // namespace

TSortKeys::TSortKeys(const std::vector<const String*>& texts, bool caseSensitive) {
  const icu::Collator& collator = GermanCollator(caseSensitive);
  starts_.reserve(texts.size() + 1);
  starts_.push_back(0);
  bytes_.reserve(texts.size() * 24);
  for (const String* text : texts) {
    const auto length = static_cast<int32_t>(text->size());
    const size_t at = bytes_.size();
    size_t room = 2 * text->size() + 16;
    for (;;) {
      bytes_.resize(at + room);
      const int32_t needed = collator.getSortKey(text->data(), length,
                                                 reinterpret_cast<uint8_t*>(bytes_.data() + at),
                                                 static_cast<int32_t>(room));
      if (needed <= static_cast<int32_t>(room)) {
        // The key ends with a zero byte; it adds nothing to the order and is dropped.
        bytes_.resize(at + static_cast<size_t>(needed > 0 ? needed - 1 : 0));
        break;
      }
      room = static_cast<size_t>(needed);
    }
    starts_.push_back(bytes_.size());
  }
}
