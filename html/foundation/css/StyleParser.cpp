#include "html/foundation/css/StyleParser.h"

#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/urls/UrlHelpers.h"

namespace {
bool IsIdentChar(Char c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' ||
         c == u'_' || c >= 160;
}
bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

// Removes a trailing "!important" (any case) and trims.
String StripImportant(const String& value) {
  String v = TrimText(value);
  static const String mark = u"!important";
  if (v.size() >= mark.size() && LowerCaseText(v.substr(v.size() - mark.size())) == mark)
    v = TrimText(v.substr(0, v.size() - mark.size()));
  return v;
}

String Unquote(const String& v) {
  if (v.size() >= 2 && (v[0] == u'"' || v[0] == u'\'') && v.back() == v[0]) return v.substr(1, v.size() - 2);
  return v;
}

const char16_t* const ShorthandNames[] = {u"margin", u"padding", u"border-width", u"border", u"border-top",
                                          u"border-right", u"border-bottom", u"border-left", u"font",
                                          u"background", u"list-style", u"border-color", u"border-style"};
const char16_t* const MediaTypes[] = {u"all", u"braille", u"embossed", u"handheld", u"print",
                                      u"projection", u"screen", u"speech", u"tty", u"tv"};
constexpr unsigned AcceptedMedia = 1u | (1u << 6);
}  // namespace

THtmlStyleParser::THtmlStyleParser(TBuffer& buffer, bool quirks, const String& basePath, bool linkedFile)
    : Buffer(&buffer), BasePath(basePath), QuirksMode(quirks), linkedFile_(linkedFile) {}

bool THtmlStyleParser::IsCommentOpener() {
  // Called at the "!" of "<!": do two "-" follow? They are consumed when they do.
  const int back = Buffer->ReadOffset();
  if (Buffer->ReadChar() == u'-' && Buffer->ReadChar() == u'-') return true;
  Buffer->SeekOffset(back);
  return false;
}

bool THtmlStyleParser::AtStyleEndTag() {
  // Called with the read position right after a "<": does "/style" follow?
  const int back = Buffer->ReadOffset();
  static const char16_t* tail = u"/style";
  bool match = true;
  for (const char16_t* t = tail; *t && match; ++t) {
    Char c = Buffer->ReadChar();
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + 32);
    match = c == *t;
  }
  Buffer->SeekOffset(back);
  return match;
}

void THtmlStyleParser::NextChar() {
  Ch = Buffer->ReadChar();
  if (Ch == u'/' && Buffer->LookAhead() == u'*') {
    Buffer->ReadChar();
    bool afterStar = true;
    while (true) {
      const int before = Buffer->ReadOffset();
      const Char c = Buffer->ReadChar();
      // An unterminated comment ends with the style text: at the end of the buffer, or
      // before the end tag of a STYLE element.
      if (c == 0) {
        Ch = 0;
        return;
      }
      if (c == u'<' && !linkedFile_ && AtStyleEndTag()) {
        Buffer->SeekOffset(before);
        break;
      }
      if (c == u'/' && afterStar) break;
      afterStar = c == u'*';
    }
    Ch = u' ';
    return;
  }
  if (Ch == u'\t' || Ch == u'\n' || Ch == u'\f' || Ch == u'\r') Ch = u' ';
}

void THtmlStyleParser::SkipBlanks() {
  while (Ch == u' ') NextChar();
}

String THtmlStyleParser::ReadIdent() {
  String ident;
  if (!IsIdentChar(Ch) || IsDigit(Ch)) return ident;
  if (Ch == u'-') {
    const Char next = Buffer->LookAhead();
    if (next == u'-' || IsDigit(next)) return ident;
  }
  while (IsIdentChar(Ch)) {
    ident += Ch;
    NextChar();
  }
  return ident;
}

bool THtmlStyleParser::ReadQuotedString(String& text) {
  if (Ch != u'"' && Ch != u'\'') return false;
  const Char quote = Ch;
  text.assign(1, quote);
  NextChar();
  Char prev = 0;
  while (Ch != 0 && !(Ch == quote && prev != u'\\')) {
    text += Ch;
    prev = Ch;
    NextChar();
  }
  if (Ch == quote) {
    text += Ch;
    NextChar();
  }
  return true;
}

// Skips to the "}" that closes the next block (consumed), or the end.
void THtmlStyleParser::SkipBlock() {
  while (Ch != u'{' && Ch != 0) NextChar();
  int depth = 0;
  while (Ch != 0) {
    if (Ch == u'{') ++depth;
    else if (Ch == u'}' && --depth == 0) {
      NextChar();
      return;
    }
    NextChar();
  }
}

// Skips a statement: to its ";" (consumed) or to the end of its block, nested blocks
// included.
void THtmlStyleParser::SkipToEndOfStatement() {
  while (Ch != 0) {
    if (Ch == u';') {
      NextChar();
      return;
    }
    if (Ch == u'{') {
      SkipBlock();
      return;
    }
    if (Ch == u'}') return;
    NextChar();
  }
}

