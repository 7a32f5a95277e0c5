// Expansion of the CSS shorthand properties into their longhands.
#include "html/foundation/css/Colours.h"
#include "html/foundation/css/PropertyIndex.h"
#include "html/foundation/css/StyleParser.h"
#include "html/foundation/globals/TextHelpers.h"

namespace {
const char16_t* const BorderStyleKeywords[] = {u"none",   u"solid", u"dashed", u"dotted", u"double",
                                               u"groove", u"inset", u"outset", u"ridge"};
const char16_t* const FontKeywords[] = {u"italic",  u"oblique", u"normal",  u"bolder",  u"lighter",
                                        u"bold",    u"small-caps", u"larger", u"smaller", u"xx-small",
                                        u"x-small", u"small",   u"medium",  u"large",   u"x-large",
                                        u"xx-large"};

bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

template <size_t N>
int IndexIn(const String& word, const char16_t* const (&table)[N]) {
  for (size_t i = 0; i < N; ++i)
    if (word == table[i]) return static_cast<int>(i);
  return -1;
}

// Words of a shorthand value: blanks separate them except inside quotes and after ",";
// a "/" after the first character starts a word of its own.
std::vector<String> SplitWords(const String& value, size_t limit) {
  String text = TrimText(value);
  String squeezed;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u' ' && !squeezed.empty() && (squeezed.back() == u' ' || squeezed.back() == u',')) continue;
    squeezed += text[i];
  }
  std::vector<String> words;
  size_t i = 0;
  while (i < squeezed.size() && words.size() < limit) {
    while (i < squeezed.size() && squeezed[i] == u' ') ++i;
    if (i >= squeezed.size()) break;
    size_t end = i;
    while (end < squeezed.size() && squeezed[end] != u' ') {
      if (squeezed[end] == u'"' || squeezed[end] == u'\'') {
        const size_t close = squeezed.find(squeezed[end], end + 1);
        end = close == String::npos ? squeezed.size() : close + 1;
      } else {
        ++end;
      }
    }
    String word = squeezed.substr(i, end - i);
    const size_t slash = word.find(u'/', 1);
    if (slash != String::npos && slash > 0 && words.size() + 1 < limit) {
      words.push_back(word.substr(0, slash));
      words.push_back(word.substr(slash));
    } else {
      words.push_back(word);
    }
    i = end;
  }
  return words;
}

// Takes the url(, rgb(, rgba(, hsla( and hsl( parts out of the value.
std::vector<String> ExtractFunctions(String& value) {
  std::vector<String> parts;
  for (const char16_t* fn : {u"url(", u"rgb(", u"rgba(", u"hsla(", u"hsl("}) {
    size_t at;
    while ((at = value.find(fn)) != String::npos) {
      const size_t close = value.find(u')', at);
      const size_t end = close == String::npos ? value.size() : close + 1;
      parts.push_back(value.substr(at, end - at));
      value.replace(at, end - at, u" ");
    }
  }
  return parts;
}

bool IsColourWord(const String& word) {
  TColor colour;
  return ParseColorText(word, true, colour);
}
}  // namespace

void THtmlStyleParser::ExpandShorthand(int which, const String& lowered, const String& unquoted) {
  switch (which) {
    case 0: ExpandBoxSides(MarginTop, lowered); break;
    case 1: ExpandBoxSides(PaddingTop, lowered); break;
    case 2: ExpandBoxSides(BorderTopWidth, lowered); break;
    case 8: ExpandFont(unquoted); break;
    case 9: ExpandBackground(lowered); break;
    case 10: ExpandListStyle(lowered); break;
    case 11: ExpandBoxSides(BorderTopColor, lowered); break;
    case 12: ExpandBoxSides(BorderTopStyle, lowered); break;
    default: ExpandBorder(which, lowered);
  }
}

void THtmlStyleParser::ExpandBoxSides(int first, const String& value) {
  const std::vector<String> w = SplitWords(value, 4);
  if (w.empty()) return;
  String top = w[0], right = w[0], bottom = w[0], left = w[0];
  if (w.size() >= 2) right = left = w[1];
  if (w.size() >= 3) bottom = w[2];
  if (w.size() == 4) left = w[3];
  HandleDeclaration(PropertyNames[first], top);
  HandleDeclaration(PropertyNames[first + 1], right);
  HandleDeclaration(PropertyNames[first + 2], bottom);
  HandleDeclaration(PropertyNames[first + 3], left);
}

