// An anchor bound to a character position of the source rather than to a section.
#pragma once

#include <cstdint>

#include "html/foundation/shared/IdObjects.h"

class ThtDocument;

class TChPosObj : public TIDObject {
 public:
  TChPosObj(ThtDocument* document, int sourcePosition) : Document(document), SourcePosition(sourcePosition) {}
  ~TChPosObj() override;

  // The Y of the character the source position maps to; 0 when none does.
  int AnchorY() const override;
  // The document's id list owns and frees it.
  bool FreedByList() const override { return true; }

  ThtDocument* Document;
  int32_t SourcePosition;
};
