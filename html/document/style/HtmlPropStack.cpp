#include "html/document/style/HtmlPropStack.h"

#include <memory>

#include "html/document/model/Document.h"
#include "html/foundation/symbols/SymbolTables.h"

TProperties* THtmlPropStack::PushNewProps(uint8_t tagSymbol, const String& classText, TProperties* attributes,
                                          const String& title, const String& pseudo, const String& id) {
  if (Count() >= MaxDepth || beyondDepthCount_ > 0) {
    ++beyondDepth_[tagSymbol];
    ++beyondDepthCount_;
    return nullptr;
  }
  auto props = std::make_unique<TProperties>(this, Document && Document->UseQuirks);
  props->TagSymbol = tagSymbol;
  const String tagName = SymbolToTagName(tagSymbol);
  if (TProperties* parent = TopProps()) props->TakeParentValues(tagName, *parent);
  TProperties* added = Add(std::move(props));
  if (Document && Document->StyleList)
    added->ApplyStyleRules(*Document->StyleList, tagName, Count() - 1, attributes, title, pseudo, id, classText);
  return added;
}

void THtmlPropStack::PopProps(uint8_t tagSymbol) {
  // Elements beyond the depth limit are the innermost ones: they close first.
  if (beyondDepth_[tagSymbol] > 0) {
    --beyondDepth_[tagSymbol];
    --beyondDepthCount_;
    return;
  }
  int index = Count() - 1;
  while (index >= 1 && PropsAt(index)->TagSymbol != tagSymbol) --index;
  if (index < 1) return;
  TProperties& closing = *PropsAt(index);
  if (Document && closing.HasVisibleBorder()) Document->CloseInlineBorder(SourcePosition, closing);
  Delete(index);
  if (index == 1) return;
  for (int i = index; i < Count(); ++i) {
    if (Document && Document->StyleList) PropsAt(i)->MergeUnsetValues(*PropsAt(i - 1), *Document->StyleList, i);
  }
}

void THtmlPropStack::PopTop() {
  // Elements counted beyond the limit are the top; the parser pops the top to end everything
  // an element left open, so they all end here.
  if (beyondDepthCount_ > 0) {
    beyondDepth_.fill(0);
    beyondDepthCount_ = 0;
    return;
  }
  if (Count() >= 2) Delete(Count() - 1);
}

void THtmlPropStack::Clear() {
  while (Count() > 0) Delete(Count() - 1);
  beyondDepth_.fill(0);
  beyondDepthCount_ = 0;
}
