// One token of inline content (DoCommon), and the inline handlers: text, formatting tags,
// FONT and BASEFONT, links, line breaks, NOBR and WBR.
#include <algorithm>
#include <memory>

#include "html/document/blocks/PageMarker.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/inline/Section.h"
#include "html/document/model/ChPosObj.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/SymbolGroups.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/charsets/CodePageNames.h"
#include "html/foundation/css/Colours.h"
#include "html/foundation/fonts/FirstAvailableFont.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/globals/EngineSettings.h"
#include "html/foundation/shared/UrlTarget.h"
#include "html/foundation/symbols/SymbolTables.h"
#include "platform/rtl/StrUtils.h"

using namespace symbol_groups;

namespace {

// Formatting elements that push a property set and change the font of the text.
const TSymbolSet PushedInlineTags{SpanSy, BSy,    ISy,    SSy,    StrikeSy, USy,      SubSy,  SupSy,   BigSy,
                                  SmallSy, TTSy,  EmSy,   StrongSy, CodeSy, KbdSy,    SampSy, CiteSy,  VarSy,
                                  AbbrSy, AcronymSy, DfnSy, DelSy, InsSy,  MarkSy,   TimeSy, LabelSy};
const TSymbolSet PoppedInlineTags{SpanEndSy, FontEndSy, BEndSy,    IEndSy,   SEndSy,    StrikeEndSy, UEndSy,
                                  SubEndSy,  SupEndSy,  BigEndSy,  SmallEndSy, TTEndSy, EmEndSy,     StrongEndSy,
                                  CodeEndSy, KbdEndSy,  SampEndSy, CiteEndSy, VarEndSy,  AbbrEndSy,   AcronymEndSy,
                                  DfnEndSy,  DelEndSy,  InsEndSy,  MarkEndSy, TimeEndSy, LabelEndSy};

// The document's link runs from the last to the first, as the link's end looks at them.
struct TLinkRunsBackward {
  const TLinkList& Runs;
  struct TIterator {
    const TLinkList* Runs;
    int Index;
    TFontObj* operator*() const { return Runs->Items(Index); }
    TIterator& operator++() {
      --Index;
      return *this;
    }
    bool operator!=(const TIterator& other) const { return Index != other.Index; }
  };
  TIterator rbegin() const { return {&Runs, Runs.Count() - 1}; }
  TIterator rend() const { return {&Runs, -1}; }
};

}  // namespace

void THtmlParser::StartInlineElement(TProperties* props) {
  if (!props) return;
  props->TakeBackgroundColor();
  if (props->HasVisibleBorder()) Document->OpenInlineBorder(PropStack->SourcePosition, *props);
}

void THtmlParser::DoCommon() {
  const uint8_t sy = Symbol;
  if (sy == TextSy) {
    if (Section) {
      Section->AddTokenObj(*Token);
    } else if (Token->Count > 0 && !(Token->Count == 1 && Token->Chars[1] == u' ')) {
      NewSection();
      Section->AddTokenObj(*Token);
    }
    Next();
  } else if (sy == ScriptSy) {
    DoScript(Document->OnScript);
    Next();
  } else if (sy == BaseFontSy || sy == FontSy) {
    DoFont(sy, false);
    if (Section) Section->ChangeFont(Top());
    Next();
  } else if (sy == HRSy) {
    DoHR();
  } else if (sy == BRSy) {
    DoBr(TSymbolSet{});
  } else if (sy == ImageSy || sy == PanelSy) {
    DoImage();
    Next();
  } else if (sy == MapSy) {
    DoMap();
  } else if (sy == PageSy) {
    CloseSection();
    SectionList->AddSection(std::make_unique<TPage>(Document), TagPosition);
    Next();
  } else if (sy == ObjectSy) {
    DoObject();
  } else if (PushedInlineTags.Contains(sy)) {
    StartInlineElement(PushProps(sy));
    if (Section) Section->ChangeFont(Top());
    Next();
  } else if (PoppedInlineTags.Contains(sy)) {
    PopPropsTo(TagStartSymbol(sy));
    if (Section) Section->ChangeFont(Top());
    Next();
  } else if (sy == NoBrSy || sy == NoBrEndSy) {
    if (Section) Section->AddTokenObj(*Token);
    SetNoBreak(sy == NoBrSy);
    Next();
  } else if (sy == WbrSy) {
    if (Section) {
      Section->AddTokenObj(*Token);
      Section->MarkBreakAfter();
    }
    Next();
  } else if (sy == ASy) {
    DoAnchor();
    Next();
  } else if (sy == AEndSy) {
    EndLink();
    Next();
  } else if (Headings.Contains(sy)) {
    DoHeading();
  } else if (sy == PreSy) {
    DoPre();
  } else if (sy == TableSy) {
    DoTable();
  } else if (sy == PreEndSy) {
    PopPropsTo(PreSy);
    Next();
  } else if (sy == TextAreaSy || sy == SelectSy || sy == InputSy) {
    DoFormControl();
    // A SELECT that ended without its end tag leaves the tag that ended it to the caller.
    if (sy != SelectSy || Symbol == SelectEndSy) Next();
  } else {
    Next();  // heading end tags, /TEXTAREA, /OBJECT and whatever else has no handler here
  }
}

