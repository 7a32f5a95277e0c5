// THtml2Pdf: a PDF document that pages the document of a viewer into PDF pages with
// margins, paper size, orientation, optional shrinking to the printable width and an
// optional page-number footer. It lives for one save: created, configured, RenderPages,
// WriteToFile.
#pragma once

#include "export/HtmlPages.h"
#include "pdf/document/PdfDocument.h"
#include "platform/rtl/Exceptions.h"

// Raised by RenderPages when a margin is negative or not a number, or the margins leave
// less than a pixel of printable width or height.
WENDREL_DECLARE_EXCEPTION(EHtml2PdfError, Exception);

// Points as whole screen pixels: points / 72 x pixels per inch, rounded half to even.
int PointsToPixels(double points, int pixelsPerInch = 96);

// The footer pattern for an HTML file: its name without the folder ("%" doubled, so that
// the name passes through the pattern unchanged) followed by " - Page %d/%d".
String FooterFormatFor(const String& htmlFileName);

class THtml2Pdf : public TPdfDocument {
 public:
  // Outlines off, the environment's code page, PDF/A-1 off; TrueType fonts are embedded as
  // subsets, so the file shows the same on a machine without the fonts.
  explicit THtml2Pdf(TPdfEnvironment environment = DefaultPdfEnvironment());

  // The pages of the document being exported (not owned).
  THtmlPages* Viewer = nullptr;
  // Centimetres.
  double MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
  // Shrinks a document wider than the printable width to fit it (never enlarges).
  bool ScaleToFit = false;
  bool PrintPageNumbers = false;
  // A pattern with two integer placeholders (page number from 1, page count); empty means
  // "Page %d/%d".
  String FooterFormat;

  // cm / 2.54 x 72.
  static float CmToPoints(double cm);
  bool IsLandscape() const { return PageWidth() > PageHeight(); }
  // Swaps the page's width and height when the wish differs from IsLandscape (the paper
  // then counts as user defined).
  void SetOrientation(bool landscape);
  // Selects the paper and keeps the orientation; an index outside the paper table keeps
  // the present size.
  void ApplyPaperSize(int paperIndex);

  // Draws every page of the viewer's document as a PDF page: the printable area clipped,
  // the page metafile drawn into it (shrunk when ScaleToFit asks for it) and the footer
  // below it. Raises EHtml2PdfError, before any page is added, when the margins leave no
  // printable area; the footer pattern's format errors and the viewer's errors pass on.
  void RenderPages();

 private:
  // Raises EHtml2PdfError naming a margin that is negative or not finite, or saying that the
  // margins leave no printable area.
  void CheckMargins() const;
  void DrawFooter(int pageNumber, int pageCount, float printableWidth);
};
