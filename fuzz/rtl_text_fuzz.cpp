// Fuzzes the text conversions of the runtime library that read text from outside: Format
// patterns (the export footer is one), integer and float parsing, FormatDateTime patterns
// and StringReplace. Input: one selector byte, then UTF-8 text; for StringReplace the text
// is split at the first and second NUL into subject, pattern and replacement.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/DateTimeText.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Unicode.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void FuzzFormat(const String& pattern) {
  const String text = u"Grüße";
  int marker = 0;
  try {
    Format(pattern, {42, int64_t{-7}, 3.25, text, Char(u'x'), static_cast<const void*>(&marker), 5, u"end"});
  } catch (const EConvertError&) {
  }
}

void FuzzNumbers(const String& s) {
  int32_t i32;
  if (TryStrToInt(s, i32)) Check(StrToInt(IntToStr(i32)) == i32);
  int64_t i64;
  if (TryStrToInt64(s, i64)) Check(StrToInt64(IntToStr(i64)) == i64);
  double d;
  if (TryStrToFloat(s, d)) {
    const String shown = FloatToStr(d);
    double back;
    Check(TryStrToFloat(shown, back) || shown == u"INF" || shown == u"-INF");
    for (TFloatFormat f : {ffExponent, ffFixed, ffNumber, ffCurrency}) FloatToStrF(d, f, 15, 2);
  }
}

void FuzzDateFormat(const String& pattern) {
  FormatDateTime(pattern, EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45));
  FormatDateTime(pattern, -1.25);
}

void FuzzDateValue(const uint8_t* data, size_t size) {
  if (size < sizeof(double)) return;
  double value;
  std::memcpy(&value, data, sizeof value);
  try {
    FormatDateTime(u"c dddd mmmm z am/pm", value);
  } catch (const EInvalidOp&) {  // no whole number of milliseconds (NaN, beyond 2^63 ms)
  }
}

void FuzzReplace(const String& all) {
  const size_t a = all.find(u'\0');
  if (a == String::npos) return;
  const size_t b = all.find(u'\0', a + 1);
  if (b == String::npos) return;
  const String subject = all.substr(0, a), pattern = all.substr(a + 1, b - a - 1), replacement = all.substr(b + 1);
  const String replaced = StringReplace(subject, pattern, replacement, rfReplaceAll | rfIgnoreCase);
  if (pattern.empty()) Check(replaced == subject);
  StringReplace(subject, pattern, replacement, rfReplaceAll);
  Copy(subject, static_cast<int>(pattern.size()) - 2, static_cast<int>(replacement.size()) - 2);
  PosEx(pattern, subject, static_cast<int>(replacement.size()));
  Trim(subject);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t selector = data[0] % 5;
  ++data;
  --size;
  const String text = Utf8ToString(std::string_view(reinterpret_cast<const char*>(data), size));
  switch (selector) {
    case 0: FuzzFormat(text); break;
    case 1: FuzzNumbers(text); break;
    case 2: FuzzDateFormat(text); break;
    case 3: FuzzDateValue(data, size); break;
    case 4: FuzzReplace(text); break;
  }
  return 0;
}