void THtmlStyleParser::ReadDeclarations() {
  NextChar();  // the "{"
  while (true) {
    SkipBlanks();
    if (Ch == u'}' || Ch == u'<' || Ch == 0) break;
    const String name = ReadIdent();
    if (!name.empty()) {
      SkipBlanks();
      if (Ch == u':' || Ch == u'=') {
        NextChar();
        String value;
        while (Ch != u';' && Ch != u'}' && Ch != u'<' && Ch != 0) {
          value += Ch;
          NextChar();
        }
        ProcessDeclaration(name, StripImportant(value));
      }
    }
    // The rest of the declaration, quotes and brackets respected.
    std::vector<Char> open;
    while (Ch != 0) {
      if (open.empty()) {
        if (Ch == u';') {
          NextChar();
          break;
        }
        if (Ch == u'}' || Ch == u'<') break;
      }
      if (!open.empty() && Ch == open.back()) {
        open.pop_back();
      } else if (open.empty() || (open.back() != u'"' && open.back() != u'\'')) {
        if (Ch == u'"' || Ch == u'\'') open.push_back(Ch);
        else if (Ch == u'(') open.push_back(u')');
        else if (Ch == u'[') open.push_back(u']');
        else if (Ch == u'{') open.push_back(u'}');
      }
      NextChar();
    }
  }
  if (Ch == u'}') NextChar();
}

String THtmlStyleParser::ResolveCssUrl(const String& value) const {
  const String url = UrlFromCssText(value);
  String path;
  if (BasePath.find(u"://") == String::npos) {
    path = UrlToDosPath(url);
    const bool absolute = (path.size() >= 2 && path[1] == u':') || path.rfind(u"\\\\", 0) == 0 ||
                          path.rfind(u"/", 0) == 0;
    if (!absolute) path = BasePath + path;
  } else {
    path = IsFullUrl(url) ? url : CombineUrl(BasePath, url);
  }
  return u"url(\"" + path + u"\")";
}

void THtmlStyleParser::ProcessDeclaration(const String& rawName, const String& value) {
  const String name = LowerCaseText(rawName);
  const String lowered = LowerCaseText(TrimText(value));
  const String unquoted = Unquote(lowered);
  for (int i = 0; i < 13; ++i)
    if (name == ShorthandNames[i]) {
      ExpandShorthand(i, lowered, unquoted);
      return;
    }
  if (name == u"font-family") {
    HandleDeclaration(name, lowered);
  } else if (!BasePath.empty() && unquoted.find(u"url(") != String::npos) {
    HandleDeclaration(name, ResolveCssUrl(unquoted));
  } else {
    HandleDeclaration(name, unquoted);
  }
}

// The sheet parser.

THtmlStyleTagParser::THtmlStyleTagParser(TBuffer& buffer, TStyleList& styles, bool quirks,
                                         const String& basePath, bool linkedFile)
    : THtmlStyleParser(buffer, quirks, basePath, linkedFile), Styles(&styles) {}

void THtmlStyleTagParser::HandleDeclaration(const String& name, const String& value) {
  for (const String& key : SelectorKeys) Styles->AddDeclaration(key, name, value);
}

unsigned THtmlStyleTagParser::ReadMediaList() {
  unsigned mask = 0;
  while (true) {
    SkipBlanks();
    const String name = ReadIdent();
    if (name.empty()) break;
    for (unsigned i = 0; i < 10; ++i)
      if (name == MediaTypes[i]) mask |= 1u << i;
    SkipBlanks();
    if (Ch != u',') break;
    NextChar();
  }
  return mask;
}

void THtmlStyleTagParser::ReadAtRule() {
  NextChar();  // the "@"
  const String name = LowerCaseText(ReadIdent());
  if (name == u"media") {
    unsigned mask = ReadMediaList();
    if (mask == 0) mask = 1;
    SkipBlanks();
    if (Ch == u';') {
      NextChar();
    } else if (Ch == u'{') {
      if (mask & AcceptedMedia) {
        NextChar();
        while (true) {
          SkipBlanks();
          if (Ch == u'}') {
            NextChar();
            break;
          }
          if (Ch == u'<' || Ch == 0) break;
          ReadRule();
        }
      } else {
        SkipBlock();
      }
    } else {
      SkipBlock();
    }
    return;
  }
  if (name == u"import") {
    // Nothing is loaded; the statement is consumed whatever form its URL has.
    SkipToEndOfStatement();
    return;
  }
  // Any other at-rule ("@charset", "@font-face", "@keyframes", ...) is skipped whole.
  SkipToEndOfStatement();
}

void THtmlStyleTagParser::ReadRule() {
  SelectorKeys.clear();
  ReadSelectors();
  if (Ch == u'{') ReadDeclarations();
}

