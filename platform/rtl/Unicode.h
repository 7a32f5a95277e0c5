// Conversions between UTF-16 (String) and UTF-8 byte strings.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

// UTF-8 to UTF-16. Characters above U+FFFF become surrogate pairs; every malformed byte
// sequence becomes one U+FFFD and decoding goes on with the next byte.
String Utf8ToString(std::string_view utf8);

// UTF-16 to UTF-8. A surrogate pair becomes one four-byte sequence; a lone surrogate
// becomes U+FFFD.
std::string StringToUtf8(const String& s);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Shorthand for literals and messages written in UTF-8 source text.
inline String S(std::string_view utf8) { return Utf8ToString(utf8); }
