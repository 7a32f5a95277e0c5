// Pages for the export's tests: a stand-in viewer that reports a chosen needed width and
// hands out page metafiles of the size asked for, recording what it was asked.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "export/HtmlPages.h"
#include "platform/rtl/Types.h"

// Each page: a blue band over the page's width or the needed width, whichever is wider
// (rows 0 to 39), a red bar over the band's last 20 pixels (rows 0 to 39), and the line "Body of page N" in Arial at (10, 60).
class TTestPages : public THtmlPages {
 public:
  TTestPages(int neededWidth, int pageCount) : neededWidth_(neededWidth), pageCount_(pageCount) {}

  TSize MeasureDocument(int width, int height) override;
  void RenderEachPage(int width, int height, TPageBlockWidth blockWidth, const TTakePage& take) override;
  int CountPages(int width, int height, TPageBlockWidth blockWidth) override;

  std::vector<int> MeasuredWidths, MeasuredHeights;
  std::vector<TSize> RenderedSizes;
  std::vector<TPageBlockWidth> RenderedBlockWidths;
  std::vector<TSize> CountedSizes;
  // Runs before each page is made.
  std::function<void()> BeforeEachPage;

 private:
  int neededWidth_;
  int pageCount_;
};

// The pages of a view as THtml2Pdf asks for them, with the records of every page kept and
// the width the document needs remembered.
class TRecordedPages : public THtmlPages {
 public:
  explicit TRecordedPages(THtmlPages& pages) : pages_(pages) {}
  TSize MeasureDocument(int width, int height) override {
    const TSize size = pages_.MeasureDocument(width, height);
    NeededWidth = size.cx;
    return size;
  }
  void RenderEachPage(int width, int height, TPageBlockWidth blockWidth, const TTakePage& take) override {
    pages_.RenderEachPage(width, height, blockWidth, [&](std::unique_ptr<TMetafile> page) {
      Records.push_back(page->Data());
      take(std::move(page));
    });
  }
  int CountPages(int width, int height, TPageBlockWidth blockWidth) override {
    return pages_.CountPages(width, height, blockWidth);
  }

  std::vector<std::string> Records;
  int NeededWidth = 0;

 private:
  THtmlPages& pages_;
};

// The pages of a conversion on A4 with 1 cm margins, as the window's defaults (landscape:
// turned), the PDF's streams uncompressed, as THtml2Pdf asks them of the view; the PDF is
// written to pdfPath unless it is empty.
TRecordedPages ConvertRecorded(THtmlPages& view, bool scaleToFit, bool pageNumbers, const std::string& pdfPath = {},
                               bool landscape = false);

// The page of a PDF file rasterised by pdftoppm at 72 pixels per inch (one pixel a point).
struct TTestPicture;
TTestPicture RasterisePdfPage(const std::string& pdfPath, int page);
// pdftotext of one page (layout kept).
std::string PdfPageText(const std::string& pdfPath, int page);
// What pdfinfo says of the file: the value of a field ("Pages", "Page size", ...), blanks
// around it removed; empty when it has no such field.
std::string PdfInfoField(const std::string& pdfPath, const std::string& field);
