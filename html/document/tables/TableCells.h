// The rows of a table and their cells: real cells with their content, and the placeholders
// that stand in the grid where a cell spans several columns or rows.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "html/document/model/Cells.h"
#include "html/foundation/css/BoxValues.h"
#include "html/foundation/shared/FreeList.h"
#include "html/foundation/shared/WidthValue.h"

class TAttributeList;
class TCellObj;
class TImageObj;
class TProperties;
class TSectionPageIndex;

// Spans beyond these are cut before anything is made from them.
constexpr int MaxColSpan = 1000;
constexpr int MaxRowSpan = 65534;

class TCellObjBase {
 public:
  virtual ~TCellObjBase() = default;
  // The real cell; nil for a placeholder.
  virtual TCellObj* AsCell() { return nullptr; }
  virtual std::unique_ptr<TCellObjBase> CreateCopy(ThtDocument* document) const = 0;
  // The printing copy of a cell not needed again: as CreateCopy, but the sections of its
  // content move over one at a time (TSectionBase::TakeCopy).
  virtual std::unique_ptr<TCellObjBase> TakeCopy(ThtDocument* document) { return CreateCopy(document); }
  bool IsReal() const { return ColSpan > 0 && RowSpan > 0; }

  int ColSpan = 1;  // 0 for a placeholder
  int RowSpan = 1;
  int HzSpace = 0;  // left padding + left border + right border + right padding
  int VrSpace = 0;  // top padding + top border + bottom border + bottom padding
  TWidthValue SpecWidth;
  TWidthValue SpecHeight;
};

// A grid position taken by a spanning cell; draws and lays out nothing.
class TDummyCellObj : public TCellObjBase {
 public:
  explicit TDummyCellObj(int rowSpan) {
    ColSpan = 0;
    RowSpan = rowSpan;
  }
  std::unique_ptr<TCellObjBase> CreateCopy(ThtDocument*) const override {
    return std::make_unique<TDummyCellObj>(RowSpan);
  }
};

// A cell's background image: its address, its placement, and the image once made.
struct TCellBackground {
  String Url;
  TBackgroundPos Pos{};
  std::unique_ptr<TImageObj> Image;
};

class TCellObj : public TCellObjBase {
 public:
  // vAlign: the row's or table's default (1 top, 2 middle, 3 baseline, 4 bottom).
  TCellObj(ThtDocument* document, TProperties& properties, TAttributeList* attributes, uint8_t vAlign);
  // For the printing copy: the content copied; the background colour only when the
  // document prints table backgrounds.
  TCellObj(ThtDocument* document, const TCellObj& source);
  ~TCellObj() override;

  TCellObj* AsCell() override { return this; }
  std::unique_ptr<TCellObjBase> CreateCopy(ThtDocument* document) const override;
  std::unique_ptr<TCellObjBase> TakeCopy(ThtDocument* document) override;

  // Once, when the grid is normalised: paddings that were not given, the minimum border of a
  // bordered table, the spaces around the content and the row's background image.
  void InitCell(int cellPadding, const String& rowBackground, const TBackgroundPos& rowBackgroundPos,
                bool tableHasBorder);
  // The final placement: vertical alignment and the content laid out at its place.
  void Layout(TCanvas& canvas, int y, int cellSpacing, int& cursor);
  // Background, content and borders; x and y are the left and top of the cell's columns and
  // rows (document coordinates) including the spacing.
  void Draw(TCanvas& canvas, const TRect& clip, int x, int y, int cellSpacing, bool border, TColor light,
            TColor dark);
  // The width the content gets.
  int ContentWidth(int cellSpacing) const { return CellWidth - HzSpace - cellSpacing; }

  ThtDocument* Document;
  int CellWidth = 0, CellHeight = 0;
  int ContentHeight = 0;
  int VOffset = 0;
  uint8_t VAlign = 2;
  int EmSize = 0, ExSize = 0;
  int PadLeft = -1, PadTop = -1, PadRight = -1, PadBottom = -1;
  int BrdLeft = 0, BrdTop = 0, BrdRight = 0, BrdBottom = 0;
  bool HasBorderStyle = false;
  bool ShowEmpty = false;
  std::unique_ptr<TCellObjCell> Cell;
  // The background image: the cell's own or its row's; nil when neither names one.
  std::unique_ptr<TCellBackground> Background;
  // The colours and style numbers of the borders: top, right, bottom, left.
  std::array<TColor, 4> BorderColors{};
  std::array<uint8_t, 4> BorderStyles{};
  bool BreakBefore = false, BreakAfter = false, AvoidInside = false;
  // Of a printing copy's cell with many sections: where they lie, made at the first page.
  std::unique_ptr<TSectionPageIndex> pageIndex_;

 private:
  void DrawBackgroundImage(TCanvas& canvas, const TRect& box, const TRect& clip);
  // When printing: the content for one page, found among many sections by position.
  void DrawContentPagePart(TCanvas& canvas, const TRect& clip, int width, int x, int y);
  void DrawBorders(TCanvas& canvas, const TRect& box, const TRect& clip, bool border, TColor light, TColor dark);
};

// One row: its cells (owned) and what the row itself says.
class TCellList : public TFreeList<TCellObjBase> {
 public:
  // attributes and properties may be nil (an implicit row).
  TCellList(TAttributeList* attributes, TProperties* properties);
  TCellList(ThtDocument* document, const TCellList& source);
  // The printing copy of a row not needed again: its cells move over one at a time
  // (TCellObjBase::TakeCopy), each freed as soon as it is copied.
  std::unique_ptr<TCellList> TakeCopy(ThtDocument* document);

  // Appends the cell; a real cell passes its page-break flags to the row and takes the
  // row's height when it has none of its own of that kind.
  void AddCell(TCellObjBase* cell);
  void AddCell(std::unique_ptr<TCellObjBase> cell) { AddCell(cell.release()); }
  TCellObj* CellAt(int index) const { return Items(index)->AsCell(); }

  int RowHeight = 0;
  TWidthValue RowSpec;
  int RowSpanHeight = 0;
  bool HasRowColor = false;
  TColor RowColor = clNone;
  String RowBackground;
  TBackgroundPos RowBackgroundPos{};
  bool BreakBefore = false, BreakAfter = false, AvoidInside = false;
  uint8_t RowKind = 1;  // 0 header, 1 body, 2 footer
};

// One column's width and alignments as a COL or COLGROUP gives them.
struct TColSpec {
  TWidthValue ColWidth;
  String ColAlign;
  uint8_t ColVAlign = 0;
};
