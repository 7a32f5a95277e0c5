// Documents of blocks built as the parser builds them: property sets pushed on the stack
// with a style attribute, blocks made from them and added to their cell in order.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "html/document/blocks/Block.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/css/StyleParser.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "tests/html/document/TestSections.h"

struct BlockStyleList : TStyleList {
  void NoteHoverRule(bool) override {}
};

struct BlockFixture : ::testing::Test {
  BlockStyleList styles;
  TPropStack stack;
  TStringBitmapList cache;  // outlives the document, whose images release their entries
  ThtDocument document{nullptr, nullptr};
  TCanvas canvas{std::make_unique<TMeasureDC>()};

  void SetUp() override {
    styles.BuildDefaultSheet(u"Arial", u"Courier New", 12, 0, 0xff0000, 0x800080, 0xff, false, 1252, 0, 8, 10);
    SetFontSizeTables(12);
    auto base = std::make_unique<TProperties>(&stack, false);
    base->CopyAll(*styles.DefaultProperties);
    stack.Add(std::move(base));
    document.PropStack = &stack;
    document.StyleList = &styles;
    document.TooManyLinks = true;
    document.ImageCache = &cache;
  }

  // The element's property set, with the style attribute applied, on top of the stack.
  TProperties& Push(const char16_t* tag, const String& style = u"") {
    auto props = std::make_unique<TProperties>(&stack, false);
    props->TakeParentValues(tag, *stack.TopProps());
    TProperties* p = stack.Add(std::move(props));
    std::unique_ptr<TProperties> styleAttr;
    if (!style.empty()) {
      styleAttr = std::make_unique<TProperties>(false);
      ParseStyleAttribute(style, *styleAttr);
    }
    p->ApplyStyleRules(styles, tag, stack.Count() - 1, styleAttr.get(), u"", u"", u"", u"");
    return *p;
  }
  void Pop() { stack.Delete(stack.Count() - 1); }

  // A block of the tag in the cell; its content goes into its ContentCell.
  template <typename TBlockType = TBlock>
  TBlockType& AddBlock(TCellBasic& cell, const char16_t* tag, const String& style) {
    TProperties& props = Push(tag, style);
    auto block = std::make_unique<TBlockType>(&document, nullptr, &cell, props);
    TBlockType& result = *block;
    cell.AddSection(std::move(block), 0);
    Pop();
    return result;
  }
  TFixedSection& AddFixed(TCellBasic& cell, int height, int minWidth = 0, int maxWidth = 0) {
    auto section = std::make_unique<TFixedSection>(&document, height);
    section->MinWidth = minWidth;
    section->MaxWidth = maxWidth;
    TFixedSection& result = *section;
    cell.AddSection(std::move(section), 0);
    return result;
  }

  // Lays the document out in the width; answers its height.
  int LayOut(int width = 500) {
    int cursor = 0, maxWidth = 0;
    return document.Layout(canvas, 0, cursor, maxWidth, 1000, 0, width);
  }
};
