#include "pdf/document/PdfCanvas.h"

#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/document/PdfPage.h"
#include "pdf/objects/PdfExceptions.h"
#include "pdf/objects/PdfStream.h"

TPdfCanvas::TPdfCanvas(TPdfDocument& document)
    : WorldFactorX(72.0f / static_cast<float>(document.ScreenLogPixels())),
      WorldFactorY(WorldFactorX),
      doc_(document),
      deviceScale_(WorldFactorX) {}

void TPdfCanvas::AttachPage(TPdfPage& page) {
  page_ = &page;
  auto* resources = page.ValueAs<TPdfDictionary>("Resources");
  pageFonts_ = resources != nullptr ? resources->ValueAs<TPdfDictionary>("Font") : nullptr;
  contents_ = page.ValueAs<TPdfStream>("Contents");
  currentPageHeight_ = static_cast<float>(page.PageHeightOf());
  deviceScale_ = 72.0f / static_cast<float>(doc_.ScreenLogPixels());
  savedStates_.clear();
}

TPdfPage& TPdfCanvas::GetPage() const {
  if (page_ == nullptr) throw EPdfInvalidOperation(S("GetPage"));
  return *page_;
}

void TPdfCanvas::DetachPage() {
  page_ = nullptr;
  contents_ = nullptr;
  pageFonts_ = nullptr;
  currentPageHeight_ = 0;
  savedStates_.clear();
}
