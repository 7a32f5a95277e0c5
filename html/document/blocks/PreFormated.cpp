#include "html/document/blocks/PreFormated.h"

#include <algorithm>

#include "html/foundation/layout/IndentManager.h"

TPreFormated::TPreFormated(ThtDocument* document, const TUrlTarget* linkTarget, TProperties& properties,
                           TAttributeList* attributes)
    : TSection(document, false, linkTarget, properties, attributes) {
  Preformatted = true;
}

std::unique_ptr<TSectionBase> TPreFormated::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TPreFormated>(document, *this);
}

void TPreFormated::FinishText(int endSourcePosition) {
  if (textFinished_) return;
  textFinished_ = true;
  const int oldLength = static_cast<int>(Text.size());
  const int32_t position = oldLength > 0 ? SourceIndexes[static_cast<size_t>(oldLength - 1)] + 1 : endSourcePosition;
  const Char space = u' ';
  AppendChars(&space, &position, 1);
  for (int i = 0; i < Fonts.Count(); ++i)
    if (Fonts.Items(i)->StartPos == oldLength) Fonts.Items(i)->StartPos = oldLength + 1;
  FixText();
  cachedWidth_ = -1;
}

void TPreFormated::MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  if (BreakWord) {
    TSection::MinMaxWidth(canvas, minWidth, maxWidth);
    return;
  }
  if (cachedWidth_ < 0) cachedWidth_ = TextWidthOf(canvas, 0, std::max(0, static_cast<int>(Text.size()) - 1), false);
  maxWidth = cachedWidth_;
  minWidth = std::min(cachedWidth_, 6000);
}

int TPreFormated::Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents,
                         int availableHeight, int containingHeight, int availableWidth, int originY, int originX,
                         int y) {
  if (BreakWord)
    return TSection::Layout(canvas, x, cursor, maxWidth, indents, availableHeight, containingHeight, availableWidth,
                            originY, originX, y);
  const int savedWidth = indents.AreaWidth;
  indents.AreaWidth = 32000;
  const int height = TSection::Layout(canvas, x, cursor, maxWidth, indents, availableHeight, containingHeight,
                                      availableWidth, originY, originX, y);
  indents.AreaWidth = savedWidth;
  int minWidth = 0;
  MinMaxWidth(canvas, minWidth, maxWidth);
  return height;
}
