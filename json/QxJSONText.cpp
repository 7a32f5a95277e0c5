#include "json/QxJSONText.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/rtl/CodePages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Unicode.h"

std::string CodePointToUtf8(uint32_t code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | ((code >> 18) & 0x07));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

namespace {

// The number of up to four hexadecimal characters from i; raw[i..] is what follows "\u".
uint32_t ReadHex4(const String& raw, size_t i, size_t& end) {
  end = std::min(raw.size(), i + 4);
  if (end == i) throw EConvertError(S("'' ist kein gültiger Integerwert"));
  uint32_t value = 0;
  for (size_t k = i; k < end; ++k) {
    const int d = HexDigitValue(raw[k]);
    if (d < 0) throw EConvertError(S("'$" + StringToUtf8(raw.substr(i, end - i)) + "' ist kein gültiger Integerwert"));
    value = value * 16 + static_cast<uint32_t>(d);
  }
  return value;
}

void AppendBytes(String& out, const std::string& bytes) {
  for (unsigned char b : bytes) out += static_cast<Char>(b);
}

// The byte a character stands for, or -1.
int ByteOf(Char c) {
  static const std::array<Char, 32> cp1252High = [] {
    std::string bytes;
    for (int b = 0x80; b < 0xA0; ++b) bytes += static_cast<char>(b);
    const String chars = AnsiToString(bytes);
    std::array<Char, 32> table{};
    for (size_t k = 0; k < table.size(); ++k) table[k] = chars[k];
    return table;
  }();
  if (c <= 0xFF) return c;
  for (size_t k = 0; k < cp1252High.size(); ++k)
    if (cp1252High[k] == c) return static_cast<int>(0x80 + k);
  return -1;
}

// The length of the well-formed UTF-8 sequence at s[i] and its code point, or 0.
size_t SequenceAt(const String& s, size_t i, uint32_t& code) {
  const int lead = ByteOf(s[i]);
  if (lead < 0xC2 || lead > 0xF4) return 0;
  const size_t len = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (i + len > s.size()) return 0;
  code = static_cast<uint32_t>(lead) & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
  for (size_t k = 1; k < len; ++k) {
    const int b = ByteOf(s[i + k]);
    if (b < 0x80 || b > 0xBF) return 0;
    code = (code << 6) | static_cast<uint32_t>(b & 0x3F);
  }
  const bool overlong = (len == 3 && code < 0x800) || (len == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (overlong || surrogate || code > 0x10FFFF) return 0;
  return len;
}

}  // namespace

String UnescapeJsonString(const String& raw) {
  size_t i = raw.find(u'\\');
  if (i == String::npos) return raw;
  String out = raw.substr(0, i);
  while (i < raw.size()) {
    const Char c = raw[i];
    if (c != u'\\') {
      out += c;
      ++i;
      continue;
    }
    if (i + 1 >= raw.size()) break;  // a lone backslash at the end is dropped
    const Char e = raw[i + 1];
    i += 2;
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
        size_t end = 0;
        uint32_t code = ReadHex4(raw, i, end);
        i = end;
        if (code >= 0xD800 && code <= 0xDBFF) {
          // A high surrogate joins a directly following low surrogate escape.
          size_t lowEnd = 0;
          if (i + 6 <= raw.size() && raw[i] == u'\\' && raw[i + 1] == u'u') {
            const uint32_t low = ReadHex4(raw, i + 2, lowEnd);
            if (low >= 0xDC00 && low <= 0xDFFF) {
              code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
              i = lowEnd;
            }
          }
        }
        if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
        AppendBytes(out, CodePointToUtf8(code));
        break;
      }
      default: break;  // unknown escape: both characters are dropped
    }
  }
  return out;
}

String DecodeByteChars(const String& s) {
  size_t i = 0;
  while (i < s.size() && s[i] < 0x80) ++i;
  if (i == s.size()) return s;
  String out = s.substr(0, i);
  while (i < s.size()) {
    uint32_t code = 0;
    const size_t len = SequenceAt(s, i, code);
    if (len == 0) {
      out += s[i++];
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<Char>(0xD800 + (code >> 10));
      out += static_cast<Char>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<Char>(code);
    }
    i += len;
  }
  return out;
}
