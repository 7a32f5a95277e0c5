// Conversions between UTF-16 (String) and UTF-8 byte strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

// UTF-8 to UTF-16. Characters above U+FFFF become surrogate pairs; every malformed byte
// sequence becomes one U+FFFD and decoding goes on with the next byte.
String Utf8ToString(std::string_view utf8);

// UTF-16 to UTF-8. A surrogate pair becomes one four-byte sequence; a lone surrogate
// becomes U+FFFD.
std::string StringToUtf8(const String& s);

// The character at a position of UTF-16 text: a surrogate pair as one character above
// U+FFFF (units = 2); any other unit, a lone surrogate included, as itself (units = 1).
char32_t CodePointAt(std::u16string_view text, size_t index, size_t& units);

// Appends a character as UTF-16: a surrogate pair above U+FFFF.
void AppendCodePoint(String& s, char32_t c);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// True for a character that takes no room and shows nothing when a font has no glyph for it
// (Unicode's default ignorable code points: zero-width spaces and joiners, direction marks,
// variation selectors); a fallback font would draw it as a gap.
bool IsInvisibleFormatting(char32_t codePoint);

// Decodes one UTF-8 sequence a byte at a time, with the ranges of well-formed UTF-8: no
// over-long forms, no surrogates, nothing above U+10FFFF. Start with the lead byte, then Add
// the following bytes while NeedsMore; a byte that Start or Add refuses ends the sequence as
// malformed and is not part of it (the caller decides how much to skip).
class TUtf8Decoder {
 public:
  // False when the byte cannot begin a sequence: a continuation byte, an over-long lead
  // (0xC0, 0xC1) or a lead beyond U+10FFFF (0xF5 and above). A byte below 0x80 is complete.
  bool Start(uint32_t lead);
  // True while continuation bytes are missing.
  bool NeedsMore() const { return need_ > 0; }
  // False when the byte cannot continue the sequence.
  bool Add(uint32_t byte);
  // The code point, once the sequence is complete.
  uint32_t CodePoint() const { return value_; }

 private:
  uint32_t value_ = 0;
  int need_ = 0;
  uint32_t low_ = 0x80;   // the range of the next continuation byte
  uint32_t high_ = 0xBF;
};

// Shorthand for literals and messages written in UTF-8 source text.
inline String S(std::string_view utf8) { return Utf8ToString(utf8); }
