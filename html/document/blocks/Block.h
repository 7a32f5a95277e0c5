// A CSS block box: margins, borders, padding, an explicit width and height with their
// limits, a background, a float or a position, and a content cell with the child sections.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "html/document/model/Cells.h"
#include "html/foundation/css/BoxValues.h"
#include "html/foundation/css/PropertyIndex.h"
#include "html/foundation/viewer/BoxBorder.h"

class TAttributeList;
class TImageObj;
class TProperties;
class TSectionPageIndex;

// Nesting deeper than this is not laid out or drawn: a hostile document cannot exhaust the
// stack through its blocks.
constexpr int MaxBlockDepth = 256;

// Integer values read from the document (z-index, sizes) stay within this range; products
// are formed in 64 bits before they are clamped.
constexpr int32_t AttributeLimit = 10000000;
int32_t ClampAttribute(int64_t value);

// Tiles the background image over the part of the padding box inside the clip rectangle,
// straight onto the canvas, placed by position (blocks and table cells).
void TileBackgroundImage(TCanvas& canvas, TImageObj& image, const TBackgroundPos& position, const TRect& paddingBox,
                         const TRect& clip);

// The lowering of y that clears the floats of the side (1 left, 2 right, 3 both).
int ClearDropOf(const TIndentManager& indents, int clearSide, int y);

