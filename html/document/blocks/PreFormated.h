// Preformatted text: a text section that keeps its white space and never wraps.
#pragma once

#include "html/document/inline/Section.h"

class TPreFormated : public TSection {
 public:
  TPreFormated(ThtDocument* document, const TUrlTarget* linkTarget, TProperties& properties,
               TAttributeList* attributes);
  TPreFormated(ThtDocument* document, const TPreFormated& source) : TSection(document, source), textFinished_(true) {}

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  // No folding: one space is appended behind the last character, and the text is done.
  void FinishText(int endSourcePosition) override;
  // The width of the whole text (its final space aside); the minimum is that width, at
  // most 6000 pixels. With word breaking, as any text.
  void MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) override;
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override;

 private:
  int cachedWidth_ = -1;
  bool textFinished_ = false;
};
