// Integers to text and back, as the platform converts them.
#pragma once

#include <cstdint>

#include "platform/rtl/Types.h"

String IntToStr(int64_t value);

// Upper-case hexadecimal with at least digits digits (zero-padded). The 32-bit form shows a
// negative value as its 32-bit two's complement ("FFFFFFFF"), the 64-bit form as 64 bits.
String IntToHex(int32_t value, int digits);
String IntToHex(int64_t value, int digits);
String IntToHex(uint32_t value, int digits);
String IntToHex(uint64_t value, int digits);

// Accepted: leading blanks, one sign, then decimal digits, or hexadecimal digits after "$",
// "0x" or "x" (hexadecimal may use the full unsigned range: "$FFFFFFFF" is -1). Anything
// else, trailing blanks and values out of range included, fails. StrToInt raises
// EConvertError "'<s>' ist kein gültiger Integerwert".
int32_t StrToInt(const String& s);
int32_t StrToIntDef(const String& s, int32_t fallback);
bool TryStrToInt(const String& s, int32_t& value);

int64_t StrToInt64(const String& s);
int64_t StrToInt64Def(const String& s, int64_t fallback);
bool TryStrToInt64(const String& s, int64_t& value);
