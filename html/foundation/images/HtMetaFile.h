// ThtMetaFile: a metafile image with bitmaps rendered from it on demand (on black with a
// mask of the drawn pixels, and on white), each made at most once.
#pragma once

#include <memory>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/metafile/Metafile.h"

class ThtMetaFile : public TMetafile {
 public:
  TBitmap* GetRenderedBitmap();
  TBitmap* GetRenderedMask();
  TBitmap* GetWhiteBitmap();

 private:
  void RenderBitmaps();
  std::unique_ptr<TBitmap> RenderedBitmap, RenderedMask, WhiteBitmap;
};
