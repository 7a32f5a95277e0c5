// Tokens: tags with their attributes, and text runs.
#include <utility>

#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/TokenSymbols.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/css/DocumentLimits.h"
#include "html/foundation/symbols/SymbolTables.h"
#include "platform/rtl/StrUtils.h"

namespace {

bool IsLetter(Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }
bool IsBlank(Char c) { return c == 9 || c == 10 || c == 12 || c == 13 || c == u' '; }

}  // namespace

void THtmlParser::NextToken() {
  Token->Reset();
  if (Ch == 0) {
    Symbol = EofSy;
  } else if (Ch <= 8) {
    Symbol = TextSy;
    Ch = u'?';
  } else if (Ch == u'<') {
    ReadTag();
  } else {
    Symbol = TextSy;
    ReadText();
  }
}

void THtmlParser::ReadTag() {
  TagPosition = PropStack->SourcePosition;
  GetChar();
  bool endTag = false;
  if (Ch == u'/') {
    endTag = true;
    GetChar();
  } else if (Ch != u'?' && !IsLetter(Ch)) {
    Symbol = TextSy;
    Token->AppendChar(u'<', TagPosition);
    return;
  }
  Symbol = UnknownSy;
  String name;
  while (IsLetter(Ch) || IsDigit(Ch) || Ch == u'_' || (Ch == u'/' && name.empty())) {
    name += Ch;
    GetChar();
  }
  if (!name.empty())
    if (const TResWord* row = TagNameList().Find(UpperCase(name)))
      Symbol = endTag ? row->EndSymbol : row->StartSymbol;

  SkipBlanks();
  Attributes.Clear();
  while (ReadAttribute()) {
  }
  Char last = 0;
  while (Ch != 0 && Ch != u'>') {
    if (Ch > u' ') last = Ch;
    GetChar();
  }
  SelfClosingTag = last == u'/';

  if (Symbol == StyleSy || Symbol == ScriptSy) return;  // their readers start at ">"
  if (Symbol == TextAreaSy || Symbol == TitleSy) {
    // Raw content: its first character must not start a comment either.
    RawMode = true;
    GetChar();
    RawMode = false;
    return;
  }
  GetChar();
}

bool THtmlParser::ReadAttribute() {
  SkipBlanks();
  String name;
  while (Ch == u'$' || Ch == u'-' || Ch == u':' || IsDigit(Ch) || IsLetter(Ch)) {
    name += Ch;
    GetChar();
  }
  if (name.empty()) return false;
  name = UpperCase(name);
  const TSymbolRec* row = AttributeNameList().Find(name);
  const uint8_t symbol = row ? row->Symbol : 0;
  SkipBlanks();
  String value;
  int number = symbol == BorderAttrSy ? 1 : 0;
  if (Ch == u'=') {
    GetChar();
    SkipBlanks();
    ReadAttributeValue(symbol, value);
    if (!ValueToInteger(value, number) && symbol == BorderAttrSy && LowerCase(value) == u"none") number = 0;
  }
  // Every number of an attribute but a list item's is a length or a count that stands for
  // one (SIZE, COLS, spans); list numbers keep the 32-bit range.
  if (name != u"START" && name != u"VALUE") number = ClampDocumentLength(number);
  if (symbol == IdAttrSy && !value.empty() && !LinkSearch && PropStack->Document)
    AddPositionAnchor(value, PropStack->SourcePosition);
  Attributes.Add(new TAttribute(symbol, number, name, value, TopCodePage()));
  return true;
}

void THtmlParser::ReadQuotedValue(String& value, std::u16string_view lineEnd) {
  const Char quote = Ch;
  GetChar();
  while (Ch != 0 && Ch != quote) {
    if (Ch == u'&') {
      String text;
      ReadEntity(text, true);
      value += text;
      continue;
    }
    if (Ch != 13)
      value += Ch;
    else
      value += lineEnd;
    GetChar();
  }
  if (Ch == quote) GetChar();
}

void THtmlParser::ReadAttributeValue(uint8_t symbol, String& value) {
  if (Ch == u'"' || Ch == u'\'') {
    ReadQuotedValue(value, symbol == AltAttrSy || symbol == TitleAttrSy ? u"\r\n" : u"");
    return;
  }
  while (Ch != 0 && Ch != u'>' && Ch != 9 && Ch != 13 && Ch != u' ') {
    if (Ch == u'&') {
      String text;
      ReadEntity(text, true);
      value += text;
      continue;
    }
    value += Ch;
    GetChar();
  }
  SkipBlanks();
}

void THtmlParser::ReadText() {
  TCharCollection run;
  while (Ch > 8 && Ch != u'<') {
    if (IsBlank(Ch)) {
      if (!LinkSearch) run.AddChar(u' ', PropStack->SourcePosition);
      GetChar();
      SkipBlanks();
    } else if (Ch == u'&') {
      const int position = PropStack->SourcePosition;
      String text;
      ReadEntity(text);
      if (!LinkSearch) run.AddText(text, position);
    } else {
      if (!LinkSearch) run.AddChar(Ch, PropStack->SourcePosition);
      GetChar();
    }
  }
  if (run.GetCount() > 0) Token->AppendCollection(std::move(run));
}
