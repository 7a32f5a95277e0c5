#include <algorithm>

#include "html/document/blocks/Block.h"
#include "html/document/model/Document.h"

bool TBlock::BreaksPageBefore(const TRect& clip) {
  ThtDocument& document = *Document;
  if (document.PageCutForced) return false;
  const int pageTop = document.YOffset + clip.Top;
  const int pageHeight = clip.Bottom - clip.Top;
  const int top = SectionTop;  // the top margin edge
  if (PageBreakBefore && !document.NothingPaintedYet) {
    if (top > pageTop) {
      document.PageBottom = std::min(static_cast<int>(document.PageBottom), top);
      document.SkipDraw = true;
      return true;
    }
  } else if (PageBreakInside) {
    if (top > pageTop && SectionBottom > document.PageBottom &&
        SectionBottom - (top + BoxAt(MarginTop)) <= pageHeight) {
      document.PageBottom = std::min(static_cast<int>(document.PageBottom), top);
      return true;
    }
  }
  if (PageBreakAfter && SectionBottom > pageTop && SectionBottom < document.PageBottom)
    document.PageBottom = SectionBottom;
  return false;
}
