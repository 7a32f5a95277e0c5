// A document with a property stack and a style sheet as the parser keeps them, a measuring
// canvas, and helpers that feed text sections and lay them out between two block edges.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "html/document/inline/BreakChars.h"
#include "html/document/inline/RunFont.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/layout/IndentManager.h"
#include "html/foundation/shared/TextTokens.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Unicode.h"

struct SectionStyleList : TStyleList {
  void NoteHoverRule(bool) override {}
};

struct SectionFixture : ::testing::Test {
  SectionStyleList styles;
  TPropStack stack;
  ThtDocument document{nullptr, nullptr};
  TCanvas canvas{std::make_unique<TMeasureDC>()};
  TIndentManager indents;
  int owner = 0;  // stands for the block whose content is laid out

  void SetUp() override {
    styles.BuildDefaultSheet(u"Arial", u"Courier New", 12, 0, 0xff0000, 0x800080, 0xff, false, 1252, 0, 8, 10);
    SetFontSizeTables(12);
    Push(u"body");
    Push(u"p");
    document.PropStack = &stack;
    document.StyleList = &styles;
    document.TooManyLinks = true;  // no tab-stop windows without a viewer
  }

  // An element's property set on top of the stack, as the parser pushes it.
  TProperties& Push(const char16_t* tag) {
    if (stack.Count() == 0) {
      auto base = std::make_unique<TProperties>(&stack, false);
      base->CopyAll(*styles.DefaultProperties);
      stack.Add(std::move(base));
    }
    auto props = std::make_unique<TProperties>(&stack, false);
    props->TakeParentValues(tag, *stack.TopProps());
    TProperties* p = stack.Add(std::move(props));
    p->ApplyStyleRules(styles, tag, stack.Count() - 1, nullptr, u"", u"", u"", u"");
    return *p;
  }
  void Pop() { stack.Delete(stack.Count() - 1); }

  std::unique_ptr<TSection> NewSection() {
    return std::make_unique<TSection>(&document, true, nullptr, *stack.TopProps(), nullptr);
  }

  // Text as the parser hands it over: one token, source positions from sourceStart on.
  static void AddText(TSection& section, const String& text, int sourceStart = 0) {
    TokenObj token;
    for (size_t i = 0; i < text.size(); ++i) token.AppendChar(text[i], sourceStart + static_cast<int>(i));
    section.AddTokenObj(token);
  }
  std::unique_ptr<TSection> FinishedSection(const String& text) {
    auto section = NewSection();
    AddText(*section, text);
    section->FinishText(static_cast<int>(text.size()));
    return section;
  }

  // The area [0, width) of a block, as a cell lays out its sections.
  void BeginArea(int width, int originX = 0) {
    indents.BeginLayout(originX, width);
    indents.CurrentOwner = &owner;
    indents.PushLeftBlock(0, 0);
    indents.PushRightBlock(width, 0);
  }
  int LayOut(TSection& section, int width, int y = 0, int x = 0) {
    int cursor = 0, maxWidth = 0;
    return section.Layout(canvas, x, cursor, maxWidth, indents, 0, 0, width, 0, 0, y);
  }

  // Width of a text in the section's first font, measured by the font layer.
  int Measure(const TSection& section, const String& text, int run = 0) {
    return SelectRunFont(canvas, *section.Fonts.Items(run)->RunFont).GetTextExtentPoint32(text).cx;
  }
  static String LineText(const TSection& section, const LineRec& line) {
    return section.Text.substr(static_cast<size_t>(line.Start), static_cast<size_t>(line.CharCount));
  }
  static String WithoutTrailingSpaces(String s) {
    while (!s.empty() && (s.back() == u' ' || s.back() == ForcedBreakChar)) s.pop_back();
    return s;
  }
};

inline std::string Utf8(const String& s) { return StringToUtf8(s); }
