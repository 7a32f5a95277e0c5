#include "pdf/objects/PdfWrite.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/gdi/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "pdf/helpers/AnsiConvert.h"
#include "pdf/helpers/DateParts.h"
#include "pdf/helpers/TextHelpers.h"
#include "pdf/objects/PdfExceptions.h"

namespace {

// Fixed notation with `decimals` decimals; a non-finite value counts as 0, and a result
// that rounds to zero carries no minus sign.
size_t FormatFixed(char* out, size_t room, double value, int decimals) {
  if (!std::isfinite(value)) value = 0;
  auto [end, ec] = std::to_chars(out, out + room, value, std::chars_format::fixed, decimals);
  size_t n = ec == std::errc() ? static_cast<size_t>(end - out) : 0;
  bool zero = n > 1 && out[0] == '-';
  for (size_t i = 1; zero && i < n; ++i) zero = out[i] == '0' || out[i] == '.';
  if (zero) {
    std::memmove(out, out + 1, n - 1);
    --n;
  }
  return n;
}

// The two-decimal text with trailing zeros cut.
size_t FormatShortReal(char* out, size_t room, double value) {
  size_t n = FormatFixed(out, room, value, 2);
  if (n >= 3 && out[n - 1] == '0') n -= out[n - 2] == '0' ? 3 : 1;
  return n;
}

}  // namespace

TPdfWrite::TPdfWrite(TStream& destination, int codePage)
    : destination_(destination), positionBase_(destination.Position()), codePage_(codePage) {}

TPdfWrite::~TPdfWrite() = default;

TPdfWrite& TPdfWrite::Add(char byte) {
  Reserve(1);
  Put(byte);
  return *this;
}

TPdfWrite& TPdfWrite::Add(std::string_view bytes) { return Add(bytes.data(), bytes.size()); }

TPdfWrite& TPdfWrite::Add(const void* data, size_t count) {
  if (count == 0) return *this;
  if (cur_ + count <= kBufferSize) {
    std::memcpy(buf_ + cur_, data, count);
    cur_ += count;
  } else {
    Flush();
    destination_.WriteBuffer(data, static_cast<int64_t>(count));
    positionBase_ += static_cast<int64_t>(count);
  }
  return *this;
}

TPdfWrite& TPdfWrite::AddInteger(int64_t value) {
  Reserve(24);
  auto [end, ec] = std::to_chars(buf_ + cur_, buf_ + kBufferSize, value);
  (void)ec;
  cur_ = static_cast<size_t>(end - buf_);
  return *this;
}

TPdfWrite& TPdfWrite::AddIntegerWithSpace(int64_t value) { return AddInteger(value).Add(' '); }

TPdfWrite& TPdfWrite::AddPadded(int64_t value, int digits) {
  if (value < 0) value = 0;
  char tmp[24];
  auto [end, ec] = std::to_chars(tmp, tmp + sizeof tmp, value);
  (void)ec;
  auto len = static_cast<int>(end - tmp);
  for (int i = len; i < digits; ++i) Add('0');
  return Add(tmp, static_cast<size_t>(len)).Add(' ');
}

TPdfWrite& TPdfWrite::AddReal(double value) {
  char tmp[352];
  return Add(tmp, FormatShortReal(tmp, sizeof tmp, value));
}

TPdfWrite& TPdfWrite::AddRealWithSpace(double value) {
  if (!(std::fabs(value) >= 0.01)) return Add("0 ", 2);  // also a non-finite value
  return AddReal(value).Add(' ');
}

TPdfWrite& TPdfWrite::AddRealFixed(double value, int decimals) {
  char tmp[400];
  if (decimals < 0) decimals = 0;
  if (decimals > 20) decimals = 20;
  return Add(tmp, FormatFixed(tmp, sizeof tmp, value, decimals)).Add(' ');
}

TPdfWrite& TPdfWrite::AddColor(int32_t color) {
  uint32_t rgb = color < 0 ? GetSysColor(color & 0xFF) : static_cast<uint32_t>(color);
  AddRealWithSpace((rgb & 0xFF) / 255.0);
  AddRealWithSpace(((rgb >> 8) & 0xFF) / 255.0);
  return AddRealWithSpace(((rgb >> 16) & 0xFF) / 255.0);
}

