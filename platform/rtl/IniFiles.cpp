// The typed values of ini files, on top of the string values a derived class stores.
#include <charconv>
#include <cmath>
#include <string>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Unicode.h"

bool IniValueStorable(const String& value) {
  if (!value.empty() && (value.front() <= u' ' || value.back() <= u' ')) return false;
  for (size_t i = 0, units = 1; i < value.size(); i += units) {
    const char32_t c = CodePointAt(value, i, units);
    if (c == u'\r' || c == u'\n' || (c >= 0xD800 && c <= 0xDFFF)) return false;
  }
  return true;
}

bool TryParseIniFloat(const String& text, double& value) {
  std::string ascii;
  for (Char c : Trim(text)) {
    if (c > 0x7F) return false;
    ascii += c == u',' ? '.' : static_cast<char>(c);
  }
  const char* first = ascii.data();
  const char* last = ascii.data() + ascii.size();
  if (first != last && *first == '+') ++first;
  if (first == last || *first == '+') return false;
  double parsed = 0;
  const auto [end, error] = std::from_chars(first, last, parsed);
  if (error != std::errc() || end != last || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

String FormatIniFloat(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return Utf8ToString(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

int TCustomIniFile::ReadInteger(const String& section, const String& ident, int fallback) const {
  return StrToIntDef(ReadString(section, ident, {}), fallback);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool fallback) const {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? u"1" : u"0");
}

double TCustomIniFile::ReadFloat(const String& section, const String& ident, double fallback) const {
  double value = fallback;
  return TryParseIniFloat(ReadString(section, ident, {}), value) ? value : fallback;
}

void TCustomIniFile::WriteFloat(const String& section, const String& ident, double value) {
  WriteString(section, ident, FormatIniFloat(value));
}
