// TPdfWrite: the buffered serializer that produces every byte of a PDF file and of each
// stream's content. Every append returns the writer so calls chain.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

class TStream;

class TPdfWrite {
 public:
  // Text handed to the writer is in codePage; positions count from the destination's
  // present position.
  TPdfWrite(TStream& destination, int codePage);
  ~TPdfWrite();
  TPdfWrite(const TPdfWrite&) = delete;
  TPdfWrite& operator=(const TPdfWrite&) = delete;

  TPdfWrite& Add(char byte);
  TPdfWrite& Add(std::string_view bytes);
  TPdfWrite& Add(const void* data, size_t count);
  TPdfWrite& AddInteger(int64_t value);
  TPdfWrite& AddIntegerWithSpace(int64_t value);
  // Exactly `digits` decimal digits with leading zeros (negatives as 0), then a space.
  TPdfWrite& AddPadded(int64_t value, int digits);
  // Two decimals, trailing zeros cut ("12.5", "595", "0.25"); never a non-finite number.
  TPdfWrite& AddReal(double value);
  // As AddReal plus a space; "0 " when the magnitude is below 0.01.
  TPdfWrite& AddRealWithSpace(double value);
  // Fixed notation with exactly `decimals` decimals, then a space.
  TPdfWrite& AddRealFixed(double value, int decimals);
  // Red, green and blue of a colour (red in the low byte) as fractions of 255. A negative
  // colour names a system colour (its low byte) of the fixed system colour table.
  TPdfWrite& AddColor(int32_t color);
  // Literal-string escaping: \b \t \n \f, carriage returns dropped, ( ) \ escaped, a zero
  // byte as \000.
  TPdfWrite& AddEscaped(std::string_view bytes);
  // Name escaping: every byte outside "!".."~", and the delimiters and "#", as "#XX"; a
  // zero byte, which no name can hold, ends the name.
  TPdfWrite& AddEscapedName(std::string_view bytes);
  TPdfWrite& AddHexBytes(std::string_view bytes);
  TPdfWrite& AddHex4(uint16_t word);
  // For `count` pixels `step` bytes apart: the bytes at offsets 2, 1, 0 (BGR to RGB).
  TPdfWrite& AddRGB(const unsigned char* pixels, size_t step, size_t count);
  // yyyy-mm-ddThh:nn:ss
  TPdfWrite& AddIso8601(TDateTime value);
  // The code-page text as UTF-16, four hexadecimal digits per unit, big-endian.
  TPdfWrite& AddUnicodeHex(std::string_view ansi);
  TPdfWrite& AddUnicodeHexText(std::u16string_view text);

  TPdfWrite& Flush();
  // The byte offset where the next byte will land.
  int64_t Position() const { return positionBase_ + static_cast<int64_t>(cur_); }
  // Everything written so far: the destination read back from its start (its position
  // is kept).
  std::string ContentText();

  int CodePage() const { return codePage_; }
  TStream& Destination() { return destination_; }

  // Glyph-run state of the text output (0 none open, 1 in the font's Unicode half, 2 in
  // the fallback family).
  uint8_t RunState = 0;

  static constexpr size_t kBufferSize = 511;

 private:
  void Reserve(size_t count) {
    if (cur_ + count > kBufferSize) Flush();
  }
  void Put(char c) { buf_[cur_++] = c; }

  TStream& destination_;
  int64_t positionBase_;
  int codePage_;
  size_t cur_ = 0;
  char buf_[kBufferSize];
};

// "D:yyyymmddhhnnss" (16 characters, no time zone).
std::string DateTimeToPdfDate(TDateTime value);
// The reverse; any other length, a field out of range or a date that does not exist
// raises EConvertError.
TDateTime PdfDateToDateTime(std::string_view text);

// The short real format of AddReal, as a string.
std::string PdfRealText(double value);
