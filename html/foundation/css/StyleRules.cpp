// Applying the rules of a style list to an element's property set: the fixed order of key
// look-ups, descendant and child keys matched against the property stack, link fonts.
#include <vector>

#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/fonts/FirstAvailableFont.h"
#include "html/foundation/fonts/FontInfo.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/globals/EngineSettings.h"
#include "html/foundation/globals/TextHelpers.h"
#include "platform/rtl/IntConvert.h"

struct TRuleMerger {
  static void UpdateLinkInfo(ThtFontInfo& info, int index, const TPropValue& v, bool quirks, double baseSize) {
    const String text = v.TextOrEmpty();
    switch (index) {
      case FontFamily:
        if (String name = FirstAvailableFont(text); !name.empty()) info.Name = name;
        break;
      case FontSize:
        info.Size = v.IsNumber() ? v.AsReal() : FontSizeToPoints(text, quirks, baseSize);
        break;
      case FontStyle:
        if (text == u"italic" || text == u"oblique") info.Style |= fsItalic;
        else if (text == u"normal") info.Style &= static_cast<TFontStyles>(~fsItalic);
        break;
      case FontWeight:
        if (text.find(u"bold") != String::npos) info.Style |= fsBold;
        else if (text.find(u"normal") != String::npos) info.Style &= static_cast<TFontStyles>(~fsBold);
        else if ((v.IsNumber() ? v.AsReal() : StrToIntDef(text, 0)) >= 600) info.Style |= fsBold;
        break;
      case TextDecoration:
        if (text == u"underline") info.Style |= fsUnderline;
        else if (text == u"line-through") info.Style |= fsStrikeOut;
        else if (text == u"none") info.Style &= static_cast<TFontStyles>(~(fsUnderline | fsStrikeOut));
        break;
      case LetterSpacing:
        info.LetterSpacing = v;
        break;
      case Color:
        if (v.IsInt()) info.Color = v.AsInt();
        break;
      case BackgroundColor:
        if (v.IsInt()) info.BackColor = v.AsInt();
        break;
    }
  }

  static void Merge(TProperties& target, const TProperties& body, bool fillOnly,
                    const TProperties::TRelativeSizeBase& base) {
    for (int i = 0; i < PropertyCount; ++i) {
      const TPropValue& v = body.Values[i];
      if (fillOnly && !(target.Values[i].IsEmpty() || EqualsUnsetSentinel(target.Values[i]))) continue;
      if (v.IsEmpty()) continue;
      if (i <= BackgroundColor) {
        target.Values[i] = v;
        target.OwnFlags[i] = true;
        if (target.IsLink && target.LinkFontInfos)
          for (int k = 0; k < 4; ++k)
            UpdateLinkInfo((*target.LinkFontInfos)[k], i, v, target.QuirksMode, base.Link[static_cast<size_t>(k)]);
      } else if (i >= FirstBoxProperty && i <= LastBoxProperty) {
        if (v.IsText() || (v.IsNumber() && !EqualsUnsetSentinel(v))) {
          target.Values[i] = v;
          target.OwnFlags[i] = true;
        }
      } else {
        target.Values[i] = v;
        target.OwnFlags[i] = true;
      }
    }
  }
};

