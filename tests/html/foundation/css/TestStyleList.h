// A style list for tests that counts hover rules, and a property stack built like the
// document parser builds it.
#pragma once

#include "html/foundation/css/StyleList.h"
#include "tests/html/foundation/css/PropValuePrint.h"

struct TestStyleList : TStyleList {
  int HoverNotes = 0;
  void NoteHoverRule(bool flag) override { HoverNotes += flag ? 1 : 0; }
};

struct TestElement {
  const char16_t* Tag;
  const char16_t* Class = u"";
  const char16_t* Id = u"";
  const char16_t* Pseudo = u"";
};

// The base set (a copy of the "default" rule) and one set per element, each inheriting from
// the one below and receiving its rules.
inline void PushElements(TPropStack& stack, TStyleList& styles, std::initializer_list<TestElement> elements,
                         bool quirks = false) {
  if (stack.Count() == 0) {
    auto base = std::make_unique<TProperties>(&stack, quirks);
    if (styles.DefaultProperties) base->CopyAll(*styles.DefaultProperties);
    stack.Add(std::move(base));
  }
  for (const TestElement& e : elements) {
    auto props = std::make_unique<TProperties>(&stack, quirks);
    props->TakeParentValues(e.Tag, *stack.TopProps());
    TProperties* p = stack.Add(std::move(props));
    p->ApplyStyleRules(styles, e.Tag, stack.Count() - 1, nullptr, u"", e.Pseudo, e.Id, e.Class);
  }
}
