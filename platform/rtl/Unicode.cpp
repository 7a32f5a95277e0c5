#include "platform/rtl/Unicode.h"

#include <unicode/uchar.h>

namespace {

// Decodes one UTF-8 sequence at bytes[i]; returns the code point and advances i,
// or returns -1 and advances i by one byte for a malformed sequence.
long DecodeOne(std::string_view bytes, size_t& i) {
  TUtf8Decoder decoder;
  size_t end = i;
  bool ok = decoder.Start(static_cast<unsigned char>(bytes[end++]));
  while (ok && decoder.NeedsMore()) ok = end < bytes.size() && decoder.Add(static_cast<unsigned char>(bytes[end++]));
  if (!ok) {
    ++i;
    return -1;
  }
  i = end;
  return static_cast<long>(decoder.CodePoint());
}

}  // namespace

bool TUtf8Decoder::Start(uint32_t lead) {
  low_ = 0x80;
  high_ = 0xBF;
  if (lead < 0x80) {
    need_ = 0;
    value_ = lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    need_ = 1;
    value_ = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need_ = 2;
    value_ = lead & 0x0F;
    if (lead == 0xE0) low_ = 0xA0;   // no over-long forms
    if (lead == 0xED) high_ = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need_ = 3;
    value_ = lead & 0x07;
    if (lead == 0xF0) low_ = 0x90;
    if (lead == 0xF4) high_ = 0x8F;  // nothing above U+10FFFF
  } else {
    need_ = 0;
    return false;
  }
  return true;
}

bool TUtf8Decoder::Add(uint32_t byte) {
  if (need_ == 0 || byte < low_ || byte > high_) return false;
  value_ = value_ << 6 | (byte & 0x3F);
  --need_;
  low_ = 0x80;
  high_ = 0xBF;
  return true;
}

String Utf8ToString(std::string_view utf8) {
  String out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    long cp = DecodeOne(utf8, i);
    AppendCodePoint(out, cp < 0 ? U'\uFFFD' : static_cast<char32_t>(cp));
  }
  return out;
}

char32_t CodePointAt(std::u16string_view text, size_t index, size_t& units) {
  char32_t c = text[index];
  units = 1;
  if (c >= 0xD800 && c <= 0xDBFF && index + 1 < text.size() && text[index + 1] >= 0xDC00 && text[index + 1] <= 0xDFFF) {
    units = 2;
    return 0x10000 + ((c - 0xD800) << 10) + (text[index + 1] - 0xDC00);
  }
  return c;
}

void AppendCodePoint(String& s, char32_t c) {
  if (c < 0x10000) {
    s.push_back(static_cast<Char>(c));
    return;
  }
  c -= 0x10000;
  s.push_back(static_cast<Char>(0xD800 + (c >> 10)));
  s.push_back(static_cast<Char>(0xDC00 + (c & 0x3FF)));
}

std::string StringToUtf8(const String& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0, units = 1; i < s.size(); i += units) {
    unsigned long cp = CodePointAt(s, i, units);
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    if (DecodeOne(bytes, i) < 0) return false;
  }
  return true;
}

bool IsInvisibleFormatting(char32_t codePoint) {
  return u_hasBinaryProperty(static_cast<UChar32>(codePoint), UCHAR_DEFAULT_IGNORABLE_CODE_POINT);
}
