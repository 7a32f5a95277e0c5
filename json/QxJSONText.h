// The text steps of reading a JSON string: escapes, and the contents' UTF-8 bytes (one byte
// per character, as web answers arrive) decoded to UTF-16.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rtl/Types.h"

// Appends the UTF-8 bytes of a code point (up to 2^21 - 1), one character per byte.
void CodePointToUtf8(uint32_t code, String& out);

// Appends the raw contents [begin, end) of a string with its escapes replaced: \" \' \/
// \\ \b \f \n \r \t, and \u with up to four hexadecimal digits, which becomes the UTF-8 bytes
// of the code point, one character per byte (a surrogate pair of two \u escapes gives one
// four-byte sequence, a lone surrogate the bytes of U+FFFD). A backslash before a
// well-formed multi-byte UTF-8 sequence is dropped and the whole sequence kept; before any
// other character the backslash is dropped with that character. A \u without a
// hexadecimal number raises EConvertError.
void UnescapeJsonString(const Char* begin, const Char* end, String& out);

// Appends the decoding of the UTF-8 bytes that the characters of [begin, end) stand for: a
// character up to U+00FF, or one of the code page 1252 characters, stands for its byte.
// Well-formed sequences become their characters; a character that starts no well-formed
// sequence, and every character that stands for no byte, is kept as it is.
void DecodeByteChars(const Char* begin, const Char* end, String& out);
