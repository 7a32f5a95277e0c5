// The HTML parser. The reader: decoded characters of a TBuffer (and of documents that
// include comments pull in) become tokens. Comments, declarations and server blocks are
// removed from the character stream, line ends arrive as one CR, tags come with their
// symbol and attributes, text runs with one source position per character. The tree
// builder: a family of recursive handlers, each reading tokens until one it cannot take or
// one of the terminating set its caller gives arrives, builds the sections of a document
// and keeps the document's property stack in step with the open elements.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "html/document/parser/TokenSymbols.h"
#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/TextTokens.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/Types.h"

// An include comment "<!--#command name=value ...-->": the handler may hand back a buffer
// whose characters then follow the comment; the parser owns it from then on.
using TIncludeType = std::function<void(TComponent* Sender, const String& Command, TStrings& Params,
                                        std::unique_ptr<TBuffer>& IncludedDocument)>;

class TBlock;
class TBodyBlock;
class TCellBasic;
class THtmlPropStack;
class TProperties;
class TSection;
class TUrlTarget;
class ThtDocument;

// BGSOUND: the sound's source and how often it plays (-1: forever).
using TSoundType = std::function<void(TComponent* Sender, const String& SRC, int Loop, bool Terminate)>;
// META: its HTTP-EQUIV, NAME and CONTENT.
using TMetaType =
    std::function<void(TComponent* Sender, const String& HttpEq, const String& Name, const String& Content)>;
// LINK: its REL, REV and the resolved HREF.
using TLinkType = std::function<void(TComponent* Sender, const String& Rel, const String& Rev, const String& Href)>;

class TOptionsFormControlObj;

class THtmlParser {
 public:
  // Include comments nest this deep at most; deeper ones are skipped like plain comments.
  static constexpr int MaxIncludeDepth = 16;

  // Containers (blocks, lists, items, headings) nest this deep at most; deeper ones are
  // parsed flat: their tags are skipped and their content joins the enclosing container.
  static constexpr int MaxNestingDepth = 256;
  // Linked style sheets and included documents are read only up to this size, and the
  // text that includes bring in adds up to this much at most.
  static constexpr int64_t MaxIncludedSize = 16 * 1024 * 1024;

  // The caller keeps ownership of the buffer.
  explicit THtmlParser(TBuffer* buffer);
  ~THtmlParser();
  THtmlParser(const THtmlParser&) = delete;
  THtmlParser& operator=(const THtmlParser&) = delete;

  // Parses the whole buffer into the document (whose style list holds its default sheet).
  // A failure of the input (an unterminated comment) ends the parse; the document keeps
  // what was built.
  void ParseHtml(ThtDocument* document, TLinkType linkEvent = {}, TMetaType metaEvent = {},
                 TSoundType soundEvent = {}, TIncludeType includeEvent = {});
  // Shows the buffer as plain preformatted text, one section per line.
  void ParseText(ThtDocument* document);
  // When the text starts with an XML declaration naming a known encoding, the buffer
  // switches to it. The read offset is kept. ParseHtml runs it when CheckXmlEncoding is set.
  void ProbeXmlEncoding();

  // The next character of the HTML text into Ch (0 at the end), comments, declarations and
  // server blocks removed; raises EParseError when the input ends inside a comment.
  void GetChar();
  void SkipBlanks();
  // The next token into Symbol, Attributes and Token.
  void NextToken();
  // Decodes the character reference at Ch = "&" and moves past it. InAttribute: a name
  // without ";" followed by "=", a letter or a digit stays as written.
  void ReadEntity(String& text, bool inAttribute = false);
  // The DOCTYPE pre-scan over raw characters: True for quirks mode. The read offset is kept.
  bool DetectQuirksMode();
  // The source between TitleStart and TitleEnd; empty when they do not make a range.
  void GetTitleText(String& title);

  // Raw-content readers; the text inside is taken as it stands up to the element's end tag
  // (comments included), and the end tag and the character after it are consumed.
  // TEXTAREA, with Ch on the first character after its tag: the content, lines joined by
  // CR LF, character references decoded.
  String ReadTextAreaContent();
  // TITLE, with Ch on the first character after its tag: sets TitleStart and TitleEnd.
  void ReadTitle();
  // SCRIPT, with Ch on the ">" of its tag: the handler (when assigned) gets the script text.
  void DoScript(const TScriptEvent& handler);

