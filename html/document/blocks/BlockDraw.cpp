#include <algorithm>
#include <optional>
#include <typeinfo>

#include "html/document/blocks/Block.h"
#include "html/document/blocks/ListItem.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/foundation/viewer/BoxBorder.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"

namespace {
// Beyond a section's clip margin (40 pixels, SectionDraw.cpp), with room to spare.
constexpr int kPagingMargin = 64;

// Keeps the device context's state (the clip region above all) for the time of a scope.
class TSavedState {
 public:
  explicit TSavedState(TCanvas& canvas) : dc_(canvas.Handle()), level_(dc_.SaveDC()) {}
  ~TSavedState() { dc_.RestoreDC(level_); }
  TSavedState(const TSavedState&) = delete;
  TSavedState& operator=(const TSavedState&) = delete;

 private:
  TDeviceContext& dc_;
  int level_;
};

class TDrawDepth {
 public:
  explicit TDrawDepth(int& depth) : depth_(depth) { ++depth_; }
  ~TDrawDepth() { --depth_; }
  TDrawDepth(const TDrawDepth&) = delete;
  TDrawDepth& operator=(const TDrawDepth&) = delete;
  bool TooDeep() const { return depth_ > MaxBlockDepth; }

 private:
  int& depth_;
};
}  // namespace

void TBlock::DrawBorder(TCanvas& canvas, const TRect& borderRect, const TRect& paddingRect) {
  const std::array<TColor, 4> colors{static_cast<TColor>(BoxAt(BorderLeftColor)), static_cast<TColor>(BoxAt(BorderTopColor)),
                                     static_cast<TColor>(BoxAt(BorderRightColor)),
                                     static_cast<TColor>(BoxAt(BorderBottomColor))};
  const std::array<uint8_t, 4> styles{static_cast<uint8_t>(BoxAt(BorderLeftStyle)),
                                      static_cast<uint8_t>(BoxAt(BorderTopStyle)),
                                      static_cast<uint8_t>(BoxAt(BorderRightStyle)),
                                      static_cast<uint8_t>(BoxAt(BorderBottomStyle))};
  PaintBoxBorder(canvas, borderRect, paddingRect, colors, styles, static_cast<TColor>(BoxAt(BackgroundColor)),
                 Document && Document->Printing);
}

// A block whose content is only text sections and, recursively, blocks and list items of
// the normal flow without page-break rules: its content paints nothing and moves no page
// bottom beyond the block's own extent (text lines clip themselves; floats, positioned boxes,
// tables and other objects may reach further and keep the block from qualifying).
bool TBlock::PagesWithinItsExtent() {
  if (pagesWithinExtent_ == 0) {
    bool within = true;
    for (int i = 0; within && i < ContentCell->Count(); ++i) {
      TSectionBase* section = ContentCell->Items(i);
      if (dynamic_cast<TSection*>(section)) continue;
      auto* block = typeid(*section) == typeid(TBlock) || typeid(*section) == typeid(TBlockLI)
                        ? static_cast<TBlock*>(section)
                        : nullptr;
      within = block && block->IsStatic() && !block->Floats() && !block->PageBreakBefore && !block->PageBreakAfter &&
               !block->PageBreakInside && block->PagesWithinItsExtent();
    }
    pagesWithinExtent_ = within ? 1 : 2;
  }
  return pagesWithinExtent_ == 1;
}

void TBlock::DrawContent(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int contentX, int xRef,
                         int yRef) {
  TIndentManager& contentIndents = OwnIndentManager ? *OwnIndentManager : indents;
  const void* previousOwner = contentIndents.CurrentOwner;
  if (OwnIndentManager) contentIndents.MoveOrigin(contentX);
  contentIndents.CurrentOwner = this;
  contentIndents.AreaWidth = ContentWidth;
  if (Document && Document->Printing) {
    DrawPagePart(canvas, clip, contentIndents, contentX, xRef, yRef);
  } else {
    BuildDrawList();
    for (TSectionBase* section : DrawList) section->Draw(canvas, clip, contentIndents, contentX, xRef, yRef);
  }
  contentIndents.CurrentOwner = previousOwner;
}

