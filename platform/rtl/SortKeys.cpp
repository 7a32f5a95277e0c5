#include "platform/rtl/SortKeys.h"

#include "platform/rtl/GermanCollation.h"

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
