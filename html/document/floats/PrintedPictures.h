// The pictures of a printing copy as they go into its pages. A picture drawn at far less
// than its own size goes in reduced (PictureReduction.h) instead of with all of its pixels:
// made once for each picture and drawn size, and shared by every place that draws it so.
#pragma once

#include <compare>
#include <map>
#include <memory>

#include "html/foundation/images/ImageLoading.h"

class TPrintedPictures {
 public:
  // The picture of the image (a bitmap, or one with alpha, laid on white) to draw at width x
  // height; nil when it goes in as it is. The image is held while its reductions are kept.
  const TBitmap* Reduced(const std::shared_ptr<TImageObject>& image, const TBitmap& picture, bool onWhite, int width,
                         int height);
  int Count() const { return static_cast<int>(reduced_.size()); }

 private:
  struct TKey {
    const TBitmap* Picture;
    int Width, Height;
    auto operator<=>(const TKey&) const = default;
  };
  struct TEntry {
    std::shared_ptr<TImageObject> Image;  // keeps Picture, and so the key, alive
    std::unique_ptr<TBitmap> Bitmap;
  };
  std::map<TKey, TEntry> reduced_;
};
