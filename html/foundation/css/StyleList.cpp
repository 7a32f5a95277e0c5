#include "html/foundation/css/StyleList.h"

#include <cstdio>

#include "html/foundation/css/Colours.h"

TProperties* TPropStack::Add(std::unique_ptr<TProperties> props) {
  items_.push_back(std::move(props));
  return items_.back().get();
}

TProperties* TPropStack::Insert(int index, std::unique_ptr<TProperties> props) {
  auto it = items_.insert(items_.begin() + index, std::move(props));
  return it->get();
}

void TPropStack::Delete(int index) { items_.erase(items_.begin() + index); }

void TStyleList::Clear() {
  rules_.clear();
  DefaultProperties = nullptr;
  RuleCounter = 10;
}

TProperties* TStyleList::Find(const String& key) const {
  auto it = rules_.find(key);
  return it == rules_.end() ? nullptr : it->second.get();
}

TProperties* TStyleList::AddObject(const String& key, std::unique_ptr<TProperties> body) {
  body->TagName = key;
  return rules_.emplace(key, std::move(body))->second.get();
}

TProperties* TStyleList::AddPropertiesCopy(const String& key, const TProperties& props) {
  auto body = std::make_unique<TProperties>(props.OwnerStack, QuirksMode);
  body->CopyValues(props);
  return AddObject(key, std::move(body));
}

String TStyleList::NextRuleKey() {
  char text[16];
  std::snprintf(text, sizeof text, "%.5d", RuleCounter++);
  return String(text, text + std::char_traits<char>::length(text));
}

void TStyleList::SetPseudoColor(const String& state, TColor colour) {
  if (TProperties* rule = Find(u"::" + state)) rule->Values[Color] = colour;
}

void TStyleList::FixupTableRules(const TProperties& props) {
  static const TStylePropIndex borderColours[] = {BorderTopColor, BorderRightColor, BorderBottomColor,
                                                  BorderLeftColor};
  if (TProperties* table = Find(u"table")) {
    for (TStylePropIndex i : {FontSize, FontStyle, FontWeight, FontVariant, Color}) table->Values[i] = props.Values[i];
    for (TStylePropIndex i : borderColours) table->Values[i] = props.Values[i];
  }
  for (const char16_t* key : {u"td", u"th"}) {
    if (TProperties* cell = Find(key)) {
      cell->Values[Color] = props.Values[Color];
      for (TStylePropIndex i : borderColours) cell->Values[i] = props.Values[i];
    }
  }
}

void TStyleList::AddDeclaration(const String& key, const String& name, const String& value) {
  const auto index = PropertyIndexOf(name);
  if (!index) return;
  TProperties* body = Find(key);
  std::unique_ptr<TProperties> fresh;
  if (!body) {
    fresh = std::make_unique<TProperties>();
    body = fresh.get();
  }
  TColor colour;
  switch (*index) {
    case Color:
      if (ParseColorText(value, false, colour)) {
        body->Values[Color] = colour;
        if (key == u":link") {
          SetPseudoColor(u"hover", colour);
          SetPseudoColor(u"visited", colour);
        } else if (key == u":visited") {
          SetPseudoColor(u"hover", colour);
        }
      }
      break;
    default:
      body->StoreDeclaration(*index, value);
  }
  if (fresh) AddObject(key, std::move(fresh));
  if (key.find(u":hover") != String::npos) NoteHoverRule(true);
  if (key == u"a") AddDeclaration(u"::link", name, value);
  if (QuirksMode && key == u"body" && *index == Color) FixupTableRules(*Find(u"body"));
}
