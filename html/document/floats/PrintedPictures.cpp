#include "html/document/floats/PrintedPictures.h"

#include "html/foundation/images/PictureReduction.h"

const TBitmap* TPrintedPictures::Reduced(const std::shared_ptr<TImageObject>& image, const TBitmap& picture,
                                         bool onWhite, int width, int height) {
  const TSize own{picture.Width(), picture.Height()};
  const TSize size = PrintedPictureSize(own, width, height);
  if (!image || (size.cx == own.cx && size.cy == own.cy)) return nullptr;
  const TKey key{&picture, size.cx, size.cy};
  auto found = reduced_.find(key);
  if (found == reduced_.end()) found = reduced_.emplace(key, TEntry{image, ReducePicture(picture, size, onWhite)}).first;
  return found->second.Bitmap.get();
}
