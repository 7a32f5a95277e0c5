// The parse of a load: the HTML, XHTML or plain-text entry of the parser over the source
// buffer, and the quirks mode it runs in.
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/charsets/Buffer.h"

bool TMarkupViewer::EffectiveQuirks(TBuffer& buffer, THtmlFileType DocType) const {
  if (DocType != HtmlType) return false;
  switch (QuirksMode()) {
    case qmDetect: {
      THtmlParser probe(&buffer);
      return probe.DetectQuirksMode();
    }
    case qmQuirks: return true;
    case qmStandards: break;
  }
  return false;
}

void TMarkupViewer::ParseInto(THtmlFileType DocType) {
  THtmlParser parser(SourceBuffer.get());
  parser.Viewer = this;
  parser.UseQuirks = UseQuirks;
  if (DocType == TextType) {
    parser.ParseText(DocRoot.get());
  } else {
    parser.CheckXmlEncoding = DocType == XhtmlType;
    parser.ParseHtml(
        DocRoot.get(), Events.OnLink,
        [this](TComponent*, const String& httpEq, const String& name, const String& content) {
          ProcessMetaTag(httpEq, name, content);
        },
        Events.OnSoundRequest, Events.OnInclude);
  }
  String title;
  parser.GetTitleText(title);
  FinishParse(title, parser.BaseUrl, parser.BaseTarget);
}
