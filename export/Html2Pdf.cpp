#include "export/Html2Pdf.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "html/foundation/css/DocumentLimits.h"
#include "pdf/emf/PdfEnum.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/text/PdfTextOutput.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Rounding.h"

namespace {
// The tallest page handed to the viewer, in pixels: twice the deepest Y of a document's flow,
// so that any taller page holds the whole document just as well. A document shrunk a
// million times (a word 40,000 letters long at 65,535 pixels) asks for pages of billions of
// pixels, past what an int holds; they are paged at this height instead, which makes the
// same pages.
constexpr int MaxPageHeightPixels = 2 * MaxFlowY;
}  // namespace

int PointsToPixels(double points, int pixelsPerInch) {
  return static_cast<int>(Round(points / 72 * pixelsPerInch));
}

String FooterFormatFor(const String& htmlFileName) {
  String name;
  for (Char c : ExtractFileName(htmlFileName)) {
    name += c;
    if (c == u'%') name += c;
  }
  return name + u" - Page %d/%d";
}

THtml2Pdf::THtml2Pdf(TPdfEnvironment environment) : TPdfDocument(false, 0, false, std::move(environment)) {
  EmbedTrueTypeFonts = true;
}

float THtml2Pdf::CmToPoints(double cm) { return static_cast<float>(cm / 2.54 * 72); }

void THtml2Pdf::SetOrientation(bool landscape) {
  if (landscape == IsLandscape()) return;
  int32_t width = PageWidth();
  SetPageWidth(PageHeight());
  SetPageHeight(width);
}

void THtml2Pdf::ApplyPaperSize(int paperIndex) {
  bool landscape = IsLandscape();
  SelectPaperSize(paperIndex);
  SetOrientation(landscape);
}

void THtml2Pdf::CheckMargins() const {
  const std::pair<const char16_t*, double> margins[] = {
      {u"Left", MarginLeft}, {u"Top", MarginTop}, {u"Right", MarginRight}, {u"Bottom", MarginBottom}};
  for (const auto& [name, cm] : margins)
    if (!std::isfinite(cm) || cm < 0)
      throw EHtml2PdfError(String(u"The ") + name + u" margin (" + FloatToStr(cm) +
                           u" cm) is not a length on the page: margins are 0 or more centimetres.");
  // A printable area under a pixel would page nothing (and then look like an empty document).
  const double points = 72.0 / ScreenLogPixels();
  if (PageWidth() - CmToPoints(MarginLeft + MarginRight) < points ||
      PageHeight() - CmToPoints(MarginTop + MarginBottom) < points)
    throw EHtml2PdfError(u"The margins leave no printable area on the page (" +
                         Format(u"%d x %d", {PageWidth(), PageHeight()}) + u" points).");
}

void THtml2Pdf::RenderPages() {
  CheckMargins();
  const float cw = static_cast<float>(PageWidth()) - CmToPoints(MarginLeft + MarginRight);
  const float ch = static_cast<float>(PageHeight()) - CmToPoints(MarginTop + MarginBottom);
  if (Viewer == nullptr) return;
  const int cwpx = PointsToPixels(cw, ScreenLogPixels());
  // To be shrunk, the pages are laid out at the width the document needs, which the scale
  // makes the printable width; it is measured as laid out for pages of the printable size,
  // and when the content fits the pages are drawn from that same layout. Without shrinking
  // they are laid out at the printable width with blocks that keep it, so that text wraps
  // on the page and only what cannot be narrower (a wide table, a long preformatted line, a
  // large picture) runs past the right margin, where the clip cuts it.
  int layoutWidth = cwpx;
  double scale = 1.0;
  if (ScaleToFit) {
    const int mw = Viewer->MeasureDocument(cwpx, PointsToPixels(ch, ScreenLogPixels())).cx;
    if (mw >= 1) layoutWidth = mw;
    if (cwpx < mw && cwpx > 0) scale = static_cast<double>(cwpx) / mw;
  }
  const TPageBlockWidth blockWidth = ScaleToFit ? TPageBlockWidth::WidenToContent : TPageBlockWidth::KeepPageWidth;
  const double maxPagePoints = static_cast<double>(MaxPageHeightPixels) / ScreenLogPixels() * 72;
  const int chpx = PointsToPixels(std::min(ch / scale, maxPagePoints), ScreenLogPixels());
  const float x0 = CmToPoints(MarginLeft);
  const float y0 = -CmToPoints(MarginTop);
  const float yb = CmToPoints(MarginBottom);
  auto drawPage = [&](const TMetafile& page) {
    AddPage();
    TPdfCanvas& canvas = Canvas();
    canvas.SaveState();
    canvas.AppendRectangle(x0, yb, cw, ch);
    canvas.ClipToPath();
    canvas.EndPath();
    RenderEmfToCanvas(canvas, page, scale, x0, y0, true, 99, 101);
    canvas.RestoreState();
  };
  // Each page is drawn as soon as it is made and then freed, so a long document never holds
  // more than one page metafile. The footer names the page count, which a pass that makes
  // no page finds first.
  const int count = PrintPageNumbers ? Viewer->CountPages(layoutWidth, chpx, blockWidth) : 0;
  int number = 0;
  Viewer->RenderEachPage(layoutWidth, chpx, blockWidth, [&](std::unique_ptr<TMetafile> page) {
    drawPage(*page);
    page.reset();
    if (PrintPageNumbers) DrawFooter(++number, count, cw);
  });
}

void THtml2Pdf::DrawFooter(int pageNumber, int pageCount, float printableWidth) {
  const String text = Format(FooterFormat.empty() ? String(u"Page %d/%d") : FooterFormat, {pageNumber, pageCount});
  TPdfCanvas& canvas = Canvas();
  if (canvas.SelectFont("Arial", 0, 9, -1, -1, false) == nullptr) return;
  canvas.SetStrokeColor(0);
  canvas.SetFillColor(0);
  // The text goes out as Unicode: a file name with characters outside the code page keeps
  // them.
  const float width = canvas.UnicodeTextWidth(text);
  TPdfWrite& w = canvas.Contents()->Writer();
  w.Add("BT\n")
      .AddRealWithSpace((printableWidth - width) / 2 + CmToPoints(MarginLeft))
      .AddRealWithSpace(CmToPoints(MarginBottom) - 9)
      .Add("Td\n");
  AddUnicodeText(w, text, false, canvas);
  w.Add("ET\n");
}
