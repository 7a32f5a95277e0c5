// Lists (OL, UL, DIR, MENU, DL, and ADDRESS and BLOCKQUOTE laid out like them) and their
// items.
#include <limits>
#include <memory>

#include "html/document/blocks/Block.h"
#include "html/document/blocks/ListItem.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/SymbolGroups.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/symbols/SymbolTables.h"
#include "platform/rtl/StrUtils.h"

using namespace symbol_groups;

namespace {

const TSymbolSet& ListContent() {
  static const TSymbolSet set = [] {
    TSymbolSet s = FieldTags + Headings + HeadingEnds +
                   TSymbolSet{TextSy, ScriptSy, BaseFontSy, HRSy, BRSy, ImageSy, PanelSy, MapSy, PageSy, ObjectSy,
                              ObjectEndSy, PreSy, TableSy};
    for (int sy = SpanSy; sy <= AEndSy; ++sy)
      if (sy != DelSy && sy != InsSy && sy != DelEndSy && sy != InsEndSy) s.Include(static_cast<uint8_t>(sy));
    return s;
  }();
  return set;
}

// What an item takes as its own content: preformatted text (and the end of a PRE that wraps)
// and tables stay in the item, as they stay in the list around it.
const TSymbolSet& ItemContent() {
  static const TSymbolSet set =
      InlineTags() + FieldTags + Headings + LeafTags + TSymbolSet{TextSy, ScriptEndSy, PreSy, PreEndSy, TableSy};
  return set;
}

}  // namespace

void THtmlParser::DoLists(uint8_t sy, const TSymbolSet& termSet) {
  static const TSymbolSet listContainers = DivLikeTags + TSymbolSet{CenterSy, FormSy};
  static const TSymbolSet itemEnds = ListEndTags + TSymbolSet{EofSy, LISy, DDSy, DTSy};
  static const TSymbolSet emptyListEnds = ListEndTags + TSymbolSet{BlockQuoteEndSy};
  const bool isList = ListTags.Contains(sy);
  // ADDRESS and BLOCKQUOTE come through their container, which counted their nesting.
  if (isList && !CanNest()) return;
  const uint8_t endSy = TagEndSymbol(sy);
  int start = 1;
  Char type = u'1';
  bool plain = false;
  for (int i = 0; i < Attributes.Count(); ++i) {
    const TAttribute& a = *Attributes.AttributeAt(i);
    if (sy == OLSy && a.AttrName == u"START" && a.IntValue >= 0) start = a.IntValue;
    if (sy == OLSy && a.Symbol == TypeAttrSy && !a.ValueText.empty()) type = a.ValueText[0];
    if (sy == ULSy && a.AttrName == u"PLAIN") plain = true;
    if (sy == ULSy && a.Symbol == TypeAttrSy) {
      const String value = LowerCase(a.ValueText);
      if (value == u"none" || value == u"plain") plain = true;
    }
  }
  CloseSection();
  PushProps(sy);
  OpenBlock(std::make_unique<TBlock>(Document, &Attributes, SectionList, Top()));
  Next();
  if (emptyListEnds.Contains(Symbol)) {
    PopPropsTo(sy);
    LeaveBlock();
    return;
  }

  if (isList) {
    ++ListLevel;
    ++NestingDepth;
  }
  for (;;) {
    const uint8_t s = Symbol;
    if (ListContent().Contains(s)) {
      DoCommon();
    } else if (s == PSy) {
      DoP(termSet);
    } else if (listContainers.Contains(s)) {
      DoDivEtc(s, itemEnds + termSet);
    } else if (s == AddressSy || s == BlockQuoteSy) {
      DoDivEtc(s, termSet);
    } else if (ListTags.Contains(s)) {
      DoLists(s, termSet);
      if (!termSet.Contains(Symbol)) Next();
    } else if (s == LISy || s == DDSy || s == DTSy) {
      const TAttribute* value = AttributeNamed(u"VALUE");
      if (s == LISy && value && value->IntValue != 0) start = value->IntValue;
      DoListItem(sy, s, termSet, plain, type, start);
      if (start < std::numeric_limits<int32_t>::max()) ++start;  // the last number repeats
    } else if (!termSet.Contains(s)) {
      Next();
    }
    if (Symbol == EofSy || Symbol == endSy || termSet.Contains(Symbol)) break;
  }
  if (isList) {
    --ListLevel;
    --NestingDepth;
  }
  CloseSection();
  FixBottomMargin();
  PopPropsTo(sy);
  LeaveBlock();
}

void THtmlParser::DoListItem(uint8_t listKind, uint8_t itemSymbol, const TSymbolSet& termSet, bool plain, Char type,
                             int start) {
  static const TSymbolSet itemContainers =
      DivLikeTags + TSymbolSet{CenterSy, AddressSy, BlockQuoteSy, FormSy, FieldsetSy};
  if (!CanNest()) {
    Next();
    return;
  }
  CloseSection();
  PushProps(itemSymbol);
  OpenBlock(std::make_unique<TBlockLI>(Document, &Attributes, ListLevel, start, type, plain,
                                       SymbolToTagName(listKind), SectionList, Top()));
  NewSection();
  const int32_t first = SectionSerial;
  SkipBlanks();
  Next();
  ++NestingDepth;
  for (;;) {
    const uint8_t s = Symbol;
    if (s == UnknownSy || s == PEndSy) {
      Next();
    } else if (ItemContent().Contains(s)) {
      DoCommon();
    } else if (s == PSy && listKind != NoListSy) {
      DoP(TSymbolSet{});
    } else if (itemContainers.Contains(s)) {
      DoDivEtc(s, termSet);
    } else if (ListTags.Contains(s)) {
      DoLists(s, termSet);
      SectionList->DropLastDefaultBottomMargin();
      if (!termSet.Contains(Symbol)) Next();
    } else {
      break;  // the next item, HR, a list's or heading's end tag, the end of input
    }
  }
  --NestingDepth;
  // An empty item keeps one line, so that its marker shows.
  if (Section && SectionSerial == first && Section->Text.empty()) Section->AddChar(0xA0, TagPosition);
  CloseSection();
  SectionList->DropLastDefaultBottomMargin();
  PopPropsTo(itemSymbol);
  LeaveBlock();
}
