#include "html/document/style/HtmlStyleList.h"

#include "html/document/model/Document.h"

THtmlStyleList::THtmlStyleList(ThtDocument* document) : Document(document) {
  QuirksMode = document && document->UseQuirks;
}

void THtmlStyleList::NoteHoverRule(bool flag) {
  if (Document) Document->OverLinksActive = flag;
}