void THtmlStyleTagParser::ReadSelectors() {
  while (true) {
    SkipBlanks();
    String text;
    bool drop = false, compound = false;
    int markers = 0;
    while (true) {
      const Char c = Ch;
      if (c == u' ' || c == u'*') {
        // A "*" qualified by a class, id or pseudo-class stands for its tag; a "*" step of
        // its own would need a match of any element, which no key expresses.
        if (c == u'*') {
          const Char next = Buffer->LookAhead();
          if (next != u'.' && next != u'#' && next != u':') drop = true;
        }
        text += u' ';
        markers = 0;
      } else if (c == u'#' || c == u'.' || c == u':') {
        if (++markers >= 2) compound = true;
        text += c;
      } else if (c == u'>') {
        text += c;
        markers = 0;
      } else if (c == u'+') {
        drop = true;
        text += c;
      } else if (c == u'-' || c == u'_' || IsDigit(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                 c >= 160) {
        text += c;
      } else {
        break;
      }
      NextChar();
    }
    // A selector cut short by a part that no key expresses ("[", "~", "(") is dropped with
    // its rule instead of styling a broader set of elements.
    if (Ch != u',' && Ch != u'{') drop = true;
    const String trimmed = LowerCaseText(TrimText(text));
    if (!drop && !trimmed.empty()) SelectorKeys.push_back(MakeSelectorKey(trimmed, compound, *Styles));
    if (Ch == u',') {
      NextChar();
      continue;
    }
    while (Ch != u'{' && Ch != u'<' && Ch != 0) NextChar();
    return;
  }
}

Char THtmlStyleTagParser::ParseSheet() {
  NextChar();
  while (Ch == u' ' || Ch == u'!' || Ch == u'-' || Ch == u'<' || Ch == u'>') {
    if (Ch == u'<' && !linkedFile_) {
      // "<!--" hides a sheet from old browsers; any other "<" ends the STYLE element.
      const Char next = Buffer->LookAhead();
      if (next != u'!' && next != u'-') return Ch;
    }
    NextChar();
  }
  while (true) {
    switch (Ch) {
      case 0:
        return 0;
      case u' ': case u'-': case u'>': case u'}': case u';':
        NextChar();
        break;
      case u'<': {
        const int after = Buffer->ReadOffset();
        NextChar();
        if (Ch == u'!' && IsCommentOpener()) {
          // "<!--" inside a sheet only hides it from old browsers: it is dropped, and so is
          // its "-->", instead of swallowing the rules up to the next "->".
          NextChar();
        } else if (Ch == u'!' || Ch == u'-') {
          Char prev = 0;
          while (Ch != 0 && !(Ch == u'>' && prev == u'-')) {
            prev = Ch;
            NextChar();
          }
          if (Ch == u'>') NextChar();
        } else if (!linkedFile_) {
          Buffer->SeekOffset(after);
          Ch = u'<';
          return Ch;
        }
        break;
      }
      case u'@':
        ReadAtRule();
        break;
      default:
        ReadRule();
    }
  }
}

// STYLE attributes.

THtmlStyleAttrParser::THtmlStyleAttrParser(TBuffer& buffer, TProperties& target)
    : THtmlStyleParser(buffer, target.QuirksMode, String(), true), Target(&target) {}

void THtmlStyleAttrParser::HandleDeclaration(const String& name, const String& value) {
  Target->StoreNamedDeclaration(name, value);
}

void THtmlStyleAttrParser::ParseAttribute() {
  NextChar();
  while (Ch != 0) {
    SkipBlanks();
    String name;
    while ((Ch >= u'a' && Ch <= u'z') || (Ch >= u'A' && Ch <= u'Z') || IsDigit(Ch) || Ch == u'-') {
      name += Ch;
      NextChar();
    }
    SkipBlanks();
    if (Ch == u':' || Ch == u'=') {
      NextChar();
      String value;
      while (Ch != u';' && Ch != 0) {
        value += Ch;
        NextChar();
      }
      ProcessDeclaration(name, StripImportant(value));
    }
    SkipBlanks();
    if (Ch == u';') NextChar();
    while (Ch != 0 && !((Ch >= u'a' && Ch <= u'z') || (Ch >= u'A' && Ch <= u'Z') || IsDigit(Ch) || Ch == u'-'))
      NextChar();
  }
}

void ParseStyleSheet(TStyleList& styles, Char& ch, TBuffer& buffer, bool quirks, bool linkedFile,
                     const String& basePath) {
  THtmlStyleTagParser parser(buffer, styles, quirks, basePath, linkedFile);
  ch = parser.ParseSheet();
}

void ParseStyleBuffer(TBuffer& buffer, TProperties& props) {
  THtmlStyleAttrParser parser(buffer, props);
  parser.ParseAttribute();
}

void ParseStyleAttribute(const String& text, TProperties& props) {
  auto buffer = TBuffer::CreateFromText(text, u"", 1200);
  ParseStyleBuffer(*buffer, props);
}
