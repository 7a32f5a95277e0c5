// Decoding helpers shared by the converter tests.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

// The UTF-16 units a converter of the registry's class for codePage gives for bytes, read
// until the end of the bytes.
String DecodeBytes(int codePage, std::string_view bytes);
// The same, as code points (surrogate pairs joined).
std::u32string DecodeToCodePoints(int codePage, std::string_view bytes);
// Bytes from a hexadecimal text ("1B 24 42" or "1B2442").
std::string HexBytes(std::string_view hex);
// "U+0041 U+3042" for diagnostics.
std::string DescribeCodePoints(const std::u32string& text);
