// Head elements: TITLE, BASE, META, LINK, STYLE and BGSOUND, taken wherever they stand.
#include <memory>

#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/LinkedFiles.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/foundation/charsets/CodePageNames.h"
#include "html/foundation/css/StyleParser.h"
#include "html/foundation/urls/UrlHelpers.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"

void THtmlParser::DoTitle() {
  ReadTitle();
  Next();
}

void THtmlParser::DoBase() {
  TAttribute* a;
  if (Attributes.FindSymbol(HrefAttrSy, a)) BaseUrl = a->ValueText;
  if (Attributes.FindSymbol(TargetAttrSy, a)) BaseTarget = a->ValueText;
  Next();
}

void THtmlParser::DoMeta() {
  String httpEq, name, content, charset;
  bool haveContent = false, haveCharset = false;
  for (int i = 0; i < Attributes.Count(); ++i) {
    const TAttribute& a = *Attributes.AttributeAt(i);
    if (a.AttrName == u"HTTP-EQUIV") {
      httpEq = a.ValueText;
    } else if (a.AttrName == u"NAME") {
      name = a.ValueText;
    } else if (a.AttrName == u"CONTENT") {
      content = a.ValueText;
      haveContent = true;
    } else if (a.AttrName == u"CHARSET") {
      charset = a.ValueText;
      haveCharset = true;
    }
  }
  if (!haveContent && haveCharset) {
    httpEq = u"content-type";
    content = charset;
  }
  if (LowerCase(httpEq) == u"content-type") {
    int codePage = CodePageOfCharsetName(content);
    // A media type with a charset parameter ("text/html; charset=utf-8"): the parameter.
    const size_t parameter = LowerCase(content).find(u"charset=");
    if (codePage < 0 && parameter != String::npos) {
      String name = content.substr(parameter + 8);
      if (!name.empty() && (name[0] == u'"' || name[0] == u'\'')) name.erase(0, 1);
      codePage = CodePageOfCharsetName(name.substr(0, name.find_first_of(u"; \t\"'")));
    }
    TProperties& top = Top();
    if (codePage >= 0) {
      top.ApplyCodePage(codePage);
      Buffer->SwitchCodePage(codePage);
    }
    if (Document->OnCharsetChange) Document->OnCharsetChange(top.Charset, top.CodePage);
  }
  if (MetaEvent) MetaEvent(Viewer, httpEq, name, content);
  Next();
}

void THtmlParser::DoLink() {
  String href, rel, rev;
  bool styleSheet = false, forScreen = true;
  for (int i = 0; i < Attributes.Count(); ++i) {
    const TAttribute& a = *Attributes.AttributeAt(i);
    if (a.AttrName == u"HREF") {
      href = a.ValueText;
    } else if (a.AttrName == u"REL") {
      rel = a.ValueText;
      styleSheet = LowerCase(rel) == u"stylesheet";
    } else if (a.AttrName == u"REV") {
      rev = a.ValueText;
    } else if (a.AttrName == u"MEDIA") {
      const String media = LowerCase(a.ValueText);
      forScreen = media.find(u"screen") != String::npos || media.find(u"all") != String::npos;
    }
  }
  if (styleSheet && forScreen && !href.empty()) {
    auto resolve = [this](String& name, String& basePath) {
      String full = name;
      if (Viewer) Viewer->ResolveFileName(name, full);
      name = full;
      basePath = ExtractFilePath(UrlToFileSystemPath(full));
    };
    try {
      TStream* stream = nullptr;
      std::unique_ptr<TStream> file;
      String basePath;
      if (Document->OnStreamRequest) {
        if (Document->ExpandName) {
          Document->ExpandName(href);
          basePath = UrlBase(href);
          Document->OnStreamRequest(Viewer, href, stream);
        } else {
          Document->OnStreamRequest(Viewer, href, stream);
          if (!stream) {
            resolve(href, basePath);
            file = OpenRegularFile(UrlToFileSystemPath(href), MaxIncludedSize);
            stream = file.get();
          }
        }
      } else {
        resolve(href, basePath);
        file = OpenRegularFile(UrlToFileSystemPath(href), MaxIncludedSize);
        stream = file.get();
      }
      if (stream && stream->Size() <= MaxIncludedSize) {
        stream->Seek(0, soFromBeginning);
        std::unique_ptr<TBuffer> sheet = TBuffer::CreateFromStream(*stream, href);
        Char ch = u' ';
        ParseStyleSheet(*Document->StyleList, ch, *sheet, UseQuirks, true, basePath);
      }
    } catch (const Exception&) {
      // A sheet that cannot be read or parsed leaves the document without its rules.
    }
  }
  if (LinkEvent) LinkEvent(Viewer, rel, rev, href);
  Next();
}

void THtmlParser::DoStyle() {
  ParseStyleSheet(*Document->StyleList, Ch, *Buffer, UseQuirks, false, String());
  Next();
}

void THtmlParser::DoSound() {
  TAttribute* src;
  if (SoundEvent && Attributes.FindSymbol(SrcAttrSy, src)) {
    const TAttribute* loop = AttributeNamed(u"LOOP");
    SoundEvent(Viewer, src->ValueText, loop ? loop->IntValue : 1, false);
  }
  Next();
}
