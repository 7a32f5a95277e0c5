// The report tab: WebBrowser1's pages shown by the program's own HTML viewer.
#include "app/MainForm.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/rtl/StrUtils.h"

namespace {
String EscapeHtml(const String& text) {
  String out;
  for (Char c : text) {
    if (c == u'&') out += u"&amp;";
    else if (c == u'<') out += u"&lt;";
    else if (c == u'>') out += u"&gt;";
    else out += c;
  }
  return out;
}
}  // namespace

void TForm1::ShowReportPage(const String& address) {
  try {
    ReportViewer->LoadDocumentFile(address, HtmlType);
  } catch (const EhtLoadError& e) {
    // Like a browser, the tab tells what it could not show.
    ReportViewer->LoadDocumentString(u"<p>" + EscapeHtml(e.Message()) + u"</p>");
  }
}

void TForm1::ReportViewerHotSpotClick(TComponent*, const String& SRC, bool& Handled) {
  const String address = Trim(SRC);
  const String lower = LowerCase(address);
  if (lower.rfind(u"http://", 0) != 0 && lower.rfind(u"https://", 0) != 0) return;
  Handled = true;
  if (ReportLinkOpener) ReportLinkOpener(address);
}
