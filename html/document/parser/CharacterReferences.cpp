// Character references: "&#123;", "&#x1F600;" and named entities.
#include "html/document/parser/HtmlParser.h"
#include "html/foundation/symbols/SymbolTables.h"
#include "platform/rtl/CodePages.h"

namespace {

constexpr int64_t MaxCodePoint = 0x10FFFF;
constexpr Char Replacement = 0xFFFD;

bool IsAlnum(Char c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

int HexValue(Char c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The text of a character value: tab a space, other controls "?", NUL, surrogates and
// values beyond Unicode U+FFFD, supplementary characters as surrogate pairs. Numeric
// references to 128..159 mean the characters of code page 1252 in every document.
String CharacterText(int64_t value, bool numeric) {
  if (value == 9) return u" ";
  if (value == 0 || value > MaxCodePoint || (value >= 0xD800 && value <= 0xDFFF)) return String(1, Replacement);
  if (value < 32) return u"?";
  if (numeric && value >= 128 && value <= 159) {
    const String text = AnsiToString(std::string(1, static_cast<char>(value)));
    if (text.size() == 1 && text[0] != Replacement) return text;
    return String(1, static_cast<Char>(value));
  }
  if (value > 0xFFFF) {
    const int64_t v = value - 0x10000;
    return String{static_cast<Char>(0xD800 + (v >> 10)), static_cast<Char>(0xDC00 + (v & 0x3FF))};
  }
  return String(1, static_cast<Char>(value));
}

}  // namespace

void THtmlParser::ReadEntity(String& text, bool inAttribute) {
  String raw(1, u'&');
  GetChar();
  if (Ch == u'#') {
    raw += Ch;
    GetChar();
    const bool hex = Ch == u'x' || Ch == u'X';
    if (hex) {
      raw += Ch;
      GetChar();
    }
    int64_t value = 0;
    bool digits = false;
    for (;;) {
      const int d = hex ? HexValue(Ch) : (Ch >= u'0' && Ch <= u'9' ? Ch - u'0' : -1);
      if (d < 0) break;
      digits = true;
      value = std::min<int64_t>(value * (hex ? 16 : 10) + d, MaxCodePoint + 1);  // saturates
      GetChar();
    }
    if (!digits) {
      text = raw;
      return;
    }
    text = CharacterText(value, true);
    if (Ch == u';') GetChar();
    return;
  }

  String name;
  while (name.size() < 11 && IsAlnum(Ch)) {
    name += Ch;
    GetChar();
  }
  raw += name;
  const TEntity* entity = name.empty() ? nullptr : EntityNameList().Find(name);
  if (!entity) {
    text = raw;
  } else if (Ch == u';') {
    text = CharacterText(entity->Code, false);
    GetChar();
  } else if (entity->Code <= 255 && !(inAttribute && (Ch == u'=' || IsAlnum(Ch)))) {
    text = CharacterText(entity->Code, false);
  } else {
    text = raw;
  }
}
