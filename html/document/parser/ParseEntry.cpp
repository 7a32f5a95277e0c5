// The parse entry points: HTML into a document, plain text as preformatted lines, the
// initialisation both share and the pass that counts links first.
#include <memory>

#include "html/document/blocks/BodyBlock.h"
#include "html/document/blocks/PreFormated.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/shared/UrlTarget.h"
#include "platform/rtl/Exceptions.h"

namespace {

constexpr int MaxLinksForTabStops = 400;

// The clean-up after a parse, also when a handler raises.
class TParseScope {
 public:
  explicit TParseScope(std::function<void()> done) : done_(std::move(done)) {}
  ~TParseScope() { done_(); }
  TParseScope(const TParseScope&) = delete;
  TParseScope& operator=(const TParseScope&) = delete;

 private:
  std::function<void()> done_;
};

}  // namespace

void THtmlParser::ParseInit(ThtDocument* document, TIncludeType includeEvent) {
  Document = document;
  SectionList = document;
  UseQuirks = document->UseQuirks;
  auto* stack = dynamic_cast<THtmlPropStack*>(document->PropStack);
  if (!stack) throw Exception(u"The document has no property stack for parsing");
  PropStack = stack;
  PropStack->Document = document;
  Viewer = document->Viewer;
  IncludeEvent = std::move(includeEvent);
  TStyleList& styles = *document->StyleList;
  if (!styles.DefaultProperties)
    document->SetDefaults(u"Times New Roman", u"Courier New", 10, 8, 1, 1252, true, false, clWhite, clBlue,
                          clPurple, clBlue, clBlack, 12);

  PropStack->Clear();
  auto base = std::make_unique<TProperties>(PropStack, UseQuirks);
  base->CopyAll(*styles.DefaultProperties);
  TProperties& top = *PropStack->Add(std::move(base));
  PropStack->SourcePosition = -1;
  if (document->OnCharsetChange) document->OnCharsetChange(top.Charset, top.CodePage);

  auto body = std::make_unique<TBodyBlock>(document, nullptr, SectionList, top);
  Body = body.get();
  OpenBlock(std::move(body));

  UrlTarget = std::make_unique<TUrlTarget>();
  Document->CurrentForm = nullptr;
  InHref = false;
  BaseFontSize = 3;
  BaseUrl.clear();
  BaseTarget.clear();
  NewSection();

  Attributes.Clear();
  RawMode = false;
  SetNoBreak(false);
  InComment = false;
  LinkSearch = false;
  ListLevel = 0;
  TableDepth = 0;
  NestingDepth = 0;
}

void THtmlParser::ParseDone() {
  Attributes.Clear();
  Section.reset();
  PendingHtmlAttributes.reset();
  PropStack->Clear();
  styleAttributes_.clear();
  UrlTarget.reset();
  PropStack = ownStack_.get();
}

void THtmlParser::CountLinks() {
  LinkSearch = true;
  int count = 0;
  try {
    GetChar();
    Next();
    while (Symbol != EofSy) {
      TAttribute* href;
      if (Symbol == ASy && Attributes.FindSymbol(HrefAttrSy, href) && ++count > MaxLinksForTabStops) break;
      Next();
    }
  } catch (const Exception&) {
    // The main pass meets the same failure and ends there; the count so far stands.
  }
  Document->TooManyLinks = count > MaxLinksForTabStops;
}

void THtmlParser::ParseHtml(ThtDocument* document, TLinkType linkEvent, TMetaType metaEvent, TSoundType soundEvent,
                            TIncludeType includeEvent) {
  if (CheckXmlEncoding) ProbeXmlEncoding();
  TParseScope scope([this] { ParseDone(); });
  ParseInit(document, std::move(includeEvent));

  const int32_t sourcePosition = PropStack->SourcePosition;
  const int offset = Buffer->ReadOffset();
  SoundEvent = nullptr;
  MetaEvent = nullptr;
  LinkEvent = nullptr;
  CountLinks();

  Buffer->SeekOffset(offset);
  PropStack->SourcePosition = sourcePosition;
  Ch = 0;
  LineEnd = 0;
  Symbol = 0;
  Document->CurrentForm = nullptr;
  InHref = false;
  BaseFontSize = 3;
  BaseUrl.clear();
  BaseTarget.clear();
  RawMode = false;
  SetNoBreak(false);
  InComment = false;
  LinkSearch = false;
  ListLevel = 0;
  TableDepth = 0;
  NestingDepth = 0;
  SoundEvent = std::move(soundEvent);
  MetaEvent = std::move(metaEvent);
  LinkEvent = std::move(linkEvent);

  try {
    GetChar();
    DoBody(TSymbolSet{});
  } catch (const Exception&) {
    // A failure of the input (an unterminated comment) ends the parse: the document keeps
    // what was built so far.
  }
  FinishOpenSection();
}

// Here, not in ParseDone: finishing a section's text takes memory, and a failure to get it
// must reach the caller, which a scope's end (a destructor) cannot pass on.
void THtmlParser::FinishOpenSection() {
  if (Section && SectionList) CloseSection();
}

void THtmlParser::ParseText(ThtDocument* document) {
  TParseScope scope([this] { ParseDone(); });
  ParseInit(document, nullptr);
  RawMode = true;
  GetChar();
  ParseTextLines();
  FinishOpenSection();
}

void THtmlParser::ParseTextLines() {
  CloseSection();
  PushProps(PreSy);
  OpenBlock(std::make_unique<TBlock>(Document, &Attributes, SectionList, Top()));
  NewPreSection();
  constexpr int MaxPiece = 200;
  TokenObj token;
  while (Ch != 0) {
    if (Ch == 13) {
      Section->AddTokenObj(token);
      token.Reset();
      TagPosition = PropStack->SourcePosition;
      CloseSection();
      NewPreSection();
    } else {
      token.AppendChar(Ch, PropStack->SourcePosition);
      if (token.Count > MaxPiece) {
        Section->AddTokenObj(token);
        token.Reset();
      }
    }
    GetChar();
  }
  Section->AddTokenObj(token);
  TagPosition = PropStack->SourcePosition;
  CloseSection();
  PopPropsTo(PreSy);
  LeaveBlock();
}
