// The export path over arbitrary HTML: the document parsed as the viewer loads one, cut into
// page metafiles by the page renderer and drawn into a PDF by the HTML-to-PDF document,
// written into memory. The first byte chooses the paper (bits 0-2), landscape (bit 3),
// scaling to fit (bit 4), page numbers (bit 5) and 0.5 cm or 2 cm margins (bit 6); the
// rest is the document. Besides the sanitizers it checks that the page count found
// beforehand is the count drawn, that every page metafile has the printable size, and that
// the file is a PDF from its header to its end marker.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "export/Html2Pdf.h"
#include "html/document/paging/PageRenderer.h"
#include "platform/rtl/Streams.h"
#include "tests/support/html/HtmlTestDocument.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The pages of a loaded document, as the export window's viewer makes them.
class TFuzzPages : public THtmlPages {
 public:
  explicit TFuzzPages(ThtDocument& document) : document_(document) {}
  TSize MeasureDocument(int width, int height) override {
    if (width < 1) return {0, 0};
    return TPageRenderer(document_, width, height).Measure();
  }
  void RenderEachPage(int width, int height, TPageBlockWidth blockWidth, const TTakePage& take) override {
    TPageRenderer renderer(document_, width, height, blockWidth);
    while (std::unique_ptr<TMetafile> page = renderer.NextPage()) {
      Check(page->Width() == width && page->Height() == height);
      ++Rendered;
      take(std::move(page));
    }
  }
  int CountPages(int width, int height, TPageBlockWidth blockWidth) override {
    TPageRenderer renderer(document_, width, height, blockWidth);
    int count = 0;
    while (renderer.SkipPage()) ++count;
    Counted = count;
    return count;
  }
  int Rendered = 0;
  int Counted = -1;

 private:
  ThtDocument& document_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t flags = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  THtmlTestDocument document;
  document.Load(bytes, "/nonexistent/fuzz.html");
  TFuzzPages pages(document.Document());

  THtml2Pdf pdf;
  pdf.Viewer = &pages;
  const double margin = flags & 0x40 ? 2 : 0.5;
  pdf.MarginLeft = pdf.MarginTop = pdf.MarginRight = pdf.MarginBottom = margin;
  pdf.ApplyPaperSize(flags & 0x07);
  pdf.SetOrientation((flags & 0x08) != 0);
  pdf.ScaleToFit = (flags & 0x10) != 0;
  pdf.PrintPageNumbers = (flags & 0x20) != 0;
  pdf.FooterFormat = FooterFormatFor(u"/nonexistent/fuzz.html");
  pdf.RenderPages();
  Check(static_cast<int>(pdf.Pages().size()) == pages.Rendered);
  if (pdf.PrintPageNumbers) Check(pages.Counted == pages.Rendered);
  if (pdf.Pages().empty()) return 0;

  TStringStream out("");
  pdf.WriteToStream(out);
  const std::string& file = out.DataString();
  Check(file.rfind("%PDF-", 0) == 0);
  Check(file.size() > 6 && file.find("%%EOF", file.size() - 7) != std::string::npos);
  return 0;
}
