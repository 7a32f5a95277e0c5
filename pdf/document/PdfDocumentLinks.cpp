// Annotations, links, bookmarks, destinations and outline entries of TPdfDocument.
#include <cmath>

#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/objects/PdfExceptions.h"

namespace {

int32_t RoundTop(double top) {
  if (!std::isfinite(top)) return 0;
  return static_cast<int32_t>(std::lround(std::clamp(top, -2147483648.0, 2147483647.0)));
}

}  // namespace

TPdfDictionary& TPdfDocument::CreateAnnotation(TPdfAnnotationSubType subType, const TPdfRect& rect) {
  static const char* const kSubTypes[] = {"Text",      "Link",      "Sound", "FreeText",       "Stamp",
                                          "Square",    "Circle",    "StrikeOut", "Highlight",  "Underline",
                                          "Ink",       "FileAttachment", "Popup"};
  TPdfPage& page = canvas_->GetPage();
  auto* annot = xref_->Add<TPdfDictionary>(xref_.get());
  annot->AddItem("Type", std::make_unique<TPdfName>("Annot"));
  annot->AddItem("Subtype", std::make_unique<TPdfName>(kSubTypes[subType]));
  annot->AddItem("F", std::make_unique<TPdfNumber>(4));
  annot->AddItem("Rect", TPdfArray::FromReals(xref_.get(), {rect.Left, rect.Bottom, rect.Right, rect.Top}));
  auto* annots = page.ValueAs<TPdfArray>("Annots");
  if (annots == nullptr) annots = page.AddItem("Annots", std::make_unique<TPdfArray>(xref_.get()));
  annots->AddItem(annot);
  return *annot;
}

TPdfDictionary& TPdfDocument::CreateLink(const TPdfRect& rect, std::string_view bookmarkName) {
  TPdfDictionary& link = CreateAnnotation(asLink, rect);
  int found = bookmarkNames_.IndexOfText(bookmarkName);
  if (found >= 0)
    link.AddItem("Dest", bookmarkNames_.Object(found)->AsArray());
  else
    pendingLinks_.AddEntry(bookmarkName, &link);
  return link;
}

void TPdfDocument::CreateBookmark(std::string_view name, double top) {
  if (!canvas_->HasPage()) throw EPdfInvalidOperation(S("TPdfDocument.Document is null"));
  if (name.empty() || bookmarkNames_.IndexOfText(name) >= 0)
    throw EPdfInvalidValue(S("Duplicated or void bookmark name \"" + std::string(name) + "\""));
  TPdfDestination& dest = CreateDestination();
  dest.DestinationType = dtXYZ;
  dest.SetValue(TPdfDestination::Left, 0);
  dest.SetValue(TPdfDestination::Top, RoundTop(top));
  dest.SetZoom(0);
  bookmarkNames_.AddEntry(name, &dest);
  for (int i = pendingLinks_.EntryCount() - 1; i >= 0; --i)
    if (pendingLinks_.Text(i) == name) {
      pendingLinks_.Object(i)->AddItem("Dest", dest.AsArray());
      pendingLinks_.DeleteEntry(i);
    }
}

TPdfDestination& TPdfDocument::CreateDestination() {
  destinations_.push_back(std::make_unique<TPdfDestination>(*this));
  return *destinations_.back();
}

TPdfOutlineEntry& TPdfDocument::AdoptOutlineEntry(std::unique_ptr<TPdfOutlineEntry> entry) {
  outlineEntries_.push_back(std::move(entry));
  return *outlineEntries_.back();
}

TPdfOutlineEntry* TPdfDocument::CreateOutline(const String& title, int32_t level, double top) {
  if (outlineRoot_ == nullptr) return nullptr;
  TPdfOutlineEntry* at = lastOutline_ != nullptr ? lastOutline_ : outlineRoot_;
  while (at->Level >= level && at->Parent != nullptr) at = at->Parent;
  TPdfOutlineEntry* entry = at->AddChild(RoundTop(top));
  entry->Title = title;
  entry->Level = level;
  lastOutline_ = entry;
  return entry;
}
