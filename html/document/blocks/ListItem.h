// A list item: a block with a marker (bullet, number, letter or Roman numeral) drawn left
// of its content on the first line's baseline.
#pragma once

#include <memory>

#include "html/document/blocks/Block.h"

class TImageObj;
class TMyFont;

class TBlockLI : public TBlock {
 public:
  enum : uint8_t { OrderedList = 1, UnorderedList = 2, DefinitionList = 3, NoList = 4 };

  // level: the nesting of unordered lists (1 for the outermost); typeChar: the list's TYPE
  // attribute; plainList: a list without bullets.
  TBlockLI(ThtDocument* document, TAttributeList* attributes, int level, int32_t listNumber, Char typeChar,
           bool plainList, const String& listTag, TCellBasic* ownerCell, TProperties& properties);
  TBlockLI(ThtDocument* document, const TBlockLI& source);
  ~TBlockLI() override;

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override;
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;
  std::optional<bool> DropDefaultBottomMargin() override;

  uint8_t ListKind = NoList;
  int32_t ListNumber = 0;
  uint8_t ListStyle = 0;  // the list-style-type numbers
  std::unique_ptr<TMyFont> MarkerFont;
  std::unique_ptr<TImageObj> MarkerImage;  // from list-style-image
  int32_t FirstBaseline = 0;  // document Y of the first line's baseline; 0 when none

 private:
  void DrawMarker(TCanvas& canvas, int contentX, int baseline);
};
