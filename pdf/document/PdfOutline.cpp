#include "pdf/document/PdfOutline.h"

#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDestination.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/objects/PdfExceptions.h"

TPdfOutlineEntry::TPdfOutlineEntry(TPdfDocument& document) : Document(&document) {
  AttachDictionary(document.Xref().Add<TPdfDictionary>(&document.Xref()));
}

TPdfOutlineEntry::TPdfOutlineEntry(TPdfOutlineEntry& parent, int32_t top) : TPdfOutlineEntry(*parent.Document) {
  Parent = &parent;
  if (top >= 0) {
    if (!Document->HasCurrentPage()) throw EPdfInvalidOperation(S("TPdfDocument.Document is null"));
    Destination = &Document->CreateDestination();
    Destination->DestinationType = dtXYZ;
    Destination->SetZoom(0);
    Destination->SetValue(TPdfDestination::Left, 0);
    Destination->SetValue(TPdfDestination::Top, top);
  }
}

TPdfOutlineEntry* TPdfOutlineEntry::AddChild(int32_t top) {
  // Checked before the child registers its dictionary, so a refused entry leaves no trace.
  if (top >= 0 && !Document->HasCurrentPage()) throw EPdfInvalidOperation(S("TPdfDocument.Document is null"));
  TPdfOutlineEntry& child = Document->AdoptOutlineEntry(std::unique_ptr<TPdfOutlineEntry>(new TPdfOutlineEntry(*this, top)));
  for (TPdfOutlineEntry* e = this; e != nullptr; e = e->Parent) ++e->Count;
  if (First == nullptr) First = &child;
  if (Last != nullptr) Last->Next = &child;
  child.Prev = Last;
  Last = &child;
  return &child;
}

void TPdfOutlineEntry::WriteLinks() {
  // Siblings one after the other; children recursively (as deep as the nesting).
  for (TPdfOutlineEntry* e = this; e != nullptr; e = e->Next) {
    TPdfDictionary& d = *e->Dictionary;
    d.AddItem("Parent", e->Parent->Dictionary);
    d.AddItem("Count", std::make_unique<TPdfNumber>(e->Opened ? e->Count : -e->Count));
    d.AddItem("Title", std::make_unique<TPdfTextString>(e->Title));
    if (e->Destination != nullptr) d.AddItem("Dest", e->Destination->AsArray());
    if (e->First != nullptr) {
      d.AddItem("First", e->First->Dictionary);
      e->First->WriteLinks();
    }
    if (e->Last != nullptr) d.AddItem("Last", e->Last->Dictionary);
    if (e->Prev != nullptr) d.AddItem("Prev", e->Prev->Dictionary);
    if (e->Next != nullptr) d.AddItem("Next", e->Next->Dictionary);
  }
}

TPdfOutlineRoot::TPdfOutlineRoot(TPdfDocument& document) : TPdfOutlineEntry(document) {
  Opened = true;
  Dictionary->AddItem("Type", std::make_unique<TPdfName>("Outlines"));
}

void TPdfOutlineRoot::WriteLinks() {
  Dictionary->AddItem("Count", std::make_unique<TPdfNumber>(Count));
  if (First != nullptr) {
    Dictionary->AddItem("First", First->Dictionary);
    First->WriteLinks();
  }
  if (Last != nullptr) Dictionary->AddItem("Last", Last->Dictionary);
}