void THtmlParser::DoFont(uint8_t sy, bool inPre) {
  TColor colour = 0;
  bool haveColour = false;
  String face;
  int size = 0;
  bool haveCharset = false;
  for (int i = 0; i < Attributes.Count(); ++i) {
    TAttribute& a = *Attributes.AttributeAt(i);
    if (a.AttrName == u"CHARSET") {
      const int codePage = CodePageOfCharsetName(a.ValueText);
      if (codePage >= 0) {
        // The enclosing element's set: the FONT element is pushed below.
        Top().ApplyCodePage(codePage);
        Buffer->SwitchCodePage(codePage);
        haveCharset = true;
        a.TextCodePage = Top().CodePage;
      }
    } else if (a.AttrName == u"COLOR") {
      haveColour = ParseColorText(a.ValueText, false, colour);
    } else if (a.AttrName == u"FACE") {
      if (sy == FontSy && !a.ValueText.empty()) face = a.ValueText;
    } else if (a.AttrName == u"SIZE") {
      int value = a.IntValue;
      if (a.ValueText.size() > 1 && (a.ValueText[0] == u'+' || a.ValueText[0] == u'-')) value += BaseFontSize;
      size = std::clamp(value, 1, 7);
      if (sy == BaseFontSy) BaseFontSize = size;
    }
  }
  const uint8_t charset = Top().Charset;
  const int codePage = Top().CodePage;
  TProperties* props = PushProps(FontSy);
  StartInlineElement(props);
  if (!props) return;
  if (haveColour) props->SetOwnValue(int32_t(colour | PaletteRGBFlag), Color);
  if (size > 0) {
    const THtmlEngineSettings& settings = EngineSettings();
    props->SetOwnValue(inPre ? settings.PreHtmlFontSizes[size] : settings.HtmlFontSizes[size], FontSize);
  }
  if (!face.empty()) props->SetOwnValue(FirstAvailableFont(face), FontFamily);
  if (haveCharset) props->ApplyCharsetAndCodePage(charset, codePage);
}

void THtmlParser::DoAnchor() {
  String pseudo;
  for (int i = 0; i < Attributes.Count(); ++i) {
    if (Attributes.AttributeAt(i)->Symbol != HrefAttrSy) continue;
    if (InHref) EndLink();
    InHref = true;
    TAttribute* target;
    const String frame = Attributes.FindSymbol(TargetAttrSy, target) ? target->ValueText : String();
    UrlTarget->StartLink(Attributes.AttributeAt(i)->ValueText, frame, Attributes, PropStack->SourcePosition);
    TAttribute* tabIndex;
    if (Attributes.FindSymbol(TabIndexAttrSy, tabIndex)) UrlTarget->TabPosition = tabIndex->IntValue;
    pseudo = u"link";
    break;
  }
  StartInlineElement(PushProps(ASy, Attributes, pseudo));
  if (Section)
    Section->ChangeFont(Top());
  else
    NewSection();
  TAttribute* name;
  if (Attributes.FindSymbol(NameAttrSy, name)) {
    String anchor = UpperCase(name->ValueText);
    if (!anchor.empty() && anchor[0] == u'#') anchor.erase(0, 1);
    if (!LinkSearch) AddPositionAnchor(anchor, PropStack->SourcePosition);
    Section->HasAnchor = true;
  }
  if (!pseudo.empty()) {
    Section->ChangeLinkFont(true, Top(), *UrlTarget);
  } else if (SelfClosingTag) {
    // A link target written as an empty element (<a id="x"/>, as XHTML generators write
    // them) holds nothing and ends at once. Left open, each would keep a set on the
    // property stack to the end of the document, and a long document would fill it.
    PopPropsTo(ASy);
    Section->ChangeFont(Top());
  }
}

void THtmlParser::EndLink() {
  if (InHref) {
    UrlTarget->SetEndPosition(TLinkRunsBackward{Document->LinkList}, PropStack->SourcePosition);
    UrlTarget->Reset();
    InHref = false;
  }
  PopPropsTo(ASy);
  if (Section) Section->ChangeLinkFont(false, Top(), *UrlTarget);
}

void THtmlParser::DoBr(const TSymbolSet& termSet) {
  if (termSet.Contains(BRSy)) return;
  auto pageBreak = [this] {
    bool before = false, after = false, avoidInside = false;
    if (TProperties* br = PropStack->PushNewProps(BRSy, Attributes.GetClassNames(), Attributes.GetStyleProperties(),
                                                   String(), String(), String())) {
      br->ReadPageBreakFlags(before, after, avoidInside);
      PopPropsTo(BRSy);
    }
    return before || after;
  };
  if (!AttributeNamed(u"CLEAR")) {
    if (!Section) NewSection(false, &Attributes);
    Section->AddChar(ForcedBreakChar, TagPosition);
    CloseSection();
    if (pageBreak()) SectionList->AddSection(std::make_unique<TPage>(Document), TagPosition);
    NewSection(false, &Attributes);
  } else {
    CloseSection();
    NewSection(false, &Attributes);  // the CLEAR applies to the text that follows
    if (pageBreak()) {
      CloseSection();
      SectionList->AddSection(std::make_unique<TPage>(Document), TagPosition);
      NewSection(false, &Attributes);
    }
  }
  Next();
}
