// PRE: read character by character, so that white space and line ends stay. Every source
// line becomes a preformatted section of its own; a few tags keep their meaning inside.
#include <memory>

#include "html/document/blocks/Block.h"
#include "html/document/blocks/PageMarker.h"
#include "html/document/blocks/PreFormated.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/symbols/SymbolTables.h"

namespace {

const TSymbolSet PreFontTags{SpanSy,  BSy,    ISy,       SSy,   StrikeSy, USy,    SubSy,  SupSy,   BigSy,
                             SmallSy, TTSy,   EmSy,      StrongSy, CodeSy, KbdSy,  SampSy, CiteSy,  VarSy,
                             AbbrSy,  AcronymSy, DfnSy,  DelSy, InsSy,    MarkSy, TimeSy, LabelSy};
const TSymbolSet PreFontEndTags{SpanEndSy, BEndSy,    IEndSy,    SEndSy,   StrikeEndSy, UEndSy,   SubEndSy,
                                SupEndSy,  BigEndSy,  SmallEndSy, TTEndSy, EmEndSy,     StrongEndSy, CodeEndSy,
                                KbdEndSy,  SampEndSy, CiteEndSy, VarEndSy, AbbrEndSy,   AcronymEndSy, DfnEndSy,
                                DelEndSy,  InsEndSy,  MarkEndSy, TimeEndSy, LabelEndSy};

bool IsEmptyPreLine(const TSectionBase* section) {
  const auto* line = dynamic_cast<const TPreFormated*>(section);
  return line && line->Text.size() <= 1;  // only the space that ends every line
}

}  // namespace

