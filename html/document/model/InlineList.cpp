#include "html/document/model/InlineList.h"

#include "html/document/model/Document.h"

void TInlineList::Convert() {
  for (int i = 0; i < Count(); ++i) {
    InlineRec& rec = *Items(i);
    rec.StartCursor = Document->SourceToCursor(rec.StartSource, false);
    rec.EndCursor = rec.EndSource < 0 ? OpenEndCursor : Document->SourceToCursor(rec.EndSource, false);
    if (rec.StartCursor == rec.EndCursor) --rec.StartCursor;
  }
  NeedsConverting = false;
}

int TInlineList::StartOf(int index) {
  if (index < 0 || index >= Count()) return NothingFollows;
  if (NeedsConverting) Convert();
  return Items(index)->StartCursor;
}

int TInlineList::EndOf(int index) {
  if (index < 0 || index >= Count()) return NothingFollows;
  if (NeedsConverting) Convert();
  return Items(index)->EndCursor;
}
