// The blocks around a table: the table block, whose content is the table, and the block
// that holds a table block together with its caption.
#pragma once

#include <cstdint>
#include <memory>

#include "html/document/blocks/Block.h"
#include "html/document/tables/HtmlTable.h"

class THtmlTable;

class TTableBlock : public TBlock {
 public:
  // The table goes into the block's content cell.
  TTableBlock(ThtDocument* document, TAttributeList* attributes, std::unique_ptr<THtmlTable> table,
              TCellBasic* ownerCell, TProperties& properties);
  TTableBlock(ThtDocument* document, const TTableBlock& source);

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override;
  void MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) override;
  int DefaultBorderWidth() const override;
  int FindWidth(TCanvas& canvas, int availableWidth, int autoCount, int height) override;
  bool IsTableBlock() const override { return true; }

  // When printing: a table that would be cut where it need not be moves to the next page.
  bool BreaksPageForTable(const TRect& clip);

  // The whole width (margins, borders, padding and the table) the block takes in the room,
  // a percentage width taken of that room.
  int OuterWidthFor(TCanvas& canvas, int availableWidth);

  THtmlTable* Table;  // in the content cell
  int WidthSpec = 0;  // pixels, or tenths of a percent when WidthIsPercent
  bool WidthIsPercent = false;
  bool HasBgColor = false;
  TColor BgColor = clNone;
  int HSpace = 0, VSpace = 0;
  bool InCaptionBlock = false;
  uint8_t TableAlign = 0;  // 0 none, 2 center, 3 right
  int FloatShift = 0;

 protected:
  void FindContentParts() override;

 private:
  struct TParts {
    std::unique_ptr<THtmlTable> Table;
    std::unique_ptr<TProperties> Properties;  // the block's, derived from the table's
  };
  static TParts MakeParts(std::unique_ptr<THtmlTable> table, TProperties& properties, TAttributeList* attributes);
  TTableBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell, TParts parts);
  // The table's width in the room; a percentage width is taken of the room when asked to.
  int WidthIn(TCanvas& canvas, int availableWidth, bool percentOfRoom);
};

class TTableAndCaptionBlock : public TBlock {
 public:
  TTableAndCaptionBlock(ThtDocument* document, TTableBlock* tableBlock, TAttributeList* attributes,
                        TCellBasic* ownerCell, TProperties& properties);
  TTableAndCaptionBlock(ThtDocument* document, const TTableAndCaptionBlock& source);

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  void MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) override;
  int FindWidth(TCanvas& canvas, int availableWidth, int autoCount, int height) override;
  int SourceToCursor(int sourcePosition, bool backward) override;
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;
  bool IsTableBlock() const override { return true; }

  // Takes the caption block; the table block learns that it sits in a caption block.
  void SetCaptionBlock(TBlock* block);
  // Enters the table's id into the document's id list for the table block.
  void RegisterId();

  uint8_t TableIndex = 0;  // the table block's index among the two sections
  TTableBlock* TableBlock;
  TBlock* CaptionBlock = nullptr;
  uint8_t CaptionAlign = 0;  // 2 center, 3 right
  String TableId;

 protected:
  void FindContentParts() override;

 private:
  // When printing: a caption above the table goes to the next page with the table when the
  // page would end before the table's rows; answers whether the block waits for that page.
  bool MovesWithTable(const TRect& clip);
};