void THtmlParser::DoPre() {
  if (AttributeNamed(u"WRAP")) {
    // Not preformatted: the PRE's fonts apply to the ordinary flow up to /PRE.
    CloseSection();
    PushProps(PreSy);
    Next();
    return;
  }
  TokenObj text;
  CloseSection();
  const bool pushed = PushProps(PreSy) != nullptr;
  const int level = pushed ? Level() : Level() + 1;
  OpenBlock(std::make_unique<TBlock>(Document, &Attributes, SectionList, Top()));
  TCellBasic* preCell = SectionList;
  NewPreSection();
  bool inP = false, inForm = false;

  auto flush = [&] {
    if (text.Count > 0) {
      if (!Section) NewPreSection();
      Section->AddTokenObj(text);
    }
    text.Reset();
  };
  auto closeLine = [&] {
    TagPosition = PropStack->SourcePosition;
    CloseSection();
  };
  auto endParagraph = [&] {
    flush();
    if (Section && !Section->Text.empty())
      CloseSection();
    else
      DiscardSection();
    PopPropsTo(PSy);
    LeaveBlock();
    inP = false;
  };
  auto endForm = [&] {
    flush();
    CloseSection();
    PopPropsTo(FormSy);
    LeaveBlock();
    inForm = false;
  };
  auto pageBreakAfterBr = [&] {
    bool before = false, after = false, avoidInside = false;
    if (TProperties* br = PropStack->PushNewProps(BRSy, Attributes.GetClassNames(), Attributes.GetStyleProperties(),
                                                   String(), String(), String()))
      br->ReadPageBreakFlags(before, after, avoidInside);
    PopPropsTo(BRSy);
    return before || after;
  };

  bool done = false;
  while (!done && Ch != 0) {
    if (Ch >= 1 && Ch <= 8) {
      GetChar();
    } else if (Ch == 13) {
      flush();
      closeLine();
      NewPreSection();
      GetChar();
    } else if (Ch == u'<') {
      Next();
      const uint8_t sy = Symbol;
      if (sy == TextSy) {
        // A "<" that starts no tag.
        for (int i = 1; i <= Token->Count; ++i) text.AppendChar(Token->Chars[i], Token->Positions[i]);
      } else if (sy == ScriptSy) {
        DoScript(Document->OnScript);
      } else if (sy == BaseFontSy || sy == FontSy) {
        flush();
        DoFont(sy, true);
        if (Section) Section->ChangeFont(Top());
      } else if (sy == BRSy) {
        flush();
        CloseSection();
        if (pageBreakAfterBr()) SectionList->AddSection(std::make_unique<TPage>(Document), TagPosition);
        NewPreSection();
        if (Ch == 13) GetChar();
      } else if (sy == ImageSy || sy == PanelSy) {
        flush();
        if (!Section) NewPreSection();
        DoImage();
      } else if (sy == MapSy) {
        DoMap();
      } else if (sy == PageSy) {
        flush();
        CloseSection();
        SectionList->AddSection(std::make_unique<TPage>(Document), TagPosition);
        NewPreSection();
      } else if (sy == ObjectSy) {
        flush();
        if (!Section) NewPreSection();
        DoObject();
        // The object read its last token as a token: read it again as characters.
        Ch = ObjectReadPoint.Ch;
        Buffer->SeekOffset(ObjectReadPoint.Offset);
        PropStack->SourcePosition = ObjectReadPoint.SourcePosition;
        if (Ch == 13) GetChar();
      } else if (PreFontTags.Contains(sy)) {
        flush();
        StartInlineElement(PushProps(sy));
        if (Section) Section->ChangeFont(Top());
      } else if (PreFontEndTags.Contains(sy)) {
        flush();
        PopPropsTo(TagStartSymbol(sy));
        if (Section) Section->ChangeFont(Top());
      } else if (sy == FontEndSy) {
        if (Level() > level) PopPropsTo(FontSy);
        flush();
        if (Section) Section->ChangeFont(Top());
      } else if (sy == ASy) {
        flush();
        if (!Section) NewPreSection();
        DoAnchor();
      } else if (sy == AEndSy) {
        flush();
        EndLink();
      } else if (sy == PSy) {
        if (inP) {
          endParagraph();
        } else {
          flush();
          if (Section && !Section->Text.empty())
            CloseSection();
          else
            DiscardSection();
          if (Ch == 13) GetChar();
          PushProps(PSy);
          OpenBlock(std::make_unique<TBlock>(Document, &Attributes, SectionList, Top()));
          NewPreSection();
          inP = true;
        }
      } else if (sy == PEndSy) {
        if (inP) {
          endParagraph();
          NewPreSection();
        }
      } else if (sy == PreEndSy || sy == TableSy || sy == THEndSy || sy == TDEndSy) {
        done = true;
      } else if (sy == FormSy) {
        if (inP) endParagraph();
        if (inForm) {
          endForm();
        } else {
          flush();
          CloseSection();
        }
        PushProps(FormSy);
        OpenBlock(std::make_unique<TBlock>(Document, &Attributes, SectionList, Top()));
        NewPreSection();
        inForm = true;
      } else if (sy == FormEndSy) {
        if (inP) endParagraph();
        if (inForm) endForm();
        if (!Section) NewPreSection();
      } else if (sy == TextAreaSy) {
        ReadTextAreaContent();  // no form controls here: the content is not shown as text
      }
      // Anything else (NOBR, WBR, unknown and block tags) is dropped.
    } else {
      // A run of text, up to a control character, a line end or a tag.
      while (Ch > 8 && Ch != 13 && Ch != u'<') {
        if (Ch == u'&') {
          const int32_t position = PropStack->SourcePosition;
          String entity;
          ReadEntity(entity);
          for (Char c : entity) text.AppendChar(c, position);
        } else {
          text.AppendChar(Ch, PropStack->SourcePosition);
          GetChar();
        }
      }
    }
  }
  // A paragraph or form left open ends with the PRE.
  if (inP) endParagraph();
  if (inForm) {
    endForm();
  } else {
    flush();
    closeLine();
  }

  // A line break right after the PRE tag and right before its end tag leave no empty line.
  if (preCell->Count() > 0 && IsEmptyPreLine(preCell->Items(0))) preCell->Delete(0);
  if (preCell->Count() > 0 && IsEmptyPreLine(preCell->Items(preCell->Count() - 1))) preCell->Delete(preCell->Count() - 1);
  Section.reset();
  while (Level() >= level) PopProps();
  if (!pushed) PopPropsTo(PreSy);
  SectionList = preCell;
  LeaveBlock();
  if (Symbol == PreEndSy || Ch == 0) Next();
}