  // Attribute text to integer: trimmed, a trailing "%" or "*" dropped, then the leading
  // number rounded (halves to even) and clamped; False for text that starts no number.
  static bool ValueToInteger(const String& text, int& value);

  // The tree builder (the handlers live in files by kind of element).
  // The content loop: reads tokens until one of the set (or the end of input) arrives.
  void DoBody(const TSymbolSet& termSet);
  // One token of inline content: text, inline tags, images, rules, links, headings, PRE.
  void DoCommon();
  void DoBodyTag();
  void DoP(const TSymbolSet& termSet);
  void DoHeading();
  // DIV and its kin, CENTER, ADDRESS, BLOCKQUOTE, FORM, FIELDSET and LEGEND.
  void DoDivEtc(uint8_t sy, const TSymbolSet& termSet);
  // OL, UL, DIR, MENU, DL, and ADDRESS and BLOCKQUOTE laid out like them.
  void DoLists(uint8_t sy, const TSymbolSet& termSet);
  void DoListItem(uint8_t listKind, uint8_t itemSymbol, const TSymbolSet& termSet, bool plain, Char type,
                  int start);
  void DoPre();
  // TABLE with its caption, columns, row groups, rows and cells (TableElements.cpp).
  void DoTable();
  // TEXTAREA, SELECT or INPUT (the current tag): a control of the current section, which
  // the style of the element is given. The token after the field is current afterwards; for
  // a SELECT that ended without /SELECT it is the tag that ended it.
  void DoFormControl();
  // The options of a SELECT up to the token that ends the list (left current), then the
  // control's initial state.
  void DoSelect(TOptionsFormControlObj& control);
  void DoFont(uint8_t sy, bool inPre);
  void DoAnchor();
  void EndLink();
  void DoBr(const TSymbolSet& termSet);
  void DoHR();
  // IMG and PANEL, placed in the current section.
  void DoImage();
  void DoMap();
  // OBJECT: answers whether the viewer took it as a panel. Before every token read the
  // character, read offset and source position are saved (PRE goes back to them).
  bool DoObject();
  void DoTitle();
  void DoBase();
  void DoMeta();
  void DoLink();
  void DoSound();
  void DoStyle();

  // Recurring steps of the handlers.
  void Next() { NextToken(); }
  // The current section joins SectionList (an empty text section is dropped there).
  void CloseSection();
  // Drops the current section without keeping anything of it.
  void DiscardSection();
  // A new text section in Section (firstLineIndent, the link being parsed, Top).
  void NewSection(bool firstLineIndent = true, TAttributeList* attributes = nullptr);
  // A new preformatted section in Section.
  void NewPreSection();
  // The attribute of the current tag with the (upper-case) name; nil when it has none.
  const TAttribute* AttributeNamed(const char16_t* name) const;
  // Pushes the element with the class, style, title and id of its attributes; answers its
  // property set, or nil when the stack is full (the element then takes its parent's).
  TProperties* PushProps(uint8_t sy, TAttributeList& attributes, const String& pseudo = String());
  TProperties* PushProps(uint8_t sy) { return PushProps(sy, Attributes); }
  // An inline element's set takes its background colour, and a visible border opens here.
  void StartInlineElement(TProperties* props);
  // Removes the top property set.
  void PopProps();
  // Ends the nearest open element of the symbol; the sets above it stay.
  void PopPropsTo(uint8_t sy);
  void SetNoBreak(bool value);
  // The property set of the innermost open element, and its index.
  TProperties& Top() const;
  int Level() const;
  // ALIGN "left", "center" ("middle"), "right" or "justify" as the element's text-align.
  void ApplyAlign(TProperties* props, const TAttributeList& attributes);
  // The block joins SectionList, which becomes the block's content cell.
  void OpenBlock(std::unique_ptr<TBlock> block);
  // SectionList goes back to the cell that holds its block.
  void LeaveBlock();
  // The closing block's content gives its default bottom gap to the block.
  void FixBottomMargin();
  // The pending HTML element's style (after an HTML tag) goes to the document's background.
  void PendingHtmlStep();
  // A position anchor (an id or a link NAME) at the source position.
  void AddPositionAnchor(const String& name, int sourcePosition);
  // Whether a container may open here; at the limit its tag is skipped instead.
  bool CanNest() const { return NestingDepth < MaxNestingDepth; }

