// A page-break marker: where printing ends the page.
#pragma once

#include "html/document/model/SectionBase.h"

class TPage : public TSectionBase {
 public:
  explicit TPage(ThtDocument* document) : TSectionBase(document) {}
  TPage(ThtDocument* document, const TPage& source) : TSectionBase(document, source) {}

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  // When printing, a marker more than 5 pixels below the page top and above the page
  // bottom ends the page there.
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;
};
