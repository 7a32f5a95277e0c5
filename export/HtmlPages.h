// What the HTML-to-PDF document takes from a viewer: the size its document needs when laid
// out at a width, and the document cut into page metafiles.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "html/document/paging/PageBlockWidth.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/gdi/metafile/Metafile.h"

using TPageMetafiles = std::vector<std::unique_ptr<TMetafile>>;
using TTakePage = std::function<void(std::unique_ptr<TMetafile> page)>;

class THtmlPages {
 public:
  virtual ~THtmlPages() = default;
  // Needed width (the widest laid-out content) and height in pixels of the document laid
  // out for pages of width x height pixels; both 0 when width < 1. Pages asked for next at
  // that size may be drawn from this layout.
  virtual TSize MeasureDocument(int width, int height) = 0;
  // The document laid out at width pixels, its blocks widened to what cannot wrap or kept
  // at that width, and cut into pages of height pixels, each page a metafile of exactly
  // width x height pixels, handed to `take` in page order as soon as it is made; no page
  // when there is nothing to page. MeasureDocument measures blocks that widen.
  virtual void RenderEachPage(int width, int height, TPageBlockWidth blockWidth, const TTakePage& take) = 0;
  // How many pages RenderEachPage makes for the same arguments, found without making them.
  virtual int CountPages(int width, int height, TPageBlockWidth blockWidth) = 0;
  // Every page at once, in page order.
  TPageMetafiles RenderPageMetafiles(int width, int height, TPageBlockWidth blockWidth) {
    TPageMetafiles pages;
    RenderEachPage(width, height, blockWidth,
                   [&pages](std::unique_ptr<TMetafile> page) { pages.push_back(std::move(page)); });
    return pages;
  }
};
