// A document's style sheet (rule bodies under selector keys) and the stack of the open
// elements' property sets.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "html/foundation/css/Properties.h"

class TPropStack {
 public:
  virtual ~TPropStack() = default;
  int Count() const { return static_cast<int>(items_.size()); }
  TProperties* PropsAt(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TProperties* TopProps() const { return items_.empty() ? nullptr : items_.back().get(); }
  TProperties* Add(std::unique_ptr<TProperties> props);
  TProperties* Insert(int index, std::unique_ptr<TProperties> props);
  void Delete(int index);

 private:
  std::vector<std::unique_ptr<TProperties>> items_;
};

class TStyleList {
 public:
  using TRules = std::multimap<String, std::unique_ptr<TProperties>>;

  TStyleList() = default;
  virtual ~TStyleList() = default;
  TStyleList(const TStyleList&) = delete;
  TStyleList& operator=(const TStyleList&) = delete;

  // Called with true whenever a declaration is stored under a key with ":hover".
  virtual void NoteHoverRule(bool flag) = 0;

  void Clear();
  void AddDeclaration(const String& key, const String& name, const String& value);
  TProperties* AddPropertiesCopy(const String& key, const TProperties& props);
  TProperties* AddObject(const String& key, std::unique_ptr<TProperties> body);
  void SetPseudoColor(const String& state, TColor colour);
  void FixupTableRules(const TProperties& props);
  String NextRuleKey();
  void BuildDefaultSheet(const String& fontName, const String& preFontName, double pointSize,
                         TColor fontColour, TColor linkColour, TColor visitedColour,
                         TColor hoverColour, bool underlineLinks, int codePage, uint8_t charset,
                         int32_t marginHeight, int32_t marginWidth);

  // The first body under the key; nil when there is none.
  TProperties* Find(const String& key) const;
  const TRules& Rules() const { return rules_; }
  int Count() const { return static_cast<int>(rules_.size()); }

  int32_t RuleCounter = 10;
  bool QuirksMode = false;
  TProperties* DefaultProperties = nullptr;

 private:
  TRules rules_;
};
