#include "pdf/document/PdfDestination.h"

#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/objects/PdfExceptions.h"

TPdfDestination::TPdfDestination(TPdfDocument& document)
    : Document(document), Page(&document.Canvas().GetPage()) {}

void TPdfDestination::SetValue(int index, int32_t value) { values_.at(static_cast<size_t>(index)) = value < 0 ? -1 : value; }

void TPdfDestination::SetZoom(float zoom) {
  if (zoom == zoom_) return;
  if (zoom < 0) throw EPdfInvalidValue(S("Zoom<0"));
  if (zoom > 10) throw EPdfInvalidValue(S("Zoom>10"));
  zoom_ = zoom;
}

std::unique_ptr<TPdfArray> TPdfDestination::AsArray() const {
  static const char* const kNames[] = {"XYZ", "Fit", "FitH", "FitV", "FitR", "FitB", "FitBH", "FitBV"};
  auto a = std::make_unique<TPdfArray>(&Document.Xref());
  a->AddItem(Page);
  a->AddItem(std::make_unique<TPdfName>(kNames[DestinationType]));
  auto coordinate = [&a](int32_t value, int32_t nullBelow) {
    if (value < nullBelow)
      a->AddItem(std::make_unique<TPdfNull>());
    else
      a->AddItem(std::make_unique<TPdfNumber>(value));
  };
  switch (DestinationType) {
    case dtXYZ:
      coordinate(values_[Left], -100);
      coordinate(values_[Top], -100);
      a->AddItem(std::make_unique<TPdfReal>(zoom_ < 0 ? 0 : zoom_));
      break;
    case dtFit:
    case dtFitB:
      break;
    case dtFitH:
    case dtFitBH:
      coordinate(values_[Top], -100);
      break;
    case dtFitV:
    case dtFitBV:
      coordinate(values_[Left], -100);
      break;
    case dtFitR:
      coordinate(values_[Left], -100);
      coordinate(values_[Bottom], -100);
      coordinate(values_[Right], 0);
      coordinate(values_[Top], 0);
      break;
  }
  return a;
}
