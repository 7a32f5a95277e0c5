// The text forms of a line list: Text, DelimitedText and CommaText.
#include "platform/rtl/Strings.h"

namespace {

bool IsBlankOrControl(Char c) { return c <= u' '; }

String Quoted(const String& s, Char quote) {
  String out;
  out.reserve(s.size() + 2);
  out += quote;
  for (Char c : s) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}

// Reads a quoted part starting at the opening quote; pos ends after the closing quote
// (or at the end when there is none). Doubled quotes inside stand for one.
String ExtractQuoted(const String& text, size_t& pos, Char quote) {
  String out;
  ++pos;
  while (pos < text.size()) {
    const Char c = text[pos++];
    if (c != quote) {
      out += c;
    } else if (pos < text.size() && text[pos] == quote) {
      out += quote;
      ++pos;
    } else {
      break;
    }
  }
  return out;
}

String JoinDelimited(const TStrings& list, Char delimiter, Char quote, bool strict) {
  const int n = list.Count();
  if (n == 1 && list.Get(0).empty()) return String(2, quote);
  String out;
  for (int i = 0; i < n; ++i) {
    const String s = list.Get(i);
    bool quote_it = false;
    for (Char c : s)
      if (c == quote || c == delimiter || (!strict && IsBlankOrControl(c))) {
        quote_it = true;
        break;
      }
    if (i > 0) out += delimiter;
    out += quote_it ? Quoted(s, quote) : s;
  }
  return out;
}

std::vector<TStringItem> SplitDelimited(const String& text, Char delimiter, Char quote, bool strict) {
  std::vector<TStringItem> parts;
  size_t pos = 0;
  const size_t end = text.size();
  auto skipBlanks = [&] {
    if (!strict)
      while (pos < end && IsBlankOrControl(text[pos])) ++pos;
  };
  skipBlanks();
  while (pos < end) {
    if (text[pos] == quote) {
      parts.push_back({ExtractQuoted(text, pos, quote)});
    } else {
      const size_t start = pos;
      while (pos < end && text[pos] != delimiter && (strict || !IsBlankOrControl(text[pos]))) ++pos;
      parts.push_back({text.substr(start, pos - start)});
    }
    skipBlanks();
    if (pos < end && text[pos] == delimiter) {
      if (pos + 1 == end) parts.push_back({});
      ++pos;
      skipBlanks();
    }
  }
  return parts;
}

}  // namespace

String TStrings::Text() const {
  const int n = Count();
  std::vector<String> lines;
  lines.reserve(static_cast<size_t>(n));
  size_t size = 0;
  for (int i = 0; i < n; ++i) {
    lines.push_back(Get(i));
    size += lines.back().size() + 2;
  }
  String out;
  out.reserve(size);
  for (const String& line : lines) {
    out += line;
    out += u"\r\n";
  }
  return out;
}

void TStrings::SetText(const String& text) {
  std::vector<TStringItem> lines;
  size_t pos = 0;
  const size_t end = text.size();
  while (pos < end) {
    size_t stop = pos;
    while (stop < end && text[stop] != u'\r' && text[stop] != u'\n') ++stop;
    lines.push_back({text.substr(pos, stop - pos)});
    pos = stop;
    if (pos < end && text[pos] == u'\r') {
      ++pos;
      if (pos < end && text[pos] == u'\n') ++pos;
    } else if (pos < end) {
      ++pos;  // LF
    }
  }
  TUpdateScope update(*this);
  Clear();
  AddItems(std::move(lines));
}

String TStrings::DelimitedText() const {
  return JoinDelimited(*this, Delimiter, QuoteChar, StrictDelimiter);
}

void TStrings::SetDelimitedText(const String& text) {
  auto parts = SplitDelimited(text, Delimiter, QuoteChar, StrictDelimiter);
  TUpdateScope update(*this);
  Clear();
  AddItems(std::move(parts));
}

String TStrings::CommaText() const { return JoinDelimited(*this, u',', u'"', StrictDelimiter); }

void TStrings::SetCommaText(const String& text) {
  auto parts = SplitDelimited(text, u',', u'"', StrictDelimiter);
  TUpdateScope update(*this);
  Clear();
  AddItems(std::move(parts));
}
