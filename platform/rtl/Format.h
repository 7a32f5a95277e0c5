// Format: the platform's printf. Format(u"%d von %d", {row, count}).
//
// A specifier is  "%" [index ":"] ["-"] [width] ["." precision] type  where index, width
// and precision are decimal numbers or "*" (taken from the next argument, an integer).
// index (0-based) picks the argument for this specifier; the ones after it go on from
// there. "-" pads on the right instead of the left; width pads with blanks ("%05d" too).
//   d  integer; precision = minimum digits, padded with zeros after the sign
//   u  integer read as unsigned (a negative 32-bit value as its 32-bit pattern)
//   x  integer in upper-case hexadecimal (negative ones as their 32- or 64-bit pattern);
//      precision as for d
//   e  float, FloatToStrF ffExponent with precision significant digits (default 15) and
//      at least three exponent digits
//   f  float, ffFixed with precision decimals (default 2)
//   g  float, ffGeneral with precision significant digits (default 15); as FloatToStr
//   n  float, ffNumber (thousand separators), precision decimals (default 2)
//   m  float, ffCurrency, precision decimals (default CurrencyDecimals)
//   p  pointer, upper-case hexadecimal with 16 digits
//   s  string or character; precision = maximum characters
// The type letter may be upper case. "%%" is a percent sign. A specifier that does not
// parse, that asks for a width, precision or index above 4096, or that meets an argument
// of another kind raises EConvertError
// "Format '<pattern>' ungültig oder nicht kompatibel mit Argument"; too few arguments raise
// EConvertError "Kein Argument für Format '<pattern>'".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

// One argument of Format. Holds its value by copy, except text, which it refers to: keep
// the text alive for the call (temporaries in the argument list are).
class TVarRec {
 public:
  enum class Kind { Int32, Int64, UInt64, Float, Text, Pointer };

  TVarRec(int value) : kind_(Kind::Int32), int_(value) {}
  TVarRec(long value) : kind_(Kind::Int64), int_(value) {}
  TVarRec(long long value) : kind_(Kind::Int64), int_(value) {}
  TVarRec(unsigned value) : kind_(Kind::Int64), int_(value) {}
  TVarRec(unsigned long value) : kind_(Kind::UInt64), int_(static_cast<int64_t>(value)) {}
  TVarRec(unsigned long long value) : kind_(Kind::UInt64), int_(static_cast<int64_t>(value)) {}
  TVarRec(double value) : kind_(Kind::Float), float_(value) {}
  TVarRec(const String& value) : kind_(Kind::Text), text_(value) {}
  TVarRec(const Char* value) : kind_(Kind::Text), text_(value) {}
  TVarRec(Char value) : kind_(Kind::Text), char_(value), text_(&char_, 1) {}
  TVarRec(const void* value) : kind_(Kind::Pointer), pointer_(value) {}
  // A bool is no number, and byte strings must be converted to String first.
  TVarRec(bool) = delete;
  TVarRec(const char*) = delete;
  TVarRec(const std::string&) = delete;

  TVarRec(const TVarRec& other)
      : kind_(other.kind_), int_(other.int_), float_(other.float_), pointer_(other.pointer_),
        char_(other.char_), text_(other.text_.data() == &other.char_ ? std::u16string_view(&char_, 1) : other.text_) {}
  TVarRec& operator=(const TVarRec&) = delete;

  Kind kind() const { return kind_; }
  int64_t Int() const { return int_; }
  double Float() const { return float_; }
  std::u16string_view Text() const { return text_; }
  const void* Pointer() const { return pointer_; }

 private:
  Kind kind_;
  int64_t int_ = 0;
  double float_ = 0;
  const void* pointer_ = nullptr;
  Char char_ = 0;
  std::u16string_view text_;
};

String Format(const String& pattern, std::initializer_list<TVarRec> args,
              const TFormatSettings& settings = FormatSettings());