namespace {
struct TStep {
  String Tag, Class, Id, Pseudo;
  bool ChildOnly = false;  // the next step up must be the immediate parent
};

void CutAt(String& rest, Char marker, String& part) {
  const size_t at = rest.find(marker);
  if (at == String::npos) return;
  part = rest.substr(at + 1);
  rest.erase(at);
}

std::vector<TStep> SplitKey(const String& key) {
  std::vector<TStep> steps;
  size_t pos = 0;
  while (pos < key.size() && steps.size() < 20) {
    size_t blank = key.find(u' ', pos);
    if (blank == String::npos) blank = key.size();
    String text = key.substr(pos, blank - pos);
    pos = blank + 1;
    if (text.empty()) continue;
    if (steps.size() == 1) {
      size_t d = 0;
      while (d < text.size() && text[d] >= u'0' && text[d] <= u'9') ++d;
      text.erase(0, d);
    }
    TStep step;
    if (const size_t gt = text.find(u'>'); gt != String::npos) {
      text.erase(gt, 1);
      if (!steps.empty()) steps.back().ChildOnly = true;
    }
    CutAt(text, u':', step.Pseudo);
    CutAt(text, u'#', step.Id);
    CutAt(text, u'.', step.Class);
    step.Tag = text;
    steps.push_back(std::move(step));
  }
  return steps;
}

bool ClassesMatch(const String& wanted, const String& have) {
  if (wanted.empty() || wanted == have) return true;
  const String dotted = u"." + have + u".";
  size_t pos = 0;
  while (pos <= wanted.size()) {
    size_t dot = wanted.find(u'.', pos);
    if (dot == String::npos) dot = wanted.size();
    if (dotted.find(u"." + wanted.substr(pos, dot - pos) + u".") == String::npos) return false;
    pos = dot + 1;
  }
  return true;
}

bool EntryMatches(const TStep& step, const TProperties& entry) {
  return (step.Tag.empty() || step.Tag == entry.TagName) && ClassesMatch(step.Class, entry.ClassText) &&
         (step.Id.empty() || step.Id == entry.IdText) && (step.Pseudo.empty() || step.Pseudo == entry.PseudoName);
}

// True when the key's steps match the element and the stack below stackIndex.
bool DescendantMatches(const std::vector<TStep>& steps, const TPropStack* stack, int stackIndex, const String& tag,
                       const String& cls, const String& id, const String& pseudo) {
  if (steps.size() < 2 || !stack) return false;
  const TStep& subject = steps[0];
  if (!(subject.Tag.empty() || subject.Tag == tag) || !(subject.Class.empty() || subject.Class == cls) ||
      !(subject.Id.empty() || subject.Id == id) ||
      !(subject.Pseudo == pseudo || (subject.Pseudo.empty() && pseudo == u"link")))
    return false;
  size_t next = 1;
  bool childOnly = subject.ChildOnly;
  for (int k = std::min(stackIndex - 1, stack->Count() - 1); k >= 1; --k) {
    if (EntryMatches(steps[next], *stack->PropsAt(k))) {
      if (next + 1 == steps.size()) return true;
      childOnly = steps[next].ChildOnly;
      ++next;
    } else if (childOnly) {
      return false;
    }
  }
  return false;
}
}  // namespace

void TProperties::ApplyStyleRulesPass(TStyleList& styles, int stackIndex, const String& t, const String& c,
                                      const String& i, const String& p, TProperties* s,
                                      const TRelativeSizeBase& base) {
  const bool all = p.empty() || (p != u"hover" && p != u"visited");
  const auto& rules = styles.Rules();
  auto merge = [&](const String& key) {
    auto [first, last] = rules.equal_range(key);
    for (auto it = first; it != last; ++it) TRuleMerger::Merge(*this, *it->second, false, base);
  };
  if (t == u"a" && (p == u"link" || p == u"visited")) merge(u"::" + p);
  if (all) merge(t);
  if (!p.empty()) merge(u":" + p);
  if (all && !c.empty()) {
    merge(u"." + c);
    merge(t + u"." + c);
  }
  if (!p.empty()) {
    merge(t + u":" + p);
    if (!c.empty()) {
      merge(u"." + c + u":" + p);
      merge(t + u"." + c + u":" + p);
    }
  }
  std::vector<String> prefixes;
  if (all) prefixes.push_back(t);
  if (!p.empty()) prefixes.push_back(u":" + p);
  if (all && !c.empty()) {
    prefixes.push_back(u"." + c);
    prefixes.push_back(t + u"." + c);
  }
  if (!p.empty()) {
    prefixes.push_back(t + u":" + p);
    if (!c.empty()) {
      prefixes.push_back(u"." + c + u":" + p);
      prefixes.push_back(t + u"." + c + u":" + p);
    }
  }
  if (!i.empty()) {
    std::vector<String> idKeys = {u"#" + i, t + u"#" + i};
    if (!c.empty()) idKeys.push_back(u"." + c + u"#" + i);
    if (!p.empty()) {
      idKeys.push_back(u"#" + i + u":" + p);
      idKeys.push_back(t + u"#" + i + u":" + p);
    }
    if (!c.empty()) idKeys.push_back(t + u"." + c + u"#" + i);
    if (!c.empty() && !p.empty()) {
      idKeys.push_back(u"." + c + u"#" + i + u":" + p);
      idKeys.push_back(t + u"." + c + u"#" + i + u":" + p);
    }
    for (const String& key : idKeys) {
      merge(key);
      prefixes.push_back(key);
    }
  }
  // Descendant keys: the keys that begin with "prefix " sort together.
  for (const String& bare : prefixes) {
    const String prefix = bare + u" ";
    for (auto it = rules.lower_bound(prefix); it != rules.end(); ++it) {
      const String& key = it->first;
      if (key.compare(0, prefix.size(), prefix) != 0) break;
      const std::vector<TStep> steps = SplitKey(key);
      if (DescendantMatches(steps, OwnerStack, stackIndex, t, c, i, p))
        TRuleMerger::Merge(*this, *it->second, false, base);
    }
  }
  if (s) TRuleMerger::Merge(*this, *s, false, base);
  if (t == u"a" && p != u"hover" && p != u"active") {
    auto [first, last] = rules.equal_range(u"::" + p);
    for (auto it = last; it != first;) TRuleMerger::Merge(*this, *(--it)->second, true, base);
  }
  if (!Values[FontSize].IsNumber())
    Values[FontSize] = FontSizeToPoints(Values[FontSize].TextOrEmpty(), QuirksMode, base.Own);
}

