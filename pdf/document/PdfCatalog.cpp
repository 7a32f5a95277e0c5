#include "pdf/document/PdfCatalog.h"

#include "pdf/document/PdfDestination.h"

void TPdfCatalog::SetPageLayout(TPdfPageLayout layout) {
  static const char* const kNames[] = {"SinglePage", "OneColumn", "TwoColumnLeft", "TwoColumnRight"};
  if (auto* existing = Dictionary->ValueAs<TPdfName>("PageLayout"))
    existing->Value = kNames[layout];
  else
    Dictionary->AddItem("PageLayout", std::make_unique<TPdfName>(kNames[layout]));
}

void TPdfCatalog::SetPages(TPdfDictionary* pages) {
  if (pages != nullptr && pages->TypeOf() == "Pages") Dictionary->AddItem("Pages", pages);
}

void TPdfCatalog::UpdateOpenAction() {
  if (OpenAction != nullptr)
    Dictionary->AddItem("OpenAction", OpenAction->AsArray());
  else
    Dictionary->RemoveItem("OpenAction");
}
