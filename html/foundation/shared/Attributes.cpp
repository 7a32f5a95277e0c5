#include "html/foundation/shared/Attributes.h"

#include <algorithm>
#include <cmath>

#include "html/foundation/css/StyleParser.h"
#include "html/foundation/globals/TextHelpers.h"

TAttribute::TAttribute(uint8_t symbol, double number, const String& name, const String& valueText, int codePage)
    : Symbol(symbol),
      AttrName(name),
      IntValue(std::isfinite(number) && std::fabs(number) < 2147483648.0 ? static_cast<int32_t>(std::trunc(number)) : 0),
      Number(number),
      ValueText(valueText),
      TextCodePage(codePage) {}

std::unique_ptr<TAttributeList> TAttributeList::CreateFrom(const TAttributeList& source) {
  auto list = std::make_unique<TAttributeList>();
  for (int i = 0; i < source.Count(); ++i) list->Add(TAttribute::CreateFrom(*source.AttributeAt(i)).release());
  return list;
}

TAttributeList::~TAttributeList() { TFreeList::Clear(); }

void TAttributeList::Clear() {
  TFreeList::Clear();
  CachedId.clear();
}

bool TAttributeList::FindSymbol(uint8_t symbol, TAttribute*& attribute) const {
  for (int i = 0; i < Count(); ++i)
    if (AttributeAt(i)->Symbol == symbol) {
      attribute = AttributeAt(i);
      return true;
    }
  return false;
}

std::vector<String> TAttributeList::ToNameValueList() const {
  std::vector<String> lines;
  for (int i = 0; i < Count(); ++i) lines.push_back(AttributeAt(i)->AttrName + u"=" + AttributeAt(i)->ValueText);
  return lines;
}

String TAttributeList::GetClassNames() const {
  TAttribute* a;
  if (!FindSymbol(ClassAttrSy, a)) return String();
  const String value = LowerCaseText(TrimText(a->ValueText));
  if (value.find(u' ') == String::npos) return value;
  // Each name runs to the next blank; the blank and any blanks, tabs or line ends after it
  // are skipped. (The value ends in a name, so nothing trails the last one.)
  String dotted;
  dotted.reserve(value.size() + 1);
  size_t at = 0;
  while (at < value.size()) {
    const size_t blank = std::min(value.find(u' ', at), value.size());
    dotted += u'.';
    dotted.append(value, at, blank - at);
    at = blank;
    while (at < value.size() && value[at] <= u' ') ++at;
  }
  String sorted = SortSimpleSelector(dotted);
  if (!sorted.empty() && sorted[0] == u'.') sorted.erase(0, 1);
  return sorted;
}

String TAttributeList::GetIdentifier() {
  if (!CachedId.empty()) return CachedId;
  TAttribute* a;
  if (FindSymbol(IdAttrSy, a)) CachedId = LowerCaseText(a->ValueText);
  return CachedId;
}

String TAttributeList::GetTitleText() const {
  TAttribute* a;
  return FindSymbol(TitleAttrSy, a) ? a->ValueText : String();
}

TProperties* TAttributeList::GetStyleProperties() {
  TAttribute* a;
  if (!FindSymbol(StyleAttrSy, a)) return nullptr;
  StyleProps = std::make_unique<TProperties>();
  ParseStyleAttribute(a->ValueText, *StyleProps);
  return StyleProps.get();
}
