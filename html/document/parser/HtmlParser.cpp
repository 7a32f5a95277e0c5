#include "html/document/parser/HtmlParser.h"

#include <algorithm>

#include "html/document/inline/Section.h"
#include "html/document/parser/ParseError.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/shared/UrlTarget.h"
#include "platform/rtl/StringList.h"

THtmlParser::THtmlParser(TBuffer* buffer)
    : Token(std::make_unique<TokenObj>()), Buffer(buffer), ownStack_(std::make_unique<THtmlPropStack>(nullptr)) {
  PropStack = ownStack_.get();
}

THtmlParser::~THtmlParser() = default;

void THtmlParser::PopInclude() {
  includes_.pop_back();  // frees the finished included buffer
  Buffer = BufferStack.back();
  BufferStack.pop_back();
}

Char THtmlParser::NextRawChar() {
  Char c;
  for (;;) {
    if (BufferStack.empty()) PropStack->SourcePosition = Buffer->ReadOffset();
    c = Buffer->ReadChar();
    if (c != 0 || BufferStack.empty()) break;
    PopInclude();
  }
  if (!LinkSearch && Viewer) {
    ++CharCount;
    const int size = Buffer->ContentSize();
    if ((c == 0 || CharCount % 4096 == 0) && size > 0)
      Viewer->ReportProgress(static_cast<int>(int64_t{Buffer->ReadOffset()} * ParseShare / size));
  }
  return c;
}

Char THtmlParser::PeekChar() {
  Char c = Buffer->LookAhead();
  while (c == 0 && !BufferStack.empty()) {
    PopInclude();
    c = Buffer->LookAhead();
  }
  return c;
}

void THtmlParser::NextChar() {
  Ch = NextRawChar();
  if ((Ch == 10 && LineEnd == 1) || (Ch == 13 && LineEnd == 2)) Ch = NextRawChar();
  if (Ch == 9) {
    Ch = u' ';
  } else if (Ch == 10) {
    Ch = 13;
    LineEnd = 2;
  } else if (Ch == 13) {
    LineEnd = 1;
  } else {
    LineEnd = 0;
  }
  if (Ch == 0 && InComment) throw EParseError(u"Open Comment at End of HTML File");
}

void THtmlParser::SkipBlanks() {
  while (Ch == 9 || Ch == 10 || Ch == 12 || Ch == 13 || Ch == u' ') GetChar();
}

void THtmlParser::GetChar() {
  for (;;) {
    NextChar();
    if (Ch != u'<' || RawMode) return;
    const Char next = PeekChar();
    if (next == u'!') {
      // A comment can start inside an include comment's parameters; the outer one stays open.
      const bool outer = InComment;
      try {
        NextChar();
        InComment = true;
        NextChar();
        if (Ch == u'-') {
          NextChar();
          if (Ch == u'-') {
            NextChar();
            if (IncludeEvent && Ch == u'#' && !LinkSearch && !outer &&
                static_cast<int>(BufferStack.size()) < MaxIncludeDepth)
              DoInclude();
            else
              SkipComment();
            InComment = outer;
            continue;
          }
        }
        while (Ch != u'>') NextChar();
      } catch (const EParseError&) {
        // A comment left open takes the rest of the input: the input ends where it starts,
        // and what was read before it (the run of text being collected too) stays.
        if (outer) throw;
        InComment = false;
        Ch = 0;
        return;
      }
      InComment = outer;
    } else if (next == u'%') {
      NextChar();
      do NextChar();
      while (Ch != 0 && !(Ch == u'%' && PeekChar() == u'>'));
      NextChar();
    } else {
      return;
    }
  }
}

// Two or more hyphens, then blanks, line ends and one "!" at most, then ">" end a comment.
void THtmlParser::SkipComment() {
  for (;;) {
    if (Ch == 0) throw EParseError(u"Open Comment at End of HTML File");
    if (Ch != u'-') {
      NextChar();
      continue;
    }
    NextChar();
    if (Ch != u'-') continue;
    while (Ch == u'-') NextChar();
    while (Ch == u' ' || Ch == 12 || Ch == 13) NextChar();
    if (Ch == u'!') NextChar();
    if (Ch == u'>') break;
  }
  InComment = false;
}

String THtmlParser::ReadIdentifier() {
  String name;
  auto letter = [](Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
  if (!letter(Ch) && Ch != u'_') return name;
  while (letter(Ch) || (Ch >= u'0' && Ch <= u'9') || Ch == u'-' || Ch == u'_') {
    name += Ch;
    GetChar();
  }
  return name;
}

void THtmlParser::DoInclude() {
  std::unique_ptr<TokenObj> saved = std::move(Token);
  Token = std::make_unique<TokenObj>();
  struct Restore {
    THtmlParser& p;
    std::unique_ptr<TokenObj>& saved;
    ~Restore() { p.Token = std::move(saved); }
  } restore{*this, saved};

  NextChar();
  String command = ReadIdentifier();
  // The name swallowed the hyphens of the comment's end: the comment ends here.
  const bool ended = Ch == u'>' && command.size() >= 3 && command.ends_with(u"--");
  TStringList params;
  if (ended) {
    command.resize(command.size() - 2);
  } else {
    for (;;) {
      SkipBlanks();
      const String name = ReadIdentifier();
      if (name.empty()) break;
      SkipBlanks();
      String value;
      if (Ch == u'=') {
        GetChar();
        SkipBlanks();
        if (Ch == u'"' || Ch == u'\'') {
          ReadQuotedValue(value, u" ");
        } else {
          while (Ch != 0 && Ch != u' ' && Ch != 13 && Ch != u'-' && Ch != u'>') {
            value += Ch;
            GetChar();
          }
        }
      }
      params.Add(name + u"=" + value);
    }
    SkipComment();
  }
  InComment = false;

  std::unique_ptr<TBuffer> included;
  IncludeEvent(Viewer, command, params, included);
  if (included) includedSize_ += std::max(included->ContentSize(), 0);
  if (included && includedSize_ <= IncludedTextLimit) {
    BufferStack.push_back(Buffer);
    Buffer = included.get();
    includes_.push_back(std::move(included));
  }
}

int THtmlParser::TopCodePage() const {
  const TProperties* top = PropStack->TopProps();
  return top && top->CodePage != 0 ? top->CodePage : 1252;
}

void THtmlParser::GetTitleText(String& title) {
  title.clear();
  if (TitleStart < TitleEnd) title = Buffer->TextBetween(TitleStart, TitleEnd);
}
