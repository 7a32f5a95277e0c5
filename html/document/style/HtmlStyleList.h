// The document's style sheet: its quirks mode comes from the document, and a rule for a
// ":hover" selector turns on the document's link hover tracking.
#pragma once

#include "html/foundation/css/StyleList.h"

class ThtDocument;

class THtmlStyleList : public TStyleList {
 public:
  explicit THtmlStyleList(ThtDocument* document);

  void NoteHoverRule(bool flag) override;

  ThtDocument* Document;  // not owned
};
