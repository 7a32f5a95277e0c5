// FIELDSET: a block with a default frame whose LEGEND sits on the top border.
#pragma once

#include "html/document/blocks/Block.h"

class TFieldsetBlock : public TBlock {
 public:
  // Unset border styles, colours and widths become a 1-pixel solid grey frame; unset
  // paddings 10 pixels.
  TFieldsetBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell, TProperties& properties);
  TFieldsetBlock(ThtDocument* document, const TFieldsetBlock& source);

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  void ContentMinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) override;
  // A legend higher than the top margin, border and padding together pushes the frame
  // down: half the excess goes to the padding, the rest to the margin.
  void ConvertMargins(int baseWidth, int baseHeight, int& autoCount) override;
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override;
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;

  std::unique_ptr<TBlockCell> LegendCell;

 private:
  bool marginTopUnset_ = false;
  int legendX_ = 0;  // where the legend was laid out, relative to the block's X
};