class TBlock : public TSectionBase {
 public:
  // Takes the box from the property set, collapses the top margin with the previous
  // sibling in the owner cell (table wrappers do not) and registers the element's id.
  TBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell, TProperties& properties,
         bool collapseTopMargin = true);
  // For the printing copy.
  TBlock(ThtDocument* document, const TBlock& source);
  ~TBlock() override;

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  // The block's copy is made without its content, whose sections then move over.
  std::unique_ptr<TSectionBase> TakeCopy(ThtDocument* document) override;
  bool CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) override;
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override;
  int FindCursor(TCanvas& canvas, int x, int y, bool& onText, int& lineHeight, int& lineTop,
                 int& cursorX) override;
  int SourceToCursor(int sourcePosition, bool backward) override;
  int CursorToSource(int cursor) override;
  int FindString(int fromCursor, const String& text, bool matchCase) override;
  int FindStringBack(int fromCursor, const String& text, bool matchCase) override;
  bool CharAt(int cursor, Char& ch, TIDObject*& object) override;
  int UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
            std::unique_ptr<TUrlTarget>& target) override;
  bool ObjectAt(int x, int y, TIDObject*& object) override;
  void AddToPositionList() override;
  void CopySelection() override;
  void MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) override;
  bool IsAbsolute() const override { return Position == PositionAbsolute || Position == PositionFixed; }
  std::optional<bool> DropDefaultBottomMargin() override;

  // Own virtual operations.
  // The width of a border whose style is set and whose width is not.
  virtual int DefaultBorderWidth() const { return 3; }
  virtual void ContentMinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth);
  // Converts the box values for the width and height; answers how many of margin-left,
  // width and margin-right are "auto".
  virtual void ConvertMargins(int baseWidth, int baseHeight, int& autoCount);
  virtual void DrawBorder(TCanvas& canvas, const TRect& borderRect, const TRect& paddingRect);
  // The content width; resolves "auto" margins.
  virtual int FindWidth(TCanvas& canvas, int availableWidth, int autoCount, int height);
  // A table wrapper: its top margin does not collapse, and a following block with the
  // default gap above it loses that gap when it floats.
  virtual bool IsTableBlock() const { return false; }

  enum : uint8_t { PositionStatic = 0, PositionRelative = 1, PositionAbsolute = 2, PositionFixed = 3 };
  enum : uint8_t { FloatNone = 0, FloatLeft = 5, FloatRight = 6 };

  int32_t& BoxAt(int property) { return Box[BoxEntry(property)]; }
  int32_t BoxAt(int property) const { return Box[BoxEntry(property)]; }
  bool Floats() const { return Float == FloatLeft || Float == FloatRight; }
  bool IsStatic() const { return Position == PositionStatic; }
  bool HidesOverflow() const { return OverflowHidden && BoxAt(Width) > 20; }
  // The left and right sums of margin, border and padding.
  int LeftExtra() const { return BoxAt(MarginLeft) + BoxAt(BorderLeftWidth) + BoxAt(PaddingLeft); }
  int RightExtra() const { return BoxAt(MarginRight) + BoxAt(BorderRightWidth) + BoxAt(PaddingRight); }

  std::unique_ptr<TBlockCell> ContentCell;
  TVMarginArray BoxValues{};
  TCellBasic* OwnerCell = nullptr;
  std::unique_ptr<TImageObj> BackgroundImage;
  TBackgroundPos BackgroundPosition{};
  String Title;
  String TagPath;  // tag "." class "#" id
  TIntBoxArray Box{};
  int32_t EmSize = 0, ExSize = 0;
  TColor TextColor = clBlack;
  bool HasBorderStyle = false;
  uint8_t Float = FloatNone;
  uint8_t ClearSide = 0;
  uint8_t Position = PositionStatic;
  uint8_t Visibility = 2;  // 1 hidden, 2 visible
  bool BottomMarginIsDefault = false;
  bool PageBreakBefore = false, PageBreakAfter = false, PageBreakInside = false;
  bool OverflowHidden = false;
  uint8_t TextAlign = 1;  // 1 left, 2 center, 3 right
  int32_t ContentWidth = 0, ClearDrop = 0, ContentLeft = 0;
  int32_t TopOffset = 0, LeftOffset = 0;
  std::vector<TSectionBase*> DrawList;  // the content's sections in paint order (not owned)
  int32_t ContentBottom = 0;
  TRect BorderRect{};
  std::unique_ptr<TIndentManager> OwnIndentManager;
  TIndentManager* OuterIndentManager = nullptr;

  // The rows of the document outside which the section, when printing, neither paints nor
  // moves the page bottom; false for a section that may do either anywhere.
  static bool KeepsToRows(TSectionBase& section, int64_t& top, int64_t& bottom);

 protected:
  // Finds the sections of the content cell that the block keeps pointers to, once they are
  // copied into it.
  virtual void FindContentParts() {}
  // The margin-collapsing rules against the previous sibling in the owner cell.
  void CollapseTopMargin(bool topIsGap);
  // The content's sections ordered by ZIndex: negative ascending, zeros, positive ascending.
  void BuildDrawList();
  // When printing: the page-break rules may end the page at this block (moving the
  // document's page bottom up); answers whether the block stays off this page.
  bool BreaksPageBefore(const TRect& clip);
  // Sizes the background image; drops one that could not be loaded.
  void PrepareBackgroundImage(TCanvas& canvas);
  // Tiles the background image over the part of the padding box inside the clip rectangle
  // only, straight onto the canvas: no picture of the whole box is ever made.
  void DrawBackgroundImage(TCanvas& canvas, const TRect& paddingBox, const TRect& clip);
  // Paints the draw list with the block as the indent manager's owner.
  void DrawContent(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int contentX, int xRef, int yRef);
  // Of a printing copy, laid out once: true when nothing of the block can be painted or
  // change the paging outside its own extent, so that a block lying wholly outside the page
  // need not be walked (see BlockDraw.cpp).
  bool PagesWithinItsExtent();
  int8_t pagesWithinExtent_ = 0;  // 0 not known yet, 1 yes, 2 no

  // Nested blocks being laid out and drawn just now, for the depth limit.
  static int layoutDepth_;
  static int drawDepth_;

 private:
  // When printing: the content for one page, found in the draw list of the last layout by
  // position (SectionPageIndex.cpp).
  void DrawPagePart(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int contentX, int xRef, int yRef);
  std::unique_ptr<TSectionPageIndex> pageIndex_;
  int32_t drawListPass_ = -1;  // the document layout the draw list was made in
};
