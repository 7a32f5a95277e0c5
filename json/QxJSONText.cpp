#include "json/QxJSONText.h"

#include <array>

#include "platform/rtl/CodePages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Unicode.h"

void CodePointToUtf8(uint32_t code, String& out) {
  if (code < 0x80) {
    out += static_cast<Char>(code);
  } else if (code < 0x800) {
    out += static_cast<Char>(0xC0 | (code >> 6));
    out += static_cast<Char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<Char>(0xE0 | (code >> 12));
    out += static_cast<Char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<Char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<Char>(0xF0 | ((code >> 18) & 0x07));
    out += static_cast<Char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<Char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<Char>(0x80 | (code & 0x3F));
  }
}

namespace {

// The number of up to four hexadecimal characters from p (what follows "\u"), read no
// further than end; next is set after them.
uint32_t ReadHex4(const Char* p, const Char* end, const Char*& next) {
  next = end - p < 4 ? end : p + 4;
  if (next == p) throw EConvertError(S("'' ist kein gültiger Integerwert"));
  uint32_t value = 0;
  for (const Char* k = p; k < next; ++k) {
    const int d = HexDigitValue(*k);
    if (d < 0)
      throw EConvertError(S("'$" + StringToUtf8(String(p, static_cast<size_t>(next - p))) + "' ist kein gültiger Integerwert"));
    value = value * 16 + static_cast<uint32_t>(d);
  }
  return value;
}

// The byte a character stands for, or -1.
int ByteOf(Char c) {
  if (c <= 0xFF) return c;
  static const std::array<Char, 32> cp1252High = [] {
    std::string bytes;
    for (int b = 0x80; b < 0xA0; ++b) bytes += static_cast<char>(b);
    const String chars = AnsiToString(bytes);
    std::array<Char, 32> table{};
    for (size_t k = 0; k < table.size(); ++k) table[k] = chars[k];
    return table;
  }();
  for (size_t k = 0; k < cp1252High.size(); ++k)
    if (cp1252High[k] == c) return static_cast<int>(0x80 + k);
  return -1;
}

// The length of the well-formed UTF-8 sequence at p (ending before end) and its code
// point, or 0.
size_t SequenceAt(const Char* p, const Char* end, uint32_t& code) {
  const int lead = ByteOf(*p);
  if (lead < 0xC2 || lead > 0xF4) return 0;
  const size_t len = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (static_cast<size_t>(end - p) < len) return 0;
  code = static_cast<uint32_t>(lead) & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
  for (size_t k = 1; k < len; ++k) {
    const int b = ByteOf(p[k]);
    if (b < 0x80 || b > 0xBF) return 0;
    code = (code << 6) | static_cast<uint32_t>(b & 0x3F);
  }
  const bool overlong = (len == 3 && code < 0x800) || (len == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (overlong || surrogate || code > 0x10FFFF) return 0;
  return len;
}

}  // namespace

void UnescapeJsonString(const Char* begin, const Char* end, String& out) {
  const Char* p = begin;
  while (p < end) {
    const Char* run = p;
    while (p < end && *p != u'\\') ++p;
    out.append(run, p);
    if (p >= end) break;
    if (p + 1 >= end) break;  // a lone backslash at the end is dropped
    const Char e = p[1];
    p += 2;
    switch (e) {
      case u'"': out += u'"'; break;
      case u'\'': out += u'\''; break;
      case u'/': out += u'/'; break;
      case u'\\': out += u'\\'; break;
      case u'b': out += u'\b'; break;
      case u'f': out += u'\f'; break;
      case u'n': out += u'\n'; break;
      case u'r': out += u'\r'; break;
      case u't': out += u'\t'; break;
      case u'u': {
        uint32_t code = ReadHex4(p, end, p);
        if (code >= 0xD800 && code <= 0xDBFF && end - p >= 6 && p[0] == u'\\' && p[1] == u'u') {
          // A high surrogate joins a directly following low surrogate escape.
          const Char* lowEnd = nullptr;
          const uint32_t low = ReadHex4(p + 2, end, lowEnd);
          if (low >= 0xDC00 && low <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            p = lowEnd;
          }
        }
        if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
        CodePointToUtf8(code, out);
        break;
      }
      default: {
        // An unknown escape: a multi-byte character after the backslash stays whole, any
        // other character is dropped with the backslash.
        uint32_t code = 0;
        const size_t len = SequenceAt(p - 1, end, code);
        if (len > 0) {
          out.append(p - 1, p - 1 + len);
          p += len - 1;
        }
        break;
      }
    }
  }
}

void DecodeByteChars(const Char* begin, const Char* end, String& out) {
  const Char* p = begin;
  while (p < end) {
    const Char* run = p;
    while (p < end && *p < 0x80) ++p;
    out.append(run, p);
    if (p >= end) break;
    uint32_t code = 0;
    const size_t len = SequenceAt(p, end, code);
    if (len == 0) {
      out += *p++;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<Char>(0xD800 + (code >> 10));
      out += static_cast<Char>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<Char>(code);
    }
    p += len;
  }
}
