// The content of TEXTAREA, TITLE and SCRIPT: read as it stands up to the element's end tag.
// Comments are not removed inside, so a stray "<!--" cannot take the rest of the document.
#include "html/document/parser/HtmlParser.h"
#include "html/document/style/HtmlPropStack.h"
#include "platform/rtl/StrUtils.h"

namespace {

// Raw mode for the life of the guard (also when a reader raises).
class TRawModeGuard {
 public:
  explicit TRawModeGuard(bool& rawMode) : rawMode_(rawMode) { rawMode_ = true; }
  ~TRawModeGuard() { rawMode_ = false; }
  TRawModeGuard(const TRawModeGuard&) = delete;
  TRawModeGuard& operator=(const TRawModeGuard&) = delete;

 private:
  bool& rawMode_;
};

bool IsLetter(Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

}  // namespace

bool THtmlParser::ReadRawEndTag(const char16_t* name, String& text) {
  text = u"<";
  GetChar();
  if (Ch == u'/') {
    text += Ch;
    GetChar();
  }
  while (IsLetter(Ch)) {
    text += Ch;
    GetChar();
  }
  return LowerCase(text) == String(u"</") + name;
}

void THtmlParser::FinishRawEndTag() {
  while (Ch != 0 && Ch != u'>') GetChar();
  RawMode = false;
  GetChar();
}

String THtmlParser::ReadTextAreaContent() {
  TRawModeGuard raw(RawMode);
  String content;
  for (;;) {
    if (Ch == 0) break;
    if (Ch == 13) {
      content += u"\r\n";
      GetChar();
    } else if (Ch == u'&') {
      String text;
      ReadEntity(text);
      content += text;
    } else if (Ch == u'<') {
      String text;
      if (ReadRawEndTag(u"textarea", text)) break;
      content += text;
    } else {
      content += Ch;
      GetChar();
    }
  }
  FinishRawEndTag();
  return content;
}

void THtmlParser::ReadTitle() {
  TRawModeGuard raw(RawMode);
  TitleStart = PropStack->SourcePosition;
  for (;;) {
    if (Ch == 0) {
      TitleEnd = PropStack->SourcePosition;
      break;
    }
    if (Ch == u'<') {
      const int32_t position = PropStack->SourcePosition;
      String text;
      if (ReadRawEndTag(u"title", text)) {
        TitleEnd = position;
        break;
      }
    } else {
      GetChar();
    }
  }
  FinishRawEndTag();
}

void THtmlParser::DoScript(const TScriptEvent& handler) {
  TRawModeGuard raw(RawMode);
  String type, language, name, src;
  for (int i = 0; i < Attributes.Count(); ++i) {
    const TAttribute* a = Attributes.AttributeAt(i);
    if (a->AttrName == u"TYPE") type = a->ValueText;
    else if (a->AttrName == u"LANGUAGE") language = a->ValueText;
    else if (a->AttrName == u"NAME") name = a->ValueText;
    else if (a->AttrName == u"SRC") src = a->ValueText;
  }
  GetChar();
  String script;
  for (;;) {
    if (Ch == 0) break;
    if (Ch == 13) {
      script += u"\r\n";
      GetChar();
    } else if (Ch == u'<') {
      String text;
      if (ReadRawEndTag(u"script", text)) break;
      script += text;
    } else {
      script += Ch;
      GetChar();
    }
  }
  FinishRawEndTag();
  if (handler) handler(Viewer, name, type.empty() ? language : type, src, script);
}
