#include "platform/rtl/IntConvert.h"

#include <algorithm>
#include <optional>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Unicode.h"

namespace {

// Parses as the platform does; bits is 32 or 64. Returns the value sign-extended.
std::optional<int64_t> ParseInteger(const String& s, int bits) {
  size_t i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';

  bool hex = false;
  if (i < s.size() && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i == s.size()) return std::nullopt;

  const uint64_t unsignedMax = bits == 32 ? 0xFFFFFFFFull : ~0ull;
  const uint64_t signedMax = bits == 32 ? 0x7FFFFFFFull : 0x7FFFFFFFFFFFFFFFull;
  // Decimal values are range-checked as signed numbers; hexadecimal ones may fill every bit.
  const uint64_t limit = hex ? unsignedMax : signedMax + (negative ? 1 : 0);
  const uint64_t base = hex ? 16 : 10;
  uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    const int value = HexDigitValue(s[i]);
    if (value < 0 || (!hex && value > 9)) return std::nullopt;
    const uint64_t digit = static_cast<uint64_t>(value);
    if (magnitude > (limit - digit) / base) return std::nullopt;
    magnitude = magnitude * base + digit;
  }
  if (negative) magnitude = 0 - magnitude;
  if (bits == 32) return static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)));
  return static_cast<int64_t>(magnitude);
}

[[noreturn]] void RaiseInvalidInteger(const String& s) {
  throw EConvertError(u"'" + s + S("' ist kein gültiger Integerwert"));
}

String Hex(uint64_t value, int digits) {
  String out;
  do {
    out.push_back(static_cast<Char>(HexDigitUpper(static_cast<unsigned>(value))));
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(out.size()) < digits) out.append(static_cast<size_t>(digits) - out.size(), u'0');
  std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace

String IntToStr(int64_t value) {
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  String out;
  do {
    out.push_back(static_cast<Char>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) out.push_back(u'-');
  std::reverse(out.begin(), out.end());
  return out;
}

String IntToHex(int32_t value, int digits) { return Hex(static_cast<uint32_t>(value), digits); }

String IntToHex(int64_t value, int digits) { return Hex(static_cast<uint64_t>(value), digits); }

String IntToHex(uint32_t value, int digits) { return Hex(value, digits); }

String IntToHex(uint64_t value, int digits) { return Hex(value, digits); }

int32_t StrToInt(const String& s) {
  int32_t value;
  if (!TryStrToInt(s, value)) RaiseInvalidInteger(s);
  return value;
}

int32_t StrToIntDef(const String& s, int32_t fallback) {
  int32_t value;
  return TryStrToInt(s, value) ? value : fallback;
}

bool TryStrToInt(const String& s, int32_t& value) {
  const auto parsed = ParseInteger(s, 32);
  if (!parsed) return false;
  value = static_cast<int32_t>(*parsed);
  return true;
}

int64_t StrToInt64(const String& s) {
  int64_t value;
  if (!TryStrToInt64(s, value)) RaiseInvalidInteger(s);
  return value;
}

int64_t StrToInt64Def(const String& s, int64_t fallback) {
  int64_t value;
  return TryStrToInt64(s, value) ? value : fallback;
}

bool TryStrToInt64(const String& s, int64_t& value) {
  const auto parsed = ParseInteger(s, 64);
  if (!parsed) return false;
  value = *parsed;
  return true;
}
