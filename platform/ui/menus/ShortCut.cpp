#include "platform/ui/menus/ShortCut.h"

#include <string>
#include <utility>

#include "platform/rtl/Compare.h"

namespace {

// Named keys besides letters and digits.
const std::pair<const char16_t*, uint16_t> kKeyNames[] = {
    {u"BkSp", 0x08}, {u"Tab", 0x09}, {u"Enter", 0x0D}, {u"Esc", 0x1B}, {u"Space", 0x20},
    {u"PgUp", 0x21}, {u"PgDn", 0x22}, {u"End", 0x23},   {u"Home", 0x24}, {u"Left", 0x25},
    {u"Up", 0x26},   {u"Right", 0x27}, {u"Down", 0x28}, {u"Ins", 0x2D},  {u"Del", 0x2E},
};

const std::pair<const char16_t*, TShortCut> kModifiers[] = {
    {u"Shift+", scShift}, {u"Ctrl+", scCtrl}, {u"Alt+", scAlt}};

bool StartsWithText(const String& s, size_t at, const String& prefix) {
  return s.size() - at >= prefix.size() && SameText(s.substr(at, prefix.size()), prefix);
}

uint16_t KeyFromName(const String& name) {
  if (name.size() == 1) {
    Char c = name[0];
    if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - u'a' + u'A');
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return c;
    return 0;
  }
  for (const auto& [text, key] : kKeyNames)
    if (SameText(name, text)) return key;
  if ((name[0] == u'F' || name[0] == u'f') && name.size() <= 3) {
    int n = 0;
    for (size_t i = 1; i < name.size(); ++i) {
      if (name[i] < u'0' || name[i] > u'9') return 0;
      n = n * 10 + (name[i] - u'0');
    }
    if (n >= 1 && n <= 12) return static_cast<uint16_t>(0x70 + n - 1);
  }
  return 0;
}

}  // namespace

TShortCut TextToShortCut(const String& text) {
  TShortCut mods = 0;
  size_t at = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& [prefix, bit] : kModifiers)
      if (StartsWithText(text, at, prefix)) {
        mods |= bit;
        at += String(prefix).size();
        found = true;
      }
  }
  uint16_t key = KeyFromName(text.substr(at));
  return key ? static_cast<TShortCut>(mods | key) : scNone;
}

String ShortCutToText(TShortCut shortCut) {
  uint16_t key = shortCut & 0xFF;
  if (!key) return String();
  String result;
  for (const auto& [prefix, bit] : kModifiers)
    if (shortCut & bit) result += prefix;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return result + static_cast<Char>(key);
  if (key >= 0x70 && key <= 0x7B) return result + u"F" + (key >= 0x79 ? u"1" : u"") + static_cast<Char>(u'0' + (key - 0x70 + 1) % 10);
  for (const auto& [name, k] : kKeyNames)
    if (k == key) return result + name;
  return String();
}
