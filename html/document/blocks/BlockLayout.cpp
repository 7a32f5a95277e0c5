#include <algorithm>
#include <optional>

#include "html/document/blocks/Block.h"
#include "html/document/model/Document.h"

namespace {
bool IsAuto(int32_t value) { return value == AutoSentinel; }

// Counts one level of block nesting for as long as it lives.
class TDepth {
 public:
  explicit TDepth(int& depth) : depth_(depth) { ++depth_; }
  ~TDepth() { --depth_; }
  TDepth(const TDepth&) = delete;
  TDepth& operator=(const TDepth&) = delete;
  bool TooDeep() const { return depth_ > MaxBlockDepth; }

 private:
  int& depth_;
};

// A value set for the time of a scope: the indent manager's owner while a block lays out its
// content, the width that absolutely placed boxes measure against inside a positioned block.
template <typename T>
class TScopedValue {
 public:
  TScopedValue(T& value, T during) : value_(value), previous_(value) { value_ = during; }
  ~TScopedValue() { value_ = previous_; }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;

 private:
  T& value_;
  T previous_;
};
}  // namespace

void TBlock::ContentMinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  ContentCell->MinMaxWidth(canvas, minWidth, maxWidth);
}

void TBlock::ConvertMargins(int baseWidth, int baseHeight, int& autoCount) {
  ConvertBoxValues(BoxValues, baseWidth, baseHeight, Box, autoCount, DefaultBorderWidth(), ExSize, EmSize);
  HasBorderStyle = false;
  for (int p = BorderTopStyle; p <= BorderLeftStyle; ++p)
    if (BoxAt(p) != bssNone) HasBorderStyle = true;
}

void TBlock::MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  minWidth = maxWidth = 0;
  if (Display == DisplayNone || IsAbsolute()) return;
  TDepth depth(layoutDepth_);
  if (depth.TooDeep()) return;
  int autoCount = 0;
  ConvertMargins(0, 400, autoCount);
  const int32_t width = IsAuto(BoxAt(Width)) ? 0 : BoxAt(Width);
  int contentMin = 0, contentMax = 0;
  if (HidesOverflow()) contentMin = contentMax = width;
  else ContentMinMaxWidth(canvas, contentMin, contentMax);
  auto value = [&](int p) { return IsAuto(BoxAt(p)) ? 0 : BoxAt(p); };
  const int left = value(MarginLeft) + BoxAt(BorderLeftWidth) + BoxAt(PaddingLeft);
  const int right = value(MarginRight) + BoxAt(BorderRightWidth) + BoxAt(PaddingRight);
  if (width < 1) {
    minWidth = left + std::max(contentMin, width) + right;
    maxWidth = left + std::max(contentMax, width) + right;
  } else {
    minWidth = maxWidth = left + width + right;
  }
}

int TBlock::FindWidth(TCanvas& canvas, int availableWidth, int autoCount, int) {
  int contentMin = 0, contentMax = 0;
  ContentMinMaxWidth(canvas, contentMin, contentMax);
  const bool quirks = Document && Document->UseQuirks;
  int32_t& marginLeft = BoxAt(MarginLeft);
  int32_t& marginRight = BoxAt(MarginRight);
  int32_t& width = BoxAt(Width);
  const int padding = BoxAt(PaddingLeft) + BoxAt(PaddingRight) + BoxAt(BorderLeftWidth) + BoxAt(BorderRightWidth);
  int ignoredMin = 0, ignoredMax = 0;
  const bool widthAuto = IsAuto(width);
  if (autoCount == 0) {
    if (TextAlign != 1 && IsStatic() && !Floats() && marginLeft == 0 && marginRight == 0) {
      ClampWidth(Box, ignoredMin, ignoredMax, quirks);
      const int free = std::max(0, availableWidth - width - padding);
      if (TextAlign == 2) marginLeft = marginRight = free / 2;
      else marginLeft = free;
    }
  } else if (autoCount == 1 && !widthAuto) {
    if (!IsAuto(marginRight)) marginLeft = std::max(0, availableWidth - padding - marginRight - width);
    else marginRight = Floats() ? 0 : std::max(0, availableWidth - padding - marginLeft - width);
  } else if (autoCount == 2 && !widthAuto) {
    marginLeft = marginRight = std::max(0, availableWidth - width - padding) / 2;
  } else if (autoCount == 2) {
    if (IsAuto(marginLeft)) marginLeft = 0;
    else marginRight = 0;
  } else if (autoCount == 3) {
    marginLeft = marginRight = 0;
  }
  if (widthAuto) {
    const int margins = marginLeft + marginRight;
    if (IsAbsolute()) {
      // The offset of this layout, not of the previous one: the width must not change
      // from one layout to the next.
      const int offset = IsAuto(BoxAt(Left)) ? 0 : BoxAt(Left);
      width = std::max(contentMin, availableWidth - padding - margins - offset);
    } else if (!Floats()) {
      // What cannot wrap either widens the block or runs past its right edge.
      const bool widen = !Document || Document->WidenBlocksToContent;
      width = std::max(widen ? contentMin : 0, availableWidth - padding - margins);
    } else {
      width = std::min(contentMax, availableWidth - padding - margins);
    }
    ClampWidth(Box, ignoredMin, ignoredMax, quirks);
  }
  return width;
}

