#include "app/SitemapUrls.h"

#include <algorithm>
#include <string>

#include "platform/rtl/CodePages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr int kNoCodePage = 0;

// The value of the encoding="..." pseudo-attribute of an XML declaration at the start of
// the bytes (ASCII-compatible encodings only), lower-cased; empty when there is none.
std::string DeclaredEncoding(std::string_view bytes) {
  if (!bytes.starts_with("<?xml")) return {};
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  at = declaration.find_first_not_of(" \t\r\n", at + 8);
  if (at == std::string_view::npos || declaration[at] != '=') return {};
  at = declaration.find_first_not_of(" \t\r\n", at + 1);
  if (at == std::string_view::npos || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const size_t end = declaration.find(declaration[at], at + 1);
  if (end == std::string_view::npos) return {};
  std::string name(declaration.substr(at + 1, end - at - 1));
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

int CodePageOfEncoding(const std::string& name) {
  if (name == "utf-8" || name == "utf8") return CP_UTF8;
  if (name == "windows-1252" || name == "cp1252") return CP_ANSI;
  if (name == "iso-8859-1" || name == "iso8859-1" || name == "iso_8859-1" || name == "latin1" || name == "l1")
    return 28591;
  if (name == "us-ascii" || name == "ascii") return 20127;
  return kNoCodePage;
}

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

}  // namespace

String DecodeSitemapBytes(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return BytesToString(bytes.substr(3), CP_UTF8);
  if (bytes.starts_with("\xFF\xFE")) return BytesToString(bytes.substr(2), CP_UTF16LE);
  if (bytes.starts_with("\xFE\xFF")) return BytesToString(bytes.substr(2), CP_UTF16BE);
  if (bytes.starts_with(std::string_view("<\0?\0", 4))) return BytesToString(bytes, CP_UTF16LE);
  if (bytes.starts_with(std::string_view("\0<\0?", 4))) return BytesToString(bytes, CP_UTF16BE);
  const std::string declared = DeclaredEncoding(bytes);
  if (declared.empty()) return BytesToString(bytes, IsValidUtf8(bytes) ? CP_UTF8 : CP_ANSI);
  const int codePage = CodePageOfEncoding(declared);
  if (codePage == kNoCodePage)
    throw EConvertError(S("Die Sitemap ist in der unbekannten Zeichenkodierung \"") + Utf8ToString(declared) +
                        S("\" geschrieben."));
  return BytesToString(bytes, codePage);
}

String LoadSitemapFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  if (!bytes.empty()) file.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return DecodeSitemapBytes(bytes);
}

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
