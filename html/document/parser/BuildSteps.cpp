// The steps every element handler of the tree builder takes: property sets pushed and
// popped, text sections opened and closed, blocks entered and left.
#include <memory>

#include "html/document/blocks/Block.h"
#include "html/document/blocks/PreFormated.h"
#include "html/document/inline/Section.h"
#include "html/document/model/ChPosObj.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/css/BoxValues.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/shared/UrlTarget.h"
#include "platform/rtl/StrUtils.h"

TProperties& THtmlParser::Top() const { return *PropStack->TopProps(); }

int THtmlParser::Level() const { return PropStack->Count() - 1; }

TProperties* THtmlParser::PushProps(uint8_t sy, TAttributeList& attributes, const String& pseudo) {
  TProperties* style = attributes.GetStyleProperties();
  TProperties* pushed = PropStack->PushNewProps(sy, attributes.GetClassNames(), style, attributes.GetTitleText(),
                                                pseudo, attributes.GetIdentifier());
  if (pushed && style) styleAttributes_.push_back(std::move(attributes.StyleProps));
  return pushed;
}

void THtmlParser::PopProps() { PropStack->PopTop(); }

void THtmlParser::PopPropsTo(uint8_t sy) { PropStack->PopProps(sy); }

void THtmlParser::SetNoBreak(bool value) {
  NoBreak = value;
  if (Document) Document->NoBreak = value;
}

void THtmlParser::ApplyAlign(TProperties* props, const TAttributeList& attributes) {
  TAttribute* align;
  if (!props || !attributes.FindSymbol(AlignAttrSy, align)) return;
  String value = LowerCase(align->ValueText);
  if (value == u"middle") value = u"center";
  if (value == u"left" || value == u"center" || value == u"right" || value == u"justify")
    props->SetOwnValue(value, TextAlign);
}

void THtmlParser::CloseSection() {
  if (Section) SectionList->AddSection(std::unique_ptr<TSectionBase>(Section.release()), TagPosition);
}

void THtmlParser::DiscardSection() { Section.reset(); }

void THtmlParser::NewSection(bool firstLineIndent, TAttributeList* attributes) {
  Section = std::make_unique<TSection>(Document, firstLineIndent, UrlTarget.get(), Top(), attributes);
  ++SectionSerial;
}

void THtmlParser::NewPreSection() {
  Section = std::make_unique<TPreFormated>(Document, UrlTarget.get(), Top(), nullptr);
  ++SectionSerial;
}

const TAttribute* THtmlParser::AttributeNamed(const char16_t* name) const {
  for (int i = 0; i < Attributes.Count(); ++i)
    if (Attributes.AttributeAt(i)->AttrName == name) return Attributes.AttributeAt(i);
  return nullptr;
}

void THtmlParser::OpenBlock(std::unique_ptr<TBlock> block) {
  TBlock* added = block.get();
  SectionList->AddSection(std::unique_ptr<TSectionBase>(block.release()), TagPosition);
  SectionList = added->ContentCell.get();
}

void THtmlParser::LeaveBlock() {
  if (SectionList->OwnerBlock && SectionList->OwnerBlock->OwnerCell)
    SectionList = SectionList->OwnerBlock->OwnerCell;
}

void THtmlParser::FixBottomMargin() {
  TBlock* block = SectionList->OwnerBlock;
  if (!block || !SectionList->DropLastDefaultBottomMargin()) return;
  block->BoxAt(MarginBottom) = 14;
  block->BottomMarginIsDefault = true;
}

void THtmlParser::PendingHtmlStep() {
  if (!PendingHtmlAttributes) return;
  PushProps(HtmlSy, *PendingHtmlAttributes);
  PendingHtmlAttributes.reset();
  // The first tag after HTML applies the rules for "html" to the document background.
  TProperties& top = Top();
  String url;
  if (top.BackgroundImageUrl(url) && !url.empty()) {
    TBackgroundPos position{};
    ReadBackgroundPlacement(top, 0, 0, position);
    Document->SetBackgroundImage(url, position);
  }
  const TColor colour = top.OwnBackgroundColor();
  if (colour != clNone) Document->SetBackground(colour | PaletteRGBFlag);
}

void THtmlParser::AddPositionAnchor(const String& name, int sourcePosition) {
  Document->IdList.Register(name, new TChPosObj(Document, sourcePosition));
}
