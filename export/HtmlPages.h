// What the HTML-to-PDF document takes from a viewer: the size its document needs when laid
// out at a width, and the document cut into page metafiles.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/geometry/Geometry.h"
#include "platform/gdi/metafile/Metafile.h"

using TPageMetafiles = std::vector<std::unique_ptr<TMetafile>>;

class THtmlPages {
 public:
  virtual ~THtmlPages() = default;
  // Needed width (the widest laid-out content) and height in pixels of the document laid
  // out at width pixels; both 0 when width < 1.
  virtual TSize MeasureDocument(int width) = 0;
  // The document laid out at width pixels and cut into pages of height pixels, each page a
  // metafile of exactly width x height pixels, in page order; empty when there is nothing
  // to page.
  virtual TPageMetafiles RenderPageMetafiles(int width, int height) = 0;
};
