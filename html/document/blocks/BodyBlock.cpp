#include "html/document/blocks/BodyBlock.h"

#include <algorithm>

#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"

TBodyBlock::TBodyBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell,
                       TProperties& properties)
    : TBlock(document, attributes, ownerCell, properties) {
  Position = PositionStatic;
  ZIndex = 0;
  Float = FloatNone;
  OwnIndentManager.reset();
  ContentCell->IndentManager = nullptr;
  const TPropValue& background = BoxValues[BoxEntry(BackgroundColor)];
  if (document && background.IsInt() && background.AsInt() != clNone) document->BackgroundColor = background.AsInt();
  BoxValues[BoxEntry(BackgroundColor)] = static_cast<int32_t>(clNone);
  // The image becomes the document's background, which the viewer paints; the body keeps none.
  String imageUrl;
  if (document && properties.BackgroundImageUrl(imageUrl) && !imageUrl.empty())
    document->SetBackgroundImage(imageUrl, BackgroundPosition);
  BackgroundImage.reset();
}

std::unique_ptr<TSectionBase> TBodyBlock::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TBodyBlock>(document, *this);
}

int TBodyBlock::Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents,
                       int availableHeight, int containingHeight, int availableWidth, int originY, int originX,
                       int y) {
  SectionTop = y;
  StartCursor = cursor;
  int autoCount = 0;
  ConvertMargins(availableWidth, availableHeight, autoCount);
  if (BoxAt(MarginLeft) == AutoSentinel) BoxAt(MarginLeft) = 0;
  if (BoxAt(MarginRight) == AutoSentinel) BoxAt(MarginRight) = 0;
  ClampBoxSize(Box, Document && Document->UseQuirks);
  const int left = LeftExtra(), right = RightExtra();
  ContentWidth = std::max(0, indents.AreaWidth - left - right);
  ContentLeft = left;
  DrawTop = y + BoxAt(MarginTop);
  ContentTop = y + BoxAt(MarginTop) + BoxAt(PaddingTop) + BoxAt(BorderTopWidth);
  ContentCell->IndentManager = &indents;
  const int contentX = x + left;
  int contentMax = 0;
  {
    const void* previousOwner = indents.CurrentOwner;
    indents.CurrentOwner = this;
    const int leftEdge = indents.PushLeftBlock(contentX, y);
    const int rightEdge = indents.PushRightBlock(contentX + ContentWidth, y);
    ContentCell->DoLayout(canvas, contentX, cursor, contentMax, containingHeight - BoxAt(MarginTop) - BoxAt(MarginBottom),
                          BoxAt(Height), ContentWidth, originY, originX, ContentTop, false);
    indents.DropLeft(leftEdge);
    indents.DropRight(rightEdge);
    indents.CurrentOwner = previousOwner;
  }
  ContentBottom = std::max(static_cast<int>(ContentCell->MaxSectionBottom), static_cast<int>(ContentTop));
  CursorLength = cursor - StartCursor;
  SectionBottom = ContentBottom + BoxAt(PaddingBottom) + BoxAt(BorderBottomWidth) + BoxAt(MarginBottom);
  DrawBottom = std::max(static_cast<int>(ContentCell->MaxDrawBottom), static_cast<int>(ContentBottom)) +
               BoxAt(PaddingBottom) + BoxAt(BorderBottomWidth);
  SectionHeight = DrawBottom + BoxAt(MarginBottom) - y;
  DrawHeight = std::max(indents.LowestFloatBottom() - y, static_cast<int>(SectionHeight));
  maxWidth = std::max(indents.AreaWidth, std::max(static_cast<int>(ContentWidth), contentMax) + BoxAt(MarginLeft) +
                                             BoxAt(MarginRight));
  BuildDrawList();
  return SectionHeight;
}

int TBodyBlock::Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int, int xRef, int yRef) {
  const int result = SectionTop + SectionHeight;
  if (Display == DisplayNone) return result;
  DrawContent(canvas, clip, indents, indents.OriginX + ContentLeft, xRef, yRef);
  return result;
}

int TBodyBlock::UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
                      std::unique_ptr<TUrlTarget>& target) {
  int flags = ContentCell->UrlAt(canvas, x, y, title, control, target);
  if (!Title.empty() && title.empty()) {
    title = Title;
    flags |= UrlAtTitle;
  }
  return flags;
}
