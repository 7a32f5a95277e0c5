// The page scraper's reading of a feed: the "\u" escape decoder and the normalisation that
// puts posts, likes and comments on lines of their own. The input is UTF-8 text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/FeedText.h"
#include "platform/rtl/Unicode.h"

namespace {

bool HasLoneSurrogate(const String& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] >= 0xD800 && s[i] <= 0xDBFF) {
      if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return true;
      ++i;
    } else if (s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String text = Utf8ToString(std::string_view(reinterpret_cast<const char*>(data), size));
  const String decoded = DecodeUnicodeEscapes(text);
  // An escape of six units becomes one or (a pair of twelve) two: never longer. Text that
  // came as well-formed UTF-8 holds no lone surrogate, and decoding makes none.
  if (decoded.size() > text.size()) std::abort();
  if (!HasLoneSurrogate(text) && HasLoneSurrogate(decoded)) std::abort();
  NormalizeFeedText(text);
  return 0;
}
