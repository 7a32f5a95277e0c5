#include "platform/net/UrlEncoding.h"

#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Unicode.h"

namespace {

void AppendEscaped(std::string& out, unsigned char b) {
  out.push_back('%');
  out.push_back(HexDigitUpper(b >> 4));
  out.push_back(HexDigitUpper(b));
}

bool IsHexDigit(char c) { return HexDigitValue(static_cast<unsigned char>(c)) >= 0; }

bool IsUnreserved(unsigned char b) {
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
         b == '_' || b == '~';
}

// Bytes that cannot stand in a URL as they are.
bool NeedsEscapeInUrl(unsigned char b) {
  if (b <= 0x20 || b >= 0x7F) return true;
  switch (b) {
    case '"': case '<': case '>': case '\\': case '^': case '`': case '{': case '|': case '}':
      return true;
    default:
      return false;
  }
}

String EncodeValue(const String& value, bool blankAsPlus) {
  std::string out;
  for (const unsigned char b : StringToUtf8(value)) {
    if (IsUnreserved(b)) {
      out.push_back(static_cast<char>(b));
    } else if (blankAsPlus && b == ' ') {
      out.push_back('+');
    } else {
      AppendEscaped(out, b);
    }
  }
  // Only ASCII is left: widening byte by byte is exact.
  return String(out.begin(), out.end());
}

}  // namespace

String UrlEncodeQueryValue(const String& value) { return EncodeValue(value, false); }

String UrlEncodeFormValue(const String& value) { return EncodeValue(value, true); }

std::string EncodeRequestUrl(const String& url) {
  const std::string utf8 = StringToUtf8(url);
  // Keep "scheme://host:port" as it is: a host is no place for escapes.
  size_t start = 0;
  const size_t scheme = utf8.find("://");
  if (scheme != std::string::npos) {
    start = utf8.find_first_of("/?#", scheme + 3);
    if (start == std::string::npos) start = utf8.size();
  }
  std::string out = utf8.substr(0, start);
  for (size_t i = start; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const bool strayPercent = b == '%' && !(i + 2 < utf8.size() && IsHexDigit(utf8[i + 1]) && IsHexDigit(utf8[i + 2]));
    if (NeedsEscapeInUrl(b) || strayPercent) {
      AppendEscaped(out, b);
    } else {
      out.push_back(static_cast<char>(b));
    }
  }
  return out;
}
