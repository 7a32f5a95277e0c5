// The BODY element: the document's outermost block. Its background is the document's,
// which the viewer paints; the body paints only its content.
#pragma once

#include "html/document/blocks/Block.h"

class TBodyBlock : public TBlock {
 public:
  // Never positioned; a background colour and image become the document's.
  TBodyBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell, TProperties& properties);
  TBodyBlock(ThtDocument* document, const TBodyBlock& source) : TBlock(document, source) {}

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override;
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;
  int UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
            std::unique_ptr<TUrlTarget>& target) override;
};