int TBlock::Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
                   int containingHeight, int availableWidth, int originY, int originX, int y) {
  if (Display == DisplayNone) {
    SectionHeight = DrawHeight = 0;
    SectionTop = DrawTop = ContentTop = SectionBottom = DrawBottom = ContentBottom = y;
    StartCursor = cursor;
    CursorLength = 0;
    maxWidth = 0;
    return 0;
  }
  TDepth depth(layoutDepth_);
  // An absolutely placed box is measured against the box it is placed from (the nearest
  // positioned block around it, or the document), not against the block that holds it.
  if (IsAbsolute() && Document) availableWidth = Document->AbsoluteOriginWidth;
  SectionTop = y;
  ClearDrop = ClearDropOf(indents, ClearSide, y);
  StartCursor = cursor;
  maxWidth = availableWidth;

  int autoCount = 0;
  ConvertMargins(availableWidth, containingHeight, autoCount);
  const bool leftDependsOnAuto = autoCount > 0 || IsAuto(BoxAt(Right));
  ClampBoxSize(Box, Document && Document->UseQuirks);
  ContentWidth = FindWidth(canvas, availableWidth, autoCount, containingHeight);
  const int left = LeftExtra(), right = RightExtra();
  const int outerWidth = left + ContentWidth + right;
  ContentLeft = left;

  TopOffset = BoxAt(Top);
  LeftOffset = BoxAt(Left);
  if (Position == PositionRelative) {
    if (IsAuto(TopOffset)) TopOffset = 0;
    if (IsAuto(LeftOffset)) LeftOffset = 0;
  } else if (IsAbsolute()) {
    if (IsAuto(TopOffset)) TopOffset = 0;
    if (IsAuto(LeftOffset))
      LeftOffset = leftDependsOnAuto ? 0 : availableWidth - BoxAt(Right) - ContentWidth - left - right;
    x = LeftOffset;
    y = TopOffset + originY;
    SectionTop = y;
  } else {
    TopOffset = LeftOffset = 0;
  }

  int flowY = ClearDrop + y;
  if (!IsAbsolute() && Float == FloatLeft) {
    flowY = y;
    ContentLeft = left + indents.PlaceLeft(flowY, outerWidth, 0, 0) - x;
  } else if (!IsAbsolute() && Float == FloatRight) {
    flowY = y;
    ContentLeft = left + indents.PlaceRight(flowY, outerWidth, 0, 0) - x;
  }
  DrawTop = BoxAt(MarginTop) > 0 ? flowY + BoxAt(MarginTop) : flowY;
  ContentTop = flowY + BoxAt(MarginTop) + BoxAt(PaddingTop) + BoxAt(BorderTopWidth);

  OuterIndentManager = &indents;
  TIndentManager* contentIndents = &indents;
  if (OwnIndentManager) {
    contentIndents = OwnIndentManager.get();
    contentIndents->BeginLayout(0, ContentWidth);
  }
  ContentCell->IndentManager = contentIndents;

  const int32_t explicitHeight = BoxAt(Height);
  const int contentHeight = explicitHeight >= 1 ? explicitHeight
                            : containingHeight >= 1 ? containingHeight
                                                    : availableHeight;
  const int contentX = x + ContentLeft;
  int contentMax = 0;
  int lowestContent = ContentTop;
  if (!depth.TooDeep()) {
    TScopedValue<const void*> owner(contentIndents->CurrentOwner, this);
    // A positioned block is the origin of the absolutely placed boxes inside it: its content
    // box when it is relative, its padding box when it is absolute.
    std::optional<TScopedValue<int32_t>> origin;
    if (Document && !IsStatic())
      origin.emplace(Document->AbsoluteOriginWidth,
                     IsAbsolute() ? BoxAt(PaddingLeft) + ContentWidth + BoxAt(PaddingRight) : ContentWidth);
    const int leftEdge = contentIndents->PushLeftBlock(contentX, flowY);
    const int rightEdge = contentIndents->PushRightBlock(contentX + ContentWidth, flowY);
    int contentOriginY = originY, contentOriginX = originX, contentY = ContentTop;
    if (Position == PositionRelative) {
      contentY = ContentTop + TopOffset;
      contentOriginY = contentY;
    } else if (IsAbsolute()) {
      contentOriginY = TopOffset + originY + BoxAt(MarginTop) + BoxAt(BorderTopWidth);
      contentOriginX = LeftOffset + originX + BoxAt(MarginLeft) + BoxAt(BorderLeftWidth);
    }
    ContentCell->DoLayout(canvas, contentX, cursor, contentMax, contentHeight, explicitHeight, ContentWidth,
                          contentOriginY, contentOriginX, contentY, HidesOverflow());
    contentIndents->DropLeft(leftEdge);
    contentIndents->DropRight(rightEdge);
    lowestContent = ContentCell->MaxSectionBottom;
    if (Position == PositionRelative) lowestContent -= TopOffset;
    if (IsAbsolute()) lowestContent = std::max(lowestContent, contentIndents->LowestFloatBottom());
  } else {
    ContentCell->MaxDrawBottom = 0;
  }
  if (Position == PositionRelative || IsAbsolute())
    maxWidth = contentMax + left + right + LeftOffset - BoxAt(MarginRight) - x;
  else
    maxWidth = ContentLeft + contentMax + right;

  if (HidesOverflow() && explicitHeight > 3)
    ContentBottom = ContentTop + explicitHeight;
  else
    ContentBottom = std::max({lowestContent, static_cast<int>(ContentTop), ContentTop + explicitHeight});

  CursorLength = cursor - StartCursor;
  SectionBottom = ContentBottom + BoxAt(PaddingBottom) + BoxAt(BorderBottomWidth) + BoxAt(MarginBottom);
  DrawBottom = std::max(static_cast<int>(ContentCell->MaxDrawBottom), static_cast<int>(ContentBottom)) +
               BoxAt(PaddingBottom) + BoxAt(BorderBottomWidth);
  SectionHeight = SectionBottom - y;
  PrepareBackgroundImage(canvas);

  BuildDrawList();
  if (IsAbsolute() || Floats()) {
    DrawHeight = 0;
    if (!IsAbsolute() && Float == FloatLeft) indents.ReserveLeft(flowY, SectionBottom, outerWidth);
    else if (!IsAbsolute() && Float == FloatRight) indents.ReserveRight(flowY, SectionBottom, outerWidth);
    SectionHeight = 0;
    return 0;
  }
  DrawHeight = std::max(indents.LowestFloatBottom() - y, static_cast<int>(SectionHeight));
  return SectionHeight;
}

void TBlock::BuildDrawList() {
  // Made anew from the content cell before every use (layout, paint, hit tests), so it never
  // holds a section that the cell has freed since; the pages of a printing copy, which is
  // laid out once, use the list of its layout.
  DrawList.clear();
  drawListPass_ = Document ? Document->LayoutPass : -1;
  for (int i = 0; i < ContentCell->Count(); ++i) {
    TSectionBase* section = ContentCell->Items(i);
    section->ContainingBlock = this;
    DrawList.push_back(section);
  }
  std::stable_sort(DrawList.begin(), DrawList.end(),
                   [](const TSectionBase* a, const TSectionBase* b) { return a->ZIndex < b->ZIndex; });
}
