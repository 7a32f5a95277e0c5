// The document the layout benchmarks build by hand: the default style sheet (Times New Roman
// 12 points), a property stack with its base entry, a measuring canvas, and elements pushed
// with the style rules (and a STYLE attribute) applied as the parser would.
#pragma once

#include <memory>

#include "html/document/model/Document.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/css/StyleParser.h"
#include "html/foundation/fonts/FontSizes.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"

struct BenchStyleList : TStyleList {
  void NoteHoverRule(bool) override {}
};

struct TBenchDocument {
  BenchStyleList styles;
  TPropStack stack;
  ThtDocument document{nullptr, nullptr};
  TCanvas canvas{std::make_unique<TMeasureDC>()};

  TBenchDocument() {
    styles.BuildDefaultSheet(u"Times New Roman", u"Courier New", 12, 0, 0xff0000, 0x800080, 0xff, false, 1252, 0, 8,
                             10);
    SetFontSizeTables(12);
    auto base = std::make_unique<TProperties>(&stack, false);
    base->CopyAll(*styles.DefaultProperties);
    stack.Add(std::move(base));
    document.PropStack = &stack;
    document.StyleList = &styles;
    document.TooManyLinks = true;
  }

  // The properties of a new element on top of the stack; style is its STYLE attribute.
  TProperties& Push(const char16_t* tag, const String& style = u"") {
    auto props = std::make_unique<TProperties>(&stack, false);
    props->TakeParentValues(tag, *stack.TopProps());
    TProperties* p = stack.Add(std::move(props));
    TProperties styleAttr(false);
    if (!style.empty()) ParseStyleAttribute(style, styleAttr);
    p->ApplyStyleRules(styles, tag, stack.Count() - 1, style.empty() ? nullptr : &styleAttr, u"", u"", u"", u"");
    return *p;
  }
};
