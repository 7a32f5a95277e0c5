// The content loop of every container, and the BODY element.
#include <algorithm>
#include <memory>

#include "html/document/blocks/BodyBlock.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/SymbolGroups.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/css/Colours.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "platform/rtl/StrUtils.h"

using namespace symbol_groups;

namespace {

// What DoCommon takes in the content loop (after the pending HTML-element step).
const TSymbolSet& BodyCommonTags() {
  static const TSymbolSet set = InlineTags() + FieldTags + LeafTags + Headings + HeadingEnds +
                                TSymbolSet{HRSy, PreSy, PreEndSy, TableSy};
  return set;
}

}  // namespace

void THtmlParser::DoBody(const TSymbolSet& termSet) {
  static const TSymbolSet containers = DivLikeTags + TSymbolSet{CenterSy, AddressSy, BlockQuoteSy, FormSy,
                                                               FieldsetSy, LegendSy};
  for (;;) {
    if (termSet.Contains(Symbol)) return;
    const uint8_t sy = Symbol;
    if (sy == TextSy) {
      DoCommon();
    } else if (sy == HtmlSy) {
      if (Body->ContentCell->Count() == 0 && TableDepth == 0)
        PendingHtmlAttributes = TAttributeList::CreateFrom(Attributes);
      Next();
    } else if (sy == TitleSy) {
      DoTitle();
    } else if (sy == BaseSy) {
      DoBase();
    } else if (sy == LinkSy) {
      DoLink();
    } else if (sy == MetaSy) {
      DoMeta();
    } else if (sy == StyleSy) {
      DoStyle();
    } else if (sy == BgSoundSy) {
      PendingHtmlStep();
      DoSound();
    } else if (BodyCommonTags().Contains(sy)) {
      PendingHtmlStep();
      DoCommon();
    } else if (sy == BodySy) {
      PendingHtmlStep();
      DoBodyTag();
      Next();
    } else if (sy == PSy) {
      PendingHtmlStep();
      DoP(termSet);
    } else if (containers.Contains(sy)) {
      PendingHtmlStep();
      DoDivEtc(sy, termSet);
    } else if (ListTags.Contains(sy)) {
      PendingHtmlStep();
      DoLists(sy, termSet);
      if (!termSet.Contains(Symbol)) Next();
    } else if (sy == LISy) {
      PendingHtmlStep();
      DoListItem(NoListSy, LISy, termSet, false, u'1', 1);
    } else if (sy == DDSy || sy == DTSy) {
      PendingHtmlStep();
      DoListItem(DLSy, sy, termSet, false, u'1', 1);
    } else {
      Next();  // unknown tags, stray end tags, head tags without a handler
    }
    if (Symbol == EofSy) {
      Next();
      return;
    }
  }
}

void THtmlParser::DoBodyTag() {
  if (Body->ContentCell->Count() != 0 || TableDepth != 0) return;
  Document->ClearPanelsAndControls();
  DiscardSection();  // text before BODY goes, with its links and id

  TProperties* props = PushProps(BodySy);
  TProperties& top = Top();
  const TProperties& defaults = *Document->StyleList->DefaultProperties;
  int hMargin = defaults[MarginLeft].IsInt() ? defaults[MarginLeft].AsInt() : 0;
  int vMargin = defaults[MarginTop].IsInt() ? defaults[MarginTop].AsInt() : 0;
  if (props) {
    for (int i = 0; i < Attributes.Count(); ++i) {
      const TAttribute& a = *Attributes.AttributeAt(i);
      const String name = a.AttrName;
      TColor colour;
      if (name == u"BACKGROUND") {
        top.SetOwnValue(u"url(" + a.ValueText + u")", BackgroundImage);
      } else if (name == u"BGCOLOR") {
        if (ParseColorText(a.ValueText, false, colour)) top.SetOwnValue(int32_t(colour | PaletteRGBFlag), BackgroundColor);
      } else if (name == u"BGPROPERTIES") {
        if (LowerCase(a.ValueText) == u"fixed") top.SetOwnValue(u"fixed", BackgroundAttachment);
      } else if (name == u"LEFTMARGIN" || name == u"MARGINWIDTH") {
        hMargin = std::clamp(a.IntValue, 0, 200);
      } else if (name == u"TOPMARGIN" || name == u"MARGINHEIGHT") {
        vMargin = std::clamp(a.IntValue, 0, 200);
      } else if (name == u"TEXT") {
        if (ParseColorText(a.ValueText, false, colour)) top.SetOwnValue(int32_t(colour | PaletteRGBFlag), Color);
      } else if (name == u"LINK") {
        if (ParseColorText(a.ValueText, false, colour)) Document->StyleList->SetPseudoColor(u"link", colour);
      } else if (name == u"VLINK") {
        if (ParseColorText(a.ValueText, false, colour)) Document->StyleList->SetPseudoColor(u"visited", colour);
      } else if (name == u"OLINK") {
        if (ParseColorText(a.ValueText, false, colour)) {
          Document->StyleList->SetPseudoColor(u"hover", colour);
          Document->OverLinksActive = true;
        }
      }
    }
    if (UseQuirks) Document->StyleList->FixupTableRules(top);
    top.SetOwnValue(int32_t{hMargin}, MarginLeft);
    top.SetOwnValue(int32_t{hMargin}, MarginRight);
    top.SetOwnValue(int32_t{vMargin}, MarginTop);
    top.SetOwnValue(int32_t{vMargin}, MarginBottom);
  }

  // The provisional body gives way to one with the BODY's attributes.
  TCellBasic* cell = Body->OwnerCell;
  cell->Remove(Body);
  auto body = std::make_unique<TBodyBlock>(Document, &Attributes, cell, top);
  Body = body.get();
  SectionList = cell;
  OpenBlock(std::move(body));
  NewSection();
}
