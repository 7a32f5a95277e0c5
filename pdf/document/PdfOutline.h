// The outline (bookmark) tree: entries know parent, siblings and children, and complete
// their dictionaries just before the document is written.
#pragma once

#include <cstdint>

#include "pdf/objects/PdfDictionaryWrapper.h"
#include "platform/rtl/Types.h"

class TPdfDestination;
class TPdfDocument;

class TPdfOutlineEntry : public TPdfDictionaryWrapper {
 public:
  // A new entry under `parent` (registered with the document); with top 0 or more it gets
  // an XYZ destination at that top on the current page (EPdfInvalidOperation
  // "TPdfDocument.Document is null" without one).
  TPdfOutlineEntry(TPdfOutlineEntry& parent, int32_t top);

  // Adds a child at the end; the counts of this entry and its ancestors grow by one.
  TPdfOutlineEntry* AddChild(int32_t top);
  // Writes /Parent, /Count, /Title, /Dest, /First, /Last, /Prev, /Next of this entry,
  // its children and its following siblings.
  virtual void WriteLinks();

  TPdfOutlineEntry* Parent = nullptr;
  TPdfOutlineEntry* Next = nullptr;
  TPdfOutlineEntry* Prev = nullptr;
  TPdfOutlineEntry* First = nullptr;
  TPdfOutlineEntry* Last = nullptr;
  TPdfDestination* Destination = nullptr;
  TPdfDocument* Document = nullptr;
  String Title;
  bool Opened = false;
  int32_t Count = 0;  // all descendants
  int32_t Level = 0;

 protected:
  explicit TPdfOutlineEntry(TPdfDocument& document);
};

class TPdfOutlineRoot : public TPdfOutlineEntry {
 public:
  // The /Outlines dictionary of the document, open.
  explicit TPdfOutlineRoot(TPdfDocument& document);
  void WriteLinks() override;
};
