// The HTML reader: decoded characters of a TBuffer (and of documents that include comments
// pull in) become tokens for the tree builder. Comments, declarations and server blocks are
// removed from the character stream, line ends arrive as one CR, tags come with their
// symbol and attributes, text runs with one source position per character.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

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

class THtmlParser {
 public:
  // Include comments nest this deep at most; deeper ones are skipped like plain comments.
  static constexpr int MaxIncludeDepth = 16;

  // The caller keeps ownership of the buffer.
  explicit THtmlParser(TBuffer* buffer);
  ~THtmlParser();
  THtmlParser(const THtmlParser&) = delete;
  THtmlParser& operator=(const THtmlParser&) = delete;

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
  // Byte offset in the document's own buffer of the character last read (kept while an
  // included buffer is read).
  int32_t SourcePosition = -1;
  // The code page of the current element's properties, given to the attributes.
  int CodePage = 1252;

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

  std::vector<std::unique_ptr<TBuffer>> includes_;  // the included buffers being read
};
