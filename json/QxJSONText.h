// The text steps of reading a JSON string: escapes, and the contents' UTF-8 bytes (one byte
// per character, as web answers arrive) decoded to UTF-16.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rtl/Types.h"

// The UTF-8 bytes of a code point (up to 2^21 - 1).
std::string CodePointToUtf8(uint32_t code);

// Replaces the escapes of a string's raw contents: \" \' \/ \\ \b \f \n \r \t, and \u with
// up to four hexadecimal digits, which becomes the UTF-8 bytes of the code point, one
// character per byte (a surrogate pair of two \u escapes gives one four-byte sequence, a
// lone surrogate the bytes of U+FFFD). A backslash before any other character is dropped
// with it. A \u without a hexadecimal number raises EConvertError.
String UnescapeJsonString(const String& raw);

// Decodes the UTF-8 bytes that the characters of s stand for: a character up to U+00FF, or
// one of the code page 1252 characters, stands for its byte. Well-formed sequences become
// their characters; a character that starts no well-formed sequence, and every character
// that stands for no byte, is kept as it is.
String DecodeByteChars(const String& s);
