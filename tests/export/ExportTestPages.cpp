#include "tests/export/ExportTestPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "export/Html2Pdf.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/Pictures.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

TSize TTestPages::MeasureDocument(int width, int height) {
  MeasuredWidths.push_back(width);
  MeasuredHeights.push_back(height);
  return width < 1 ? TSize{} : TSize{neededWidth_, 1000};
}

void TTestPages::RenderEachPage(int width, int height, TPageBlockWidth blockWidth, const TTakePage& take) {
  RenderedSizes.push_back({width, height});
  RenderedBlockWidths.push_back(blockWidth);
  for (int i = 0; i < pageCount_; ++i) {
    if (BeforeEachPage) BeforeEachPage();
    TMetafileRecorder recorder;
    TLogBrush blue{BS_SOLID, 0xFF0000, 0};
    TLogBrush red{BS_SOLID, 0x0000FF, 0};
    // The band is as wide as the document needs, laid out at any width: a wide element.
    const int right = std::max(width, neededWidth_);
    recorder.FillRect({0, 0, right, 40}, blue);
    recorder.FillRect({right - 20, 0, right, 40}, red);
    TLogFont lf;
    lf.lfHeight = -16;
    lf.lfFaceName = u"Arial";
    recorder.SelectFont(TFontHandle::Create(lf));
    recorder.SetBkMode(TRANSPARENT);
    recorder.TextOut(10, 60, Format(u"Body of page %d", {i + 1}));
    auto page = std::make_unique<TMetafile>();
    page->SetData(recorder.Finish(width, height));
    page->SetWidth(width);
    page->SetHeight(height);
    take(std::move(page));
  }
}

int TTestPages::CountPages(int width, int height, TPageBlockWidth) {
  CountedSizes.push_back({width, height});
  return pageCount_;
}

TRecordedPages ConvertRecorded(THtmlPages& view, bool scaleToFit, bool pageNumbers, const std::string& pdfPath,
                               bool landscape) {
  TRecordedPages pages(view);
  THtml2Pdf doc;
  doc.SetOrientation(landscape);
  doc.CompressStreams = false;
  doc.Viewer = &pages;
  doc.MarginLeft = doc.MarginTop = doc.MarginRight = doc.MarginBottom = 1;
  doc.ScaleToFit = scaleToFit;
  doc.PrintPageNumbers = pageNumbers;
  doc.RenderPages();
  if (!pdfPath.empty()) {
    EXPECT_TRUE(doc.WriteToFile(Utf8ToString(pdfPath)));
  }
  return pages;
}

TTestPicture RasterisePdfPage(const std::string& pdfPath, int page) {
  TTempDirectory dir("wendrel-export-raster");
  std::string n = std::to_string(page);
  RunTool("pdftoppm -r 72 -f " + n + " -l " + n + " -singlefile " + ShellQuote(pdfPath) + " " +
          ShellQuote(dir.PathOf("page")));
  return ReadPictureFile(dir.PathOf("page.ppm"));
}

std::string PdfPageText(const std::string& pdfPath, int page) {
  std::string n = std::to_string(page);
  return RunTool("pdftotext -layout -f " + n + " -l " + n + " " + ShellQuote(pdfPath) + " -");
}

std::string PdfInfoField(const std::string& pdfPath, const std::string& field) {
  std::istringstream in(RunTool("pdfinfo " + ShellQuote(pdfPath)));
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(field + ":", 0) != 0) continue;
    size_t from = line.find_first_not_of(' ', field.size() + 1);
    size_t to = line.find_last_not_of(' ');
    return from == std::string::npos ? std::string() : line.substr(from, to - from + 1);
  }
  return {};
}
