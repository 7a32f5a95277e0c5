// The pre-scans over raw characters up to the first HTML, HEAD or BODY tag: the DOCTYPE
// decides whether the document is laid out in quirks or standards mode, and an XML
// declaration's encoding which code page its text is read in.
#include "html/document/parser/HtmlParser.h"
#include "html/foundation/charsets/CodePageNames.h"
#include "platform/rtl/StrUtils.h"

namespace {

class TRawScanner {
 public:
  explicit TRawScanner(TBuffer& buffer) : buffer_(buffer), start_(buffer.ReadOffset()) {}
  ~TRawScanner() { buffer_.SeekOffset(start_); }
  TRawScanner(const TRawScanner&) = delete;
  TRawScanner& operator=(const TRawScanner&) = delete;

  Char Ch = 0;
  void Next() { Ch = buffer_.ReadChar(); }
  void SkipTo(Char c) {
    while (Ch != 0 && Ch != c) Next();
  }
  void SkipBlanks() {
    while (Ch == 9 || Ch == 10 || Ch == 12 || Ch == 13 || Ch == u' ') Next();
  }
  // Letters, digits, "_" and "-", a letter or "_" first; as written.
  String Name() {
    String name;
    if (!IsLetter(Ch) && Ch != u'_') return name;
    while (IsLetter(Ch) || IsDigit(Ch) || Ch == u'-' || Ch == u'_') {
      name += Ch;
      Next();
    }
    return name;
  }
  String Identifier() { return UpperCase(Name()); }
  // A DOCTYPE word: "-", ".", "/", digits, letters and "_"; as written.
  String Word() {
    SkipBlanks();
    String word;
    while (IsLetter(Ch) || IsDigit(Ch) || Ch == u'-' || Ch == u'.' || Ch == u'/' || Ch == u'_') {
      word += Ch;
      Next();
    }
    return word;
  }

 private:
  static bool IsLetter(Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
  static bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }
  TBuffer& buffer_;
  int start_;
};

// True for a DOCTYPE that asks for standards mode.
bool IsStandardsDoctype(TRawScanner& s) {
  if (UpperCase(s.Word()) != u"HTML") return false;
  s.SkipBlanks();
  if (s.Ch == u'>') return true;
  const String kind = UpperCase(s.Word());
  if (kind != u"PUBLIC" && kind != u"SYSTEM") return false;
  s.SkipBlanks();
  if (s.Ch == u'"') s.Next();
  String word = s.Word();
  if (UpperCase(word) == u"HTTP") {
    String url;
    while (s.Ch != 0 && s.Ch != u'"') {
      url += s.Ch;
      s.Next();
    }
    for (const char16_t* dtd : {u"html40/strict.dtd", u"xhtml1-strict.dtd", u"xhtml-basic11.dtd",
                                u"xhtml1-transitional.dtd", u"xhtml1-frameset.dtd", u"xhtml11.dtd"})
      if (url.ends_with(dtd)) return true;
    return false;
  }
  if (UpperCase(word) != u"-//W3C//DTD") return false;
  const String language = UpperCase(s.Word());
  if (language == u"HTML") {
    const String version = s.Word();
    return version.starts_with(u"4.");
  }
  if (language == u"XHTML") {
    String version = UpperCase(s.Word());
    if (version == u"BASIC") version = s.Word();
    return version.starts_with(u"1.");
  }
  return false;
}

}  // namespace

bool THtmlParser::DetectQuirksMode() {
  TRawScanner s(*Buffer);
  for (;;) {
    s.Next();
    s.SkipTo(u'<');
    if (s.Ch == 0) return true;
    s.Next();
    if (s.Ch == 0) return true;
    if (s.Ch == u'!') {
      s.Next();
      if (s.Identifier() == u"DOCTYPE") {
        if (IsStandardsDoctype(s)) return false;
      } else {
        s.SkipTo(u'>');
      }
    }
    const String tag = s.Identifier();
    if (tag == u"HTML" || tag == u"HEAD" || tag == u"BODY") return true;
  }
}

void THtmlParser::ProbeXmlEncoding() {
  TRawScanner s(*Buffer);
  for (;;) {
    s.Next();
    s.SkipTo(u'<');
    if (s.Ch == 0) return;
    s.Next();
    if (s.Ch == 0) return;
    if (s.Ch == u'!') {
      s.Next();
      if (s.Identifier() == u"DOCTYPE") return;
      s.SkipTo(u'>');
      continue;
    }
    if (s.Ch == u'?') {
      s.Next();
      if (s.Name() != u"xml") continue;
      // The pseudo-attributes; only a double-quoted encoding counts, known or not.
      for (;;) {
        s.Next();
        if (s.Ch == 0 || s.Ch == u'>') return;
        const String name = s.Name();
        if (s.Ch == u'=') {
          s.Next();
          if (s.Ch == u'"') {
            s.Next();
            String value;
            while (s.Ch != 0 && s.Ch != u'"') {
              value += s.Ch;
              s.Next();
            }
            if (name == u"encoding") {
              const int codePage = CodePageOfCharsetName(value);
              if (codePage >= 0) Buffer->SwitchCodePage(codePage);
              return;
            }
          }
        }
        if (s.Ch == 0 || s.Ch == u'>') return;
      }
    }
    const String tag = s.Identifier();
    if (tag == u"HTML" || tag == u"HEAD" || tag == u"BODY") return;
  }
}