void THtmlStyleParser::ExpandBorder(int which, const String& value) {
  String rest = value;
  String width = u"medium", style = u"none", colour;
  for (const String& part : ExtractFunctions(rest))
    if (IsColourWord(part)) colour = part;
  for (const String& word : SplitWords(rest, 7)) {
    if (IsColourWord(word)) colour = word;
    else if (IndexIn(word, BorderStyleKeywords) >= 0) style = word;
    else width = word;
  }
  static const char16_t* const sides[] = {u"border-top", u"border-right", u"border-bottom", u"border-left"};
  auto hand = [&](const String& side) {
    if (!colour.empty()) HandleDeclaration(side + u"-color", colour);
    HandleDeclaration(side + u"-width", width);
    HandleDeclaration(side + u"-style", style);
  };
  if (which == 3)
    for (const char16_t* side : sides) hand(side);
  else
    hand(sides[which - 4]);
}

void THtmlStyleParser::ExpandBackground(const String& value) {
  String rest = value;
  String colour = u"transparent", image = u"none", repeat = u"repeat", attachment = u"scroll",
         position = u"0% 0%";
  for (const String& part : ExtractFunctions(rest)) {
    if (part.rfind(u"url(", 0) == 0) image = BasePath.empty() ? part : ResolveCssUrl(part);
    else colour = part;
  }
  std::vector<String> words = SplitWords(rest, 7);
  std::vector<bool> used(words.size(), false);
  for (size_t i = 0; i < words.size(); ++i) {
    if (words[i] == u"none") {
      image = u"none";
      used[i] = true;
    } else if (IsColourWord(words[i])) {
      colour = words[i];
      used[i] = true;
    }
  }
  HandleDeclaration(u"background-color", colour);
  HandleDeclaration(u"background-image", image);
  for (size_t i = 0; i < words.size(); ++i) {
    if (used[i]) continue;
    if (words[i].find(u"repeat") != String::npos) {
      repeat = words[i];
      used[i] = true;
    } else if (words[i] == u"fixed" || words[i] == u"scroll") {
      attachment = words[i];
      used[i] = true;
    }
  }
  HandleDeclaration(u"background-repeat", repeat);
  HandleDeclaration(u"background-attachment", attachment);
  std::vector<String> left;
  for (size_t i = 0; i < words.size(); ++i)
    if (!used[i]) left.push_back(words[i]);
  if (!left.empty()) {
    position.clear();
    for (size_t i = left.size() >= 2 ? left.size() - 2 : 0; i < left.size(); ++i) position += left[i] + u" ";
  }
  HandleDeclaration(u"background-position", position);
}

void THtmlStyleParser::ExpandFont(const String& value) {
  String style = u"normal", variant = u"normal", weight = u"normal";
  String size = QuirksMode ? u"small" : u"medium", lineHeight = u"normal", family;
  for (const String& word : SplitWords(value, 7)) {
    const int keyword = IndexIn(word, FontKeywords);
    if (word[0] == u'/') {
      lineHeight = word.substr(1);
    } else if (IsDigit(word[0]) && word.find(u'/') != String::npos) {
      const size_t slash = word.find(u'/');
      size = word.substr(0, slash);
      lineHeight = word.substr(slash + 1);
    } else if (IsDigit(word[0])) {
      // An integer of 100 or more is a numeric weight, not a size.
      bool integer = true;
      for (Char c : word) integer = integer && IsDigit(c);
      size_t firstNonZero = word.find_first_not_of(u'0');
      const bool large = integer && firstNonZero != String::npos && word.size() - firstNonZero >= 3;
      if (!large) size = word;
    } else if (keyword >= 0) {
      if (keyword <= 1) style = word;
      else if (keyword <= 5) weight = word;
      else if (keyword == 6) variant = word;
      else size = word;
    } else {
      family = word;
    }
  }
  if (family.empty()) return;
  HandleDeclaration(u"font-style", style);
  HandleDeclaration(u"font-variant", variant);
  HandleDeclaration(u"font-weight", weight);
  HandleDeclaration(u"font-size", size);
  HandleDeclaration(u"line-height", lineHeight);
  HandleDeclaration(u"font-family", family);
}

void THtmlStyleParser::ExpandListStyle(const String& value) {
  String type = u"disc", position = QuirksMode ? u"inside" : u"outside", image = u"none";
  for (const String& word : SplitWords(value, 7)) {
    if (word == u"none") type = word;
    else if (word.rfind(u"url(", 0) == 0) image = BasePath.empty() ? word : ResolveCssUrl(word);
    else if (word == u"inside" || word == u"outside") position = word;
    else type = word;
  }
  HandleDeclaration(u"list-style-type", type);
  HandleDeclaration(u"list-style-position", position);
  HandleDeclaration(u"list-style-image", image);
}
