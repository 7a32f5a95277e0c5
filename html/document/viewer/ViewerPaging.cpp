// Paged output of the viewer: the shown document measured and cut into page metafiles
// through a copy, and printing, which no printer of this system can take.
#include <algorithm>

#include "html/document/model/Document.h"
#include "html/document/paging/DocumentMeasure.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/gdi/metafile/Metafile.h"

std::pair<int, int> TMarkupViewer::MeasureDocument(int Width) { return MeasureDocumentCopy(Document(), Width); }

std::unique_ptr<TPageRenderer> TMarkupViewer::PageRenderer(int Width, int Height) {
  TablePartRec = nullptr;
  if (Processing() || Document().Count() == 0) return nullptr;
  return std::make_unique<TPageRenderer>(Document(), Width, Height);
}

TPageMetafileList TMarkupViewer::RenderPageMetafiles(int Width, int Height) {
  TablePartRec = nullptr;
  if (Processing() || Document().Count() == 0) return {};
  return ::RenderPageMetafiles(Document(), Width, Height);
}

int TMarkupViewer::PrintDocument(TPrinter* Printer, bool CountOnly, int FromPage, int ToPage) {
  return Print(Printer, FromPage, ToPage, CountOnly ? pmCountPages : pmPreview);
}

int TMarkupViewer::Print(TPrinter* Printer, int, int, TPrintMode Mode) { RefusePrinter(Printer, Mode); }

void TMarkupViewer::SetPrintScale(double Value) { printScale_ = std::clamp(Value, MinPrintScale, MaxPrintScale); }
