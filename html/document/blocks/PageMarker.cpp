#include "html/document/blocks/PageMarker.h"

#include "html/document/model/Document.h"

std::unique_ptr<TSectionBase> TPage::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TPage>(document, *this);
}

int TPage::Draw(TCanvas&, const TRect& clip, TIndentManager&, int, int, int) {
  if (Document && Document->Printing && !Document->PageCutForced) {
    const int pageTop = Document->YOffset + clip.Top;
    if (SectionTop > pageTop + 5 && SectionTop < Document->PageBottom) Document->PageBottom = SectionTop;
  }
  return SectionTop + SectionHeight;
}
