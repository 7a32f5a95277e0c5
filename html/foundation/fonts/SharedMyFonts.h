// Measured fonts kept once for many users. The font runs of a document point at the set's
// font equal to theirs instead of each owning one: a table of many cells then holds a few
// fonts instead of one for every cell.
#pragma once

#include <map>
#include <memory>
#include <tuple>

#include "html/foundation/fonts/MyFont.h"

class TSharedMyFonts {
 public:
  // The set's font equal to this one in every property and measure, filed now if it is new.
  // It lives as long as the set and must not be changed.
  TMyFont& Share(const TMyFont& font);
  size_t Count() const { return fonts_.size(); }
  // Only when no one uses the fonts any more.
  void Clear() { fonts_.clear(); }

 private:
  using TKey = std::tuple<String, int, TColor, TFontStyles, uint8_t, TFontPitch, int, TColor, int32_t, int32_t,
                          int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;
  static TKey KeyOf(const TMyFont& font);
  std::map<TKey, std::unique_ptr<TMyFont>> fonts_;
};
