// The border boxes of inline elements (a SPAN with a border, say): where each starts and
// ends in the source, turned into cursor positions once the text is laid out.
#pragma once

#include <cstdint>

#include "html/document/model/Sentinels.h"
#include "html/foundation/css/BoxValues.h"
#include "html/foundation/shared/FreeList.h"

class ThtDocument;

class InlineRec {
 public:
  int32_t StartCursor = 0;
  int32_t EndCursor = OpenEndCursor;  // until the element ends
  int32_t OwnerId = 0;                // the serial number of the element's property set
  int32_t StartSource = 0;
  int32_t EndSource = -1;             // -1 until the element ends
  TIntBoxArray Box{};                 // pixel values of the box properties 8 to 39
};

class TInlineList : public TFreeList<InlineRec> {
 public:
  explicit TInlineList(ThtDocument* document) : TFreeList(true), Document(document) {}

  void Clear() override {
    TFreeList::Clear();
    NeedsConverting = true;
  }
  // The cursor range of the record at index (converted from the sources first when
  // needed); NothingFollows for an index outside the list.
  int StartOf(int index);
  int EndOf(int index);

  bool NeedsConverting = true;
  ThtDocument* Document;

 private:
  void Convert();
};
