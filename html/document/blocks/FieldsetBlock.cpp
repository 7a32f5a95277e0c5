#include "html/document/blocks/FieldsetBlock.h"

#include <algorithm>

#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"

namespace {
constexpr TColor FieldsetFrameColour = 11709605;

bool IsUnset(const TPropValue& value) {
  return value.IsEmpty() || (value.IsInt() && value.AsInt() == UnsetSentinel);
}
}  // namespace

TFieldsetBlock::TFieldsetBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell,
                               TProperties& properties)
    : TBlock(document, attributes, ownerCell, properties), LegendCell(std::make_unique<TBlockCell>(document)) {
  LegendCell->OwnerBlock = this;
  LegendCell->TagName = u"legend";
  HasBorderStyle = true;
  for (int side = 0; side < 4; ++side) {
    if (IsUnset(properties[BorderTopStyle + side])) BoxValues[BoxEntry(BorderTopStyle + side)] = int32_t{bssSolid};
    if (IsUnset(properties[BorderTopColor + side]))
      BoxValues[BoxEntry(BorderTopColor + side)] = static_cast<int32_t>(FieldsetFrameColour);
    if (IsUnset(properties[BorderTopWidth + side])) BoxValues[BoxEntry(BorderTopWidth + side)] = int32_t{1};
    if (IsUnset(properties[PaddingTop + side])) BoxValues[BoxEntry(PaddingTop + side)] = int32_t{10};
  }
  marginTopUnset_ = IsUnset(properties[MarginTop]);
}

TFieldsetBlock::TFieldsetBlock(ThtDocument* document, const TFieldsetBlock& source)
    : TBlock(document, source),
      LegendCell(std::make_unique<TBlockCell>(document, *source.LegendCell)),
      marginTopUnset_(source.marginTopUnset_) {
  LegendCell->OwnerBlock = this;
}

std::unique_ptr<TSectionBase> TFieldsetBlock::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TFieldsetBlock>(document, *this);
}

void TFieldsetBlock::ContentMinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  TBlock::ContentMinMaxWidth(canvas, minWidth, maxWidth);
  int legendMin = 0, legendMax = 0;
  LegendCell->MinMaxWidth(canvas, legendMin, legendMax);
  minWidth = std::max(minWidth, legendMin);
  maxWidth = std::max(maxWidth, legendMax);
}

void TFieldsetBlock::ConvertMargins(int baseWidth, int baseHeight, int& autoCount) {
  TBlock::ConvertMargins(baseWidth, baseHeight, autoCount);
  bool isGap = false;
  BoxAt(MarginTop) = marginTopUnset_ ? 10
                                     : ConvertVerticalMargin(BoxValues[BoxEntry(MarginTop)], baseWidth, EmSize, ExSize, isGap);
  const int excess = LegendCell->TotalHeight - (BoxAt(MarginTop) + BoxAt(BorderTopWidth) + BoxAt(PaddingTop));
  if (excess > 0) {
    BoxAt(PaddingTop) += excess / 2;
    BoxAt(MarginTop) += excess - excess / 2;
  }
}

int TFieldsetBlock::Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents,
                           int availableHeight, int containingHeight, int availableWidth, int originY, int originX,
                           int y) {
  if (Display != DisplayNone) {
    int autoCount = 0;
    TBlock::ConvertMargins(availableWidth, containingHeight, autoCount);
    ClampBoxSize(Box, Document && Document->UseQuirks);
    const int width = FindWidth(canvas, availableWidth, autoCount, containingHeight);
    legendX_ = LeftExtra();
    LegendCell->IndentManager = &indents;
    const void* previousOwner = indents.CurrentOwner;
    indents.CurrentOwner = this;
    const int leftEdge = indents.PushLeftBlock(x + legendX_, y);
    const int rightEdge = indents.PushRightBlock(x + legendX_ + width, y);
    int legendMax = 0;
    LegendCell->DoLayout(canvas, x + legendX_, cursor, legendMax, availableHeight, 0, width, originY, originX, y,
                         false);
    indents.DropLeft(leftEdge);
    indents.DropRight(rightEdge);
    indents.CurrentOwner = previousOwner;
  }
  return TBlock::Layout(canvas, x, cursor, maxWidth, indents, availableHeight, containingHeight, availableWidth,
                        originY, originX, y);
}

int TFieldsetBlock::Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) {
  if (Display == DisplayNone || Visibility == 1) return 0;
  const int top = SectionTop - (Document ? Document->YOffset : 0);
  LegendCell->IndentManager = &indents;
  LegendCell->Draw(canvas, clip, ContentWidth, x + legendX_, top, xRef, yRef);
  TDeviceContext& dc = canvas.Handle();
  const int level = dc.SaveDC();
  if (LegendCell->Count() > 0)
    dc.ExcludeClipRect(TRect{x + legendX_ - 2, top, x + legendX_ + LegendCell->MaxTextWidth + 2,
                             top + LegendCell->TotalHeight});
  const int result = TBlock::Draw(canvas, clip, indents, x, xRef, yRef);
  dc.RestoreDC(level);
  return result;
}