  ThtDocument* Document = nullptr;
  TBodyBlock* Body = nullptr;
  std::unique_ptr<TSection> Section;  // the text section being filled, not yet in a cell
  TCellBasic* SectionList = nullptr;  // the cell that receives finished sections
  std::unique_ptr<TUrlTarget> UrlTarget;
  std::unique_ptr<TAttributeList> PendingHtmlAttributes;
  int32_t ListLevel = 0;
  int32_t TableDepth = 0;
  int32_t NestingDepth = 0;
  int32_t SectionSerial = 0;  // counts the sections opened
  bool NoBreak = false;
  bool InHref = false;
  bool SelfClosingTag = false;  // the tag just read ended with "/>"
  int32_t BaseFontSize = 3;
  String BaseUrl;
  String BaseTarget;
  bool UseQuirks = false;
  bool CheckXmlEncoding = false;
  // The text that includes may bring in, all together.
  int64_t IncludedTextLimit = MaxIncludedSize;
  TSoundType SoundEvent;
  TMetaType MetaEvent;
  TLinkType LinkEvent;
  // Where OBJECT last read a token (PRE restores it after the object).
  struct TReadPoint {
    Char Ch = 0;
    int Offset = 0;
    int32_t SourcePosition = 0;
  } ObjectReadPoint;

  int32_t TitleStart = 0;
  int32_t TitleEnd = 0;
  Char Ch = 0;
  uint8_t LineEnd = 0;  // 0 none, 1 CR, 2 LF
  std::unique_ptr<TokenObj> Token;
  TBuffer* Buffer;
  std::vector<TBuffer*> BufferStack;  // buffers interrupted by includes
  int32_t CharCount = 0;
  uint8_t Symbol = 0;
  TAttributeList Attributes;
  int32_t TagPosition = 0;
  bool InComment = false;
  bool RawMode = false;
  bool LinkSearch = false;  // the link-counting pass: no text kept, no includes, no progress
  TIncludeType IncludeEvent;
  TMarkupViewerBase* Viewer = nullptr;  // Sender of the events; receives progress reports
  int ParseShare = 75;                  // per cent of the load that parsing reports
  // The document's property stack while a parse runs; the parser's own (without a
  // document) otherwise. Its SourcePosition is the byte offset in the document's own
  // buffer of the character last read (kept while an included buffer is read).
  THtmlPropStack* PropStack;
  // The code page of the properties on top of the stack, which attributes and character
  // references are read with.
  int TopCodePage() const;

 private:
  Char NextRawChar();
  Char PeekChar();
  void PopInclude();
  void NextChar();
  void SkipComment();
  void DoInclude();
  String ReadIdentifier();
  void ReadTag();
  bool ReadAttribute();
  void ReadAttributeValue(uint8_t symbol, String& value);
  // A quoted value from its opening quote through the closing one, entities decoded; each
  // line end becomes lineEnd.
  void ReadQuotedValue(String& value, std::u16string_view lineEnd);
  void ReadText();
  // At Ch = "<": collects "<", "/" and the letters that follow into Text; True when they
  // are "</" + Name (ignoring case).
  bool ReadRawEndTag(const char16_t* name, String& text);
  // Skips to the ">" of an end tag and past it.
  void FinishRawEndTag();

  // Initialisation of both entry points; the clean-up after them.
  void ParseInit(ThtDocument* document, TIncludeType includeEvent);
  void ParseDone();
  // Closes the section still open at the end of the input.
  void FinishOpenSection();
  // Counts the links of the whole text; the document gets no link tab stops beyond 400.
  void CountLinks();
  // Raw text as preformatted lines.
  void ParseTextLines();

  std::vector<std::unique_ptr<TBuffer>> includes_;  // the included buffers being read
  int64_t includedSize_ = 0;                        // text brought in by includes so far
  std::unique_ptr<THtmlPropStack> ownStack_;
  // The STYLE attribute sets of pushed elements: a property set refers to its element's
  // for as long as it is on the stack, after the tag's attribute list has moved on.
  std::vector<std::unique_ptr<TProperties>> styleAttributes_;
};
