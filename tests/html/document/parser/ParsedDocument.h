// Documents parsed from small HTML texts, and a compact text picture of their section tree:
//   body(p("Hello" [img]) ul(li#1("one") li#2("two")) pre"x y")
// Blocks show their tag path (tag.class#id), list items their number, text sections their
// text in quotes (a forced break as "|", an image or panel as "[img]"), preformatted lines
// with "pre" before the quotes, rules as hr, page breaks as page.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "html/document/blocks/BodyBlock.h"
#include "html/document/blocks/FieldsetBlock.h"
#include "html/document/blocks/HorzLine.h"
#include "html/document/blocks/ListItem.h"
#include "html/document/blocks/PageMarker.h"
#include "html/document/blocks/PreFormated.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/foundation/globals/EngineSettings.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/document/parser/ParserTestTools.h"

// The text of a section as it will be shown: placeholders named, the final space that every
// finished text ends in dropped.
inline std::string SectionText(const TSection& section) {
  std::string out;
  String text = section.Text;
  if (!text.empty() && text.back() == u' ') text.pop_back();
  for (Char c : text) {
    if (c == ForcedBreakChar) out += "|";
    else if (c == ObjectChar) out += "[img]";
    else if (c == FormControlChar) out += "[control]";
    else out += StringToUtf8(String(1, c));
  }
  return out;
}

inline std::string DumpCell(const TCellBasic& cell);

inline std::string DumpSection(const TSectionBase& section) {
  if (const auto* pre = dynamic_cast<const TPreFormated*>(&section)) return "pre\"" + SectionText(*pre) + "\"";
  if (const auto* text = dynamic_cast<const TSection*>(&section)) return "\"" + SectionText(*text) + "\"";
  if (dynamic_cast<const THRBlock*>(&section)) return "hr";
  if (dynamic_cast<const TPage*>(&section)) return "page";
  if (const auto* block = dynamic_cast<const TBlock*>(&section)) {
    std::string name = StringToUtf8(block->TagPath);  // tag "." class "#" id
    const size_t hash = name.rfind('#');
    if (hash != std::string::npos && hash + 1 == name.size()) name.pop_back();
    if (!name.empty() && name.back() == '.') name.pop_back();
    if (const size_t dotHash = name.find(".#"); dotHash != std::string::npos) name.erase(dotHash, 1);
    if (dynamic_cast<const TBodyBlock*>(block)) name = "body";
    if (const auto* item = dynamic_cast<const TBlockLI*>(block); item && item->ListKind == TBlockLI::OrderedList)
      name += "#" + std::to_string(item->ListNumber);
    if (const auto* fieldset = dynamic_cast<const TFieldsetBlock*>(block); fieldset && fieldset->LegendCell->Count() > 0)
      name += "[" + DumpCell(*fieldset->LegendCell) + "]";
    return name + "(" + DumpCell(*block->ContentCell) + ")";
  }
  return "?";
}

inline std::string DumpCell(const TCellBasic& cell) {
  std::string out;
  for (int i = 0; i < cell.Count(); ++i) out += (i ? " " : "") + DumpSection(*cell.Items(i));
  return out;
}

// A document parsed from HTML text, without a viewer.
struct TParsedDocument {
  explicit TParsedDocument(const std::string& html, bool quirks = false) {
    document.ImageCache = &cache;
    document.UseQuirks = quirks;
    document.SetDefaults(u"Arial", u"Courier New", 10, 8, 1, 1252, true, false, clWhite, clBlue, clPurple, clBlue,
                         clBlack, 12);
    buffer = BufferOf(html);
    parser = std::make_unique<THtmlParser>(buffer.get());
  }
  TParsedDocument& Parse(TLinkType linkEvent = {}, TMetaType metaEvent = {}, TSoundType soundEvent = {},
                         TIncludeType includeEvent = {}) {
    parser->ParseHtml(&document, linkEvent, metaEvent, soundEvent, includeEvent);
    return *this;
  }
  std::string Tree() const { return DumpCell(document); }

  ScopedEngineSettings settings;
  TStringBitmapList cache;  // outlives the document, whose images release their entries
  ThtDocument document{nullptr, nullptr};
  std::unique_ptr<TBuffer> buffer;
  std::unique_ptr<THtmlParser> parser;
};

// The sections of a cell and of the blocks in it, in document order.
inline void CollectSections(const TCellBasic& cell, std::vector<const TSection*>& sections) {
  for (int i = 0; i < cell.Count(); ++i) {
    const TSectionBase* item = cell.Items(i);
    if (const auto* section = dynamic_cast<const TSection*>(item)) sections.push_back(section);
    if (const auto* block = dynamic_cast<const TBlock*>(item)) CollectSections(*block->ContentCell, sections);
  }
}

// The tree of a parsed HTML text.
inline std::string TreeOf(const std::string& html) { return TParsedDocument(html).Parse().Tree(); }
