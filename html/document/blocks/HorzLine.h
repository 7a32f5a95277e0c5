// Horizontal rules: the line section and the block that holds it.
#pragma once

#include "html/document/blocks/Block.h"

class THorzLine : public TSectionBase {
 public:
  // Reads ALIGN, COLOR, NOSHADE, SIZE and WIDTH; the size and width go into the property
  // set's height and width, a valid COLOR into its color.
  THorzLine(ThtDocument* document, TProperties& properties, const TAttributeList* attributes);
  THorzLine(ThtDocument* document, const THorzLine& source);

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override;
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;
  void CopySelection() override;

  int32_t RuleHeight = 2;
  TColor RuleColor = clNone;
  uint8_t RuleAlign = 2;  // 1 left, 2 center, 3 right
  bool NoShade = false;
  int32_t RuleWidth = 0, RuleLeft = 0;

 private:
  int layoutX_ = 0;
};

class THRBlock : public TBlock {
 public:
  // Makes the rule and takes it into the content.
  THRBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell, TProperties& properties);
  THRBlock(ThtDocument* document, const THRBlock& source);

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  int FindWidth(TCanvas& canvas, int availableWidth, int autoCount, int height) override;

  uint8_t RuleAlign = 2;
  THorzLine* Rule = nullptr;  // in the content cell

 protected:
  void FindContentParts() override;
};