void TProperties::ApplyStyleRules(TStyleList& styles, const String& tag, int stackIndex, TProperties* styleAttr,
                                  const String& title, const String& pseudo, const String& id,
                                  const String& classText) {
  const String classes = TrimText(classText);
  // Relative font sizes are taken of the sizes the element starts with, in every pass (a
  // code element of 0.83em with six classes inside a link came out at a quarter of its size).
  const double defaultSize = EngineSettings().DefaultPointSize;
  TRelativeSizeBase base;
  base.Own = (QuirksMode && (tag == u"td" || tag == u"th"))                    ? defaultSize
             : Values[FontSize].IsNumber() && Values[FontSize].AsReal() > 0 ? Values[FontSize].AsReal()
                                                                            : defaultSize;
  for (size_t k = 0; k < base.Link.size(); ++k)
    base.Link[k] = LinkFontInfos ? (*LinkFontInfos)[static_cast<int>(k)].Size : 0;
  const size_t lastDot = classes.rfind(u'.');
  if (lastDot != String::npos) {
    size_t pos = 0;
    while (true) {
      const size_t dot = classes.find(u'.', pos);
      if (dot == String::npos) break;
      ApplyStyleRulesPass(styles, stackIndex, tag, classes.substr(pos, dot - pos), id, pseudo, nullptr, base);
      pos = dot + 1;
    }
    ApplyStyleRulesPass(styles, stackIndex, tag, classes.substr(lastDot + 1), id, pseudo, styleAttr, base);
  }
  ApplyStyleRulesPass(styles, stackIndex, tag, classes, id, pseudo, styleAttr, base);
  TagName = tag;
  ClassText = classes;
  IdText = id;
  PseudoName = pseudo;
  StyleAttrProps = styleAttr;
  if (!title.empty()) TitleText = title;
  if (pseudo == u"link" && OwnerStack && OwnerStack->Count() > 0) {
    OwnerStack->TopProps()->BuildLinkFonts(styles, stackIndex);
    OwnerStack->TopProps()->IsLink = true;
  }
}

void TProperties::BuildLinkFonts(TStyleList& styles, int k) {
  TPropStack* stack = OwnerStack;
  if (!stack || k < 0 || k >= stack->Count()) return;
  TProperties* link = stack->PropsAt(k);
  if (!link->LinkFontInfos) link->LinkFontInfos = std::make_unique<TFontInfoArray>();
  TFontInfoArray& infos = *link->LinkFontInfos;
  link->TakeBackgroundColor();
  link->FillFontInfo(infos[0]);
  auto makeState = [&](const TProperties& from, const String& state, int at) {
    TProperties* p = stack->Insert(at, std::make_unique<TProperties>(stack, link->QuirksMode));
    p->TakeParentValues(String(), from);
    p->IsLink = false;
    p->ApplyStyleRules(styles, link->TagName, k, link->StyleAttrProps, link->TitleText, state, link->IdText,
                       link->ClassText);
    p->TakeBackgroundColor();
    return p;
  };
  TProperties* visited = makeState(*link, u"visited", k + 1);
  visited->FillFontInfo(infos[1]);
  TProperties* visitedHover = makeState(*visited, u"hover", k + 2);
  visitedHover->FillFontInfo(infos[3]);
  stack->Delete(k + 2);
  stack->Delete(k + 1);
  TProperties* hover = makeState(*link, u"hover", k + 1);
  hover->FillFontInfo(infos[2]);
  stack->Delete(k + 1);
}
