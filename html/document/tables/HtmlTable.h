// A table as a section: its rows of cells, COL and COLGROUP settings, the normalised grid,
// column widths, row heights, drawing and the queries that go to its cells.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "html/document/model/SectionBase.h"
#include "html/document/tables/TableCells.h"
#include "html/document/tables/WidthArrays.h"
#include "html/foundation/shared/TablePartRec.h"
#include "platform/gdi/Colors.h"

class TAttributeList;
class TCanvas;

// FRAME and RULES of a table.
enum : uint8_t {
  FrameVoid = 0, FrameAbove, FrameBelow, FrameHSides, FrameLhs, FrameRhs, FrameVSides, FrameBox, FrameBorder
};
enum : uint8_t { RulesNone = 0, RulesGroups, RulesRows, RulesCols, RulesAll };

// Columns beyond this many from one COL or COLGROUP are dropped.
constexpr int MaxColSpecs = 10000;

class THtmlTable : public TSectionBase {
 public:
  THtmlTable(ThtDocument* document, TProperties& properties, TAttributeList* attributes);
  // For the printing copy: rows and cells copied, fresh column arrays, a new part record.
  THtmlTable(ThtDocument* document, const THtmlTable& source);
  ~THtmlTable() override;

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  // The table is copied without its rows, which then move over one at a time.
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
  void CopySelection() override;
  void MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) override;

  // Appends min(count, MaxColSpecs) columns with the same settings.
  void AddColSpecs(int count, TWidthValue width, const String& align, uint8_t vAlign);
  // Normalises the grid once: placeholders for spans, rows padded, spans cut to the table.
  void Initialize();
  // Per column: minimum and maximum width, percentage, weight and kind, from the cells and
  // the COL and COLGROUP settings.
  void ComputeColumnMinMax(TCanvas& canvas);
  // The column widths for the room at y (or SpecifiedWidth); answers the table width
  // including the spacing.
  int FindColumnWidths(TCanvas& canvas, TIndentManager& indents, int y);
  // The row heights for the table height (0: as high as the rows need).
  void ComputeRowHeights(TCanvas& canvas, int tableHeight);
  // The largest column span of the grid, for tests of normalisation.
  int NumRows() const { return Rows.Count(); }
  TCellList& Row(int index) const { return *Rows.Items(index); }

  std::unique_ptr<TTablePartRec> TablePart;
  int HeaderHeight = 0, HeaderRowCount = 0, FooterHeight = 0;
  int FootStartRow = -1;
  int FootOffset = 0;
  int BodyStop = 0;
  bool HeadOrFoot = false;
  std::vector<TColSpec> ColSpecs;
  IntArray Percents, Multis, MaxWidths, MinWidths;
  TWidthTypeArray ColumnKinds;
  TFreeList<TCellList> Rows{true};
  bool Initialized = false;
  int BorderWidth = 0;
  int BorderAttrWidth = 0;
  bool HasBorderAttr = false;
  uint8_t Frame = FrameVoid;
  uint8_t Rules = RulesNone;
  bool Floating = false;
  int NumCols = 0;
  int TableWidth = 0;
  int SpecifiedWidth = 0;
  int CellPadding = 1;
  int CellSpacing = 2;
  TColor BorderColor = clBtnFace;
  TColor BorderColorLight = clBtnHighlight;
  TColor BorderColorDark = clBtnShadow;
  int DrawX = 0;
  bool HasBackground = false;
  TColor BackgroundColor = clNone;
  IntArray Widths;
  IntArray Heights;
  // The top and bottom border widths of the table block, for paging.
  int BlockBorderTop = 0, BlockBorderBottom = 0;

 private:
  // One row's measurement for the cells that span `span` rows.
  struct TRowNeeds {
    int Needed = 0, Desired = 0;
    bool HasHeight = false, MoreSpans = false;
  };
  TRowNeeds RowHeightsAt(TCanvas& canvas, TCellList& row, int span, int rowCount, int available);
  int RowLayout(TCanvas& canvas, int y, int tableHeight, int& cursor);
  // A cell's minimum and maximum width with its own width, spacing and cell space.
  void CellMinMax(TCanvas& canvas, TCellObj& cell, int& minWidth, int& maxWidth, TWidthValue& spec);
  // Spanning cells' minimum and maximum over their columns.
  void SpreadSpanningCell(int first, int span, int minWidth, int maxWidth, TWidthValue spec);
  void DistributeToKind(TWidthType kind, int first, int last, int minWidth, int maxWidth);
  void DistributeByRange(TWidthType kind, int first, int last, int minWidth, int maxWidth);
  void DistributeRelative(IntArray& widths, int amount, int first, int last, bool raiseToWidths);
  void GrowKind(TWidthType kind, int total, int width);
  void MakeRelativeProportional(IntArray& widths);
  // One row on the canvas with the page-break rules of printing; answers the next row's Y.
  int DrawRow(TCanvas& canvas, int rowIndex, const TRect& clip, int x, int y);
  // The rows from first to last (inclusive) one below the other from y.
  int DrawRows(TCanvas& canvas, const TRect& clip, int x, int y, int first, int last);
  // Drawing for pages while header and footer rows are repeated.
  void DrawPaged(TCanvas& canvas, const TRect& clip, int x);
  // The real cell under the point, with its row; nil when none.
  TCellObj* CellAt(int x, int y);

  int colSpecsWithWeight_ = 0;
  // What the row heights were measured for: the document's layout pass, the table height
  // and the column widths.
  int32_t heightsPass_ = -1;
  int heightsTableHeight_ = 0;
  IntArray heightsWidths_;
  // Per row of the last layout: its top relative to the table, and the lowest bottom that
  // it or a row above it reaches with its row spans (never decreasing), so that drawing
  // finds the first row inside the clip rectangle without walking the rows above it.
  std::vector<int> rowTops_;
  std::vector<int> reachBelow_;
};
