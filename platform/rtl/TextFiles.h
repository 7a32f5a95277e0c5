// The rule by which every text file of the program is read and written.
//
// Reading: a byte-order mark selects UTF-8 (EF BB BF), UTF-16 little endian (FF FE) or
// UTF-16 big endian (FE FF); the mark is not part of the text. Without a mark the bytes
// are code page 1252.
// Writing: code page 1252 without a mark when 1252 holds every character of the text;
// otherwise UTF-8 with its mark, so that nothing is lost.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

String DecodeTextFileBytes(std::string_view bytes);
std::string EncodeTextFileBytes(const String& text);
