#include "app/SitemapUrls.h"

#include <algorithm>

#include "platform/rtl/HexDigits.h"
#include "platform/rtl/StrUtils.h"

namespace {

// The character of a reference's body ("amp", "#38", "#x26"), or 0 when it names none.
char32_t ReferencedCharacter(const String& body) {
  if (body == u"amp") return U'&';
  if (body == u"lt") return U'<';
  if (body == u"gt") return U'>';
  if (body == u"quot") return U'"';
  if (body == u"apos") return U'\'';
  if (body.size() < 2 || body[0] != u'#') return 0;
  bool hex = body[1] == u'x' || body[1] == u'X';
  size_t i = hex ? 2 : 1;
  if (i >= body.size() || body.size() - i > 8) return 0;
  char32_t value = 0;
  for (; i < body.size(); ++i) {
    const int digit = HexDigitValue(body[i]);
    if (digit < 0 || (!hex && digit > 9)) return 0;
    value = value * (hex ? 16 : 10) + digit;
  }
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return value;
}

void AppendCodePoint(String& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<Char>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<Char>(0xD800 + (c >> 10)));
    out.push_back(static_cast<Char>(0xDC00 + (c & 0x3FF)));
  }
}

}  // namespace

String SplitAtLocTags(const String& text) {
  String split = StringReplace(text, u"<loc>", u"<loc>\r\n", rfReplaceAll | rfIgnoreCase);
  return StringReplace(split, u"</loc>", u"\r\n</loc>", rfReplaceAll | rfIgnoreCase);
}

String DecodeXmlReferences(const String& text) {
  String out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      size_t end = text.find(u';', i + 1);
      if (end != String::npos && end - i <= 12) {
        char32_t c = ReferencedCharacter(text.substr(i + 1, end - i - 1));
        if (c) {
          AppendCodePoint(out, c);
          i = end;
          continue;
        }
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

std::vector<String> ExtractSitemapUrls(const String& text) {
  std::vector<String> urls;
  const String upper = AnsiUpperCase(text);
  size_t at = 0;
  while ((at = upper.find(u"<LOC>", at)) != String::npos) {
    const size_t start = at + 5;
    // The value ends at its "</loc>", or where the next <loc> starts when one comes first.
    size_t end = std::min(upper.find(u"</LOC>", start), upper.find(u"<LOC>", start));
    if (end == String::npos) end = text.size();
    String value = text.substr(start, end - start);
    urls.push_back(DecodeXmlReferences(Trim(value)));
    at = end;
  }
  return urls;
}