int TBlock::Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) {
  if (Display == DisplayNone || Visibility == 1) return 0;
  const int result = SectionTop + SectionHeight;
  TDrawDepth depth(drawDepth_);
  if (depth.TooDeep()) return result;
  if (Document && Document->SkipDraw) {
    Document->SkipDraw = false;
    return result;
  }
  if (Document && Document->Printing && !IsAbsolute() && BreaksPageBefore(clip)) return result;
  const int scroll = Document ? Document->YOffset : 0;
  // Inside a table, positioned and floated content may reach outside the cell's clip.
  std::optional<TSavedState> unclipped;
  if (Document && Document->TableDepth > 0 && !IsStatic()) {
    unclipped.emplace(canvas);
    canvas.Handle().SelectClipRgn(nullptr);
  }

  int y = SectionTop;
  if (Position == PositionRelative) {
    x += LeftOffset;
    y += TopOffset;
  } else if (IsAbsolute()) {
    x = xRef + LeftOffset;
  }
  const int contentX = x + ContentLeft;
  TRect border;
  border.Left = Floats() ? contentX - BoxAt(PaddingLeft) - BoxAt(BorderLeftWidth) : x + BoxAt(MarginLeft);
  border.Top = (Floats() ? DrawTop + (y - SectionTop) : y + ClearDrop + BoxAt(MarginTop)) - scroll;
  border.Right = contentX + ContentWidth + BoxAt(PaddingRight) + BoxAt(BorderRightWidth);
  border.Bottom = SectionBottom - BoxAt(MarginBottom) + (Position == PositionRelative ? TopOffset : 0) - scroll;
  BorderRect = border;
  const TRect padding{border.Left + BoxAt(BorderLeftWidth), border.Top + BoxAt(BorderTopWidth),
                      border.Right - BoxAt(BorderRightWidth), border.Bottom - BoxAt(BorderBottomWidth)};

  if (border.Top >= clip.Bottom || border.Bottom <= clip.Top) {
    // Content that overflows the box may still reach into the clip rectangle. A page walks
    // the whole document otherwise: a printing copy skips the content of a block that keeps
    // within its extent when that extent, with the text lines' margin, misses the page.
    if (Document && Document->Printing && IsStatic() && !Floats()) {
      const int top = std::min(SectionTop, DrawTop) - scroll - kPagingMargin;
      const int bottom = std::max({SectionBottom, DrawBottom, SectionTop + DrawHeight}) - scroll + kPagingMargin;
      if ((top >= clip.Bottom || bottom <= clip.Top) && PagesWithinItsExtent()) return result;
    }
    int childXRef = xRef, childYRef = yRef;
    if (Position == PositionRelative) childXRef = contentX, childYRef = padding.Top + scroll;
    else if (IsAbsolute()) childXRef = x + BoxAt(MarginLeft) + BoxAt(BorderLeftWidth);
    if (!(Document && Document->NoOutput)) DrawContent(canvas, clip, indents, contentX, childXRef, childYRef);
    return result;
  }
  if (Document && Document->NoOutput) return result;

  const TColor background = static_cast<TColor>(BoxAt(BackgroundColor));
  const bool printing = Document && Document->Printing;
  if (background != clNone && (!printing || Document->PrintBackground)) {
    const int top = std::max(clip.Top - 2, padding.Top);
    const int bottom = std::min(padding.Bottom, clip.Bottom);
    if (top < bottom) {
      canvas.Brush().SetStyle(bsSolid);
      canvas.Brush().SetColor(background);
      canvas.FillRect(TRect{padding.Left, top, padding.Right, bottom});
    }
  }
  if (BackgroundImage && (!printing || Document->PrintBackground)) DrawBackgroundImage(canvas, padding, clip);

  int childXRef = xRef, childYRef = yRef;
  if (Position == PositionRelative) {
    childXRef = contentX;
    childYRef = ContentTop + TopOffset;
  } else if (IsAbsolute()) {
    childXRef = x + BoxAt(MarginLeft) + BoxAt(BorderLeftWidth);
    childYRef = TopOffset + yRef + BoxAt(MarginTop) + BoxAt(BorderTopWidth);
  }
  if (HidesOverflow()) {
    TSavedState saved(canvas);
    const TRect content{contentX, ContentTop + (y - SectionTop) - scroll, contentX + ContentWidth,
                        ContentBottom + (y - SectionTop) - scroll};
    canvas.Handle().IntersectClipRect(Floats() ? padding : content);
    DrawContent(canvas, clip, indents, contentX, childXRef, childYRef);
  } else {
    DrawContent(canvas, clip, indents, contentX, childXRef, childYRef);
  }

  if (HasBorderStyle && border != padding) DrawBorder(canvas, border, padding);
  return result;
}
