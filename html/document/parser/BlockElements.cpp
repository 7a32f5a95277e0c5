// Block containers: P, the headings, DIV and its kin, CENTER, ADDRESS, BLOCKQUOTE, FORM,
// FIELDSET, LEGEND, and the horizontal rule.
#include <memory>

#include "html/document/blocks/Block.h"
#include "html/document/blocks/FieldsetBlock.h"
#include "html/document/blocks/HorzLine.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/SymbolGroups.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/symbols/SymbolTables.h"

using namespace symbol_groups;

void THtmlParser::DoP(const TSymbolSet& termSet) {
  static const TSymbolSet content = InlineTags() + FieldTags + LeafTags + TSymbolSet{TextSy, ScriptEndSy};
  if (termSet.Contains(PSy)) return;  // the caller closes its paragraph first
  CloseSection();
  SkipBlanks();
  std::unique_ptr<TAttributeList> tag = TAttributeList::CreateFrom(Attributes);
  Next();
  // Empty paragraphs collapse into one with the attributes of the last P.
  while (Symbol == PSy || Symbol == PEndSy) {
    if (Symbol == PSy) tag = TAttributeList::CreateFrom(Attributes);
    SkipBlanks();
    Next();
  }
  ApplyAlign(PushProps(PSy, *tag), *tag);
  auto owned = std::make_unique<TBlock>(Document, tag.get(), SectionList, Top());
  TBlock* block = owned.get();
  OpenBlock(std::move(owned));

  while (!termSet.Contains(Symbol)) {
    if (Symbol == UnknownSy)
      Next();
    else if (content.Contains(Symbol))
      DoCommon();
    else
      break;  // a block-level tag ends the paragraph
  }
  if (Symbol == TableSy) block->BoxAt(MarginBottom) = 0;
  CloseSection();
  PopPropsTo(PSy);
  LeaveBlock();
  if (Symbol == PEndSy) Next();
}

void THtmlParser::DoHeading() {
  static const TSymbolSet content =
      InlineTags() + FieldTags +
      TSymbolSet{TextSy, ScriptSy, ScriptEndSy, BaseFontSy, HRSy, BRSy, ImageSy, PanelSy, ObjectSy, ObjectEndSy};
  const uint8_t sy = Symbol;
  const uint8_t endSy = TagEndSymbol(sy);
  if (!CanNest()) {
    Next();
    return;
  }
  CloseSection();
  TProperties* props = PushProps(sy);
  ApplyAlign(props, Attributes);
  std::unique_ptr<TAttributeList> tag = TAttributeList::CreateFrom(Attributes);
  SkipBlanks();
  Next();
  if (Symbol == CenterSy) {
    if (props) props->SetOwnValue(u"center", TextAlign);
    Next();
  }
  OpenBlock(std::make_unique<TBlock>(Document, tag.get(), SectionList, Top()));
  NewSection();
  ++NestingDepth;
  for (;;) {
    if (Symbol == UnknownSy)
      Next();
    else if (content.Contains(Symbol))
      DoCommon();
    else if (Symbol == PSy)
      DoP(TSymbolSet{});
    else if (DivLikeTags.Contains(Symbol))
      DoDivEtc(Symbol, TSymbolSet{endSy});
    else
      break;  // MAP, PAGE, CENTER, a list, a table, another heading, the end tag
  }
  --NestingDepth;
  CloseSection();
  PopPropsTo(sy);
  LeaveBlock();
  if (Symbol == endSy) Next();
}

void THtmlParser::DoDivEtc(uint8_t sy, const TSymbolSet& termSet) {
  const uint8_t endSy = TagEndSymbol(sy);
  if (!CanNest()) {
    Next();
    return;
  }
  ++NestingDepth;
  if (DivLikeTags.Contains(sy)) {
    const bool isInline = Top().ReadDisplayKind() == DisplayInline;
    CloseSection();
    ApplyAlign(PushProps(sy), Attributes);
    if (!isInline) OpenBlock(std::make_unique<TBlock>(Document, &Attributes, SectionList, Top()));
    NewSection(!isInline);
    Next();
    DoBody(termSet + TSymbolSet{endSy});
    CloseSection();
    PopPropsTo(sy);
    if (!isInline) {
      FixBottomMargin();
      LeaveBlock();
    }
    if (Symbol == endSy) Next();
  } else if (sy == CenterSy) {
    CloseSection();
    PropStack->PushNewProps(CenterSy, String(), nullptr, String(), String(), String());
    Next();
    DoBody(termSet + TSymbolSet{CenterEndSy});
    CloseSection();
    PopPropsTo(CenterSy);
    if (Symbol == CenterEndSy) Next();
  } else if (sy == AddressSy || sy == BlockQuoteSy) {
    CloseSection();
    DoLists(sy, termSet + TSymbolSet{AddressEndSy, BlockQuoteEndSy});
    if (Symbol == AddressEndSy || Symbol == BlockQuoteEndSy) Next();
  } else if (sy == FormSy) {
    // A FORM inside a form ends the outer one and starts the next.
    while (Symbol == FormSy) {
      CloseSection();
      PushProps(FormSy);
      OpenBlock(std::make_unique<TBlock>(Document, &Attributes, SectionList, Top()));
      Next();
      DoBody(termSet + TSymbolSet{FormSy, FormEndSy});
      CloseSection();
      PopPropsTo(FormSy);
      FixBottomMargin();
      LeaveBlock();
      if (Symbol == FormEndSy) Next();
    }
  } else if (sy == FieldsetSy) {
    CloseSection();
    ApplyAlign(PushProps(FieldsetSy), Attributes);
    OpenBlock(std::make_unique<TFieldsetBlock>(Document, &Attributes, SectionList, Top()));
    NewSection();
    Next();
    DoBody(termSet + TSymbolSet{FieldsetEndSy});
    CloseSection();
    PopPropsTo(FieldsetSy);
    FixBottomMargin();
    LeaveBlock();
    NewSection();
    if (Symbol == FieldsetEndSy) Next();
  } else if (sy == LegendSy) {
    CloseSection();
    ApplyAlign(PushProps(LegendSy), Attributes);
    // Inside a fieldset the legend goes to its own cell; elsewhere it stays in the flow.
    auto* fieldset = dynamic_cast<TFieldsetBlock*>(SectionList->OwnerBlock);
    if (fieldset) SectionList = fieldset->LegendCell.get();
    NewSection();
    Next();
    DoBody(termSet + TSymbolSet{LegendEndSy});
    CloseSection();
    PopPropsTo(LegendSy);
    if (fieldset) SectionList = fieldset->ContentCell.get();
    NewSection();
    if (Symbol == LegendEndSy) Next();
  } else {
    Next();
  }
  --NestingDepth;
}

void THtmlParser::DoHR() {
  CloseSection();
  PushProps(HRSy);
  SectionList->AddSection(std::make_unique<THRBlock>(Document, &Attributes, SectionList, Top()), TagPosition);
  PopPropsTo(HRSy);
  Next();
}