TPdfWrite& TPdfWrite::AddEscaped(std::string_view bytes) {
  for (char c : bytes) {
    Reserve(4);
    switch (c) {
      case '\b': Put('\\'); Put('b'); break;
      case '\t': Put('\\'); Put('t'); break;
      case '\n': Put('\\'); Put('n'); break;
      case '\f': Put('\\'); Put('f'); break;
      case '\r': break;
      case '\0': Put('\\'); Put('0'); Put('0'); Put('0'); break;
      case '(': case ')': case '\\': Put('\\'); Put(c); break;
      default: Put(c);
    }
  }
  return *this;
}

TPdfWrite& TPdfWrite::AddEscapedName(std::string_view bytes) {
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b == 0) break;
    Reserve(3);
    if (b < '!' || b > '~' || std::strchr("#%()/<>[]{}", c) != nullptr) {
      Put('#');
      Put(HexDigitUpper(b >> 4));
      Put(HexDigitUpper(b));
    } else {
      Put(c);
    }
  }
  return *this;
}

TPdfWrite& TPdfWrite::AddHexBytes(std::string_view bytes) {
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    Reserve(2);
    Put(HexDigitUpper(b >> 4));
    Put(HexDigitUpper(b));
  }
  return *this;
}

TPdfWrite& TPdfWrite::AddHex4(uint16_t word) {
  Reserve(4);
  Put(HexDigitUpper(word >> 12));
  Put(HexDigitUpper(word >> 8));
  Put(HexDigitUpper(word >> 4));
  Put(HexDigitUpper(word));
  return *this;
}

TPdfWrite& TPdfWrite::AddRGB(const unsigned char* pixels, size_t step, size_t count) {
  for (size_t i = 0; i < count; ++i, pixels += step) {
    Reserve(3);
    Put(static_cast<char>(pixels[2]));
    Put(static_cast<char>(pixels[1]));
    Put(static_cast<char>(pixels[0]));
  }
  return *this;
}

TPdfWrite& TPdfWrite::AddIso8601(TDateTime value) { return Add(DateTimeToIso8601Text(value, true, 'T')); }

TPdfWrite& TPdfWrite::AddUnicodeHex(std::string_view ansi) {
  return AddUnicodeHexText(ConverterForCodePage(codePage_).AnsiToWideString(ansi));
}

TPdfWrite& TPdfWrite::AddUnicodeHexText(std::u16string_view text) {
  for (Char u : text) AddHex4(u);
  return *this;
}

TPdfWrite& TPdfWrite::Flush() {
  if (cur_ > 0) {
    size_t n = cur_;
    cur_ = 0;
    destination_.WriteBuffer(buf_, static_cast<int64_t>(n));
    positionBase_ += static_cast<int64_t>(n);
  }
  return *this;
}

std::string TPdfWrite::ContentText() {
  Flush();
  int64_t here = destination_.Position();
  int64_t size = destination_.Size();
  std::string out(static_cast<size_t>(size), '\0');
  destination_.SetPosition(0);
  destination_.ReadBuffer(out.data(), size);
  destination_.SetPosition(here);
  return out;
}

std::string DateTimeToPdfDate(TDateTime value) {
  TDateParts p = DecodeDateParts(value);
  char buf[40];
  std::snprintf(buf, sizeof buf, "D:%04d%02d%02d%02d%02d%02d", p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second);
  return buf;
}

TDateTime PdfDateToDateTime(std::string_view text) {
  auto fail = [] { return EConvertError(S("Ungültiges Argument zum Codieren des Datums")); };
  if (text.size() != 16 || text.substr(0, 2) != "D:") throw fail();
  for (char c : text.substr(2))
    if (c < '0' || c > '9') throw fail();
  auto field = [&](size_t at, size_t len) {
    int v = 0;
    for (size_t i = 0; i < len; ++i) v = v * 10 + (text[at + i] - '0');
    return v;
  };
  TDateParts p{field(2, 4), field(6, 2), field(8, 2), field(10, 2), field(12, 2), field(14, 2)};
  TDateTime value;
  if (!TryEncodeDateParts(p, value)) throw fail();
  return value;
}

std::string PdfRealText(double value) {
  char tmp[352];
  return std::string(tmp, FormatShortReal(tmp, sizeof tmp, value));
}
