// The viewer's image cache: loaded images by their source, kept from one document to the
// next; entries not used for more than MaxAge document loads are dropped. The images and
// masks are shared: whoever draws one holds it, so a dropped entry frees its image only
// once the last of them lets go.
#pragma once

#include <memory>
#include <vector>

#include "html/foundation/images/ImageLoading.h"
#include "platform/rtl/Types.h"

class TBitmapItem {
 public:
  TBitmapItem(TImageObject image, std::unique_ptr<TBitmap> mask, uint8_t transparency);

  int Age = 0;
  int UseCount = 0;
  uint8_t Transparency = itrNone;
  std::shared_ptr<TImageObject> Image;
  std::shared_ptr<TBitmap> ImageMask;
};

class TStringBitmapList {
 public:
  // Holds a reference to the image layer for its life.
  TStringBitmapList();
  ~TStringBitmapList();
  TStringBitmapList(const TStringBitmapList&) = delete;
  TStringBitmapList& operator=(const TStringBitmapList&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // Case-insensitive search in the sorted keys: the index, or -1.
  int IndexOf(const String& key) const;
  const String& Key(int index) const { return items_.at(static_cast<size_t>(index)).first; }
  TBitmapItem& ItemAt(int index) { return *items_.at(static_cast<size_t>(index)).second; }

  // The item's image; it becomes young again and counts one more user.
  std::shared_ptr<TImageObject> AcquireImage(int index);
  // One user fewer; nothing when the key is absent. The item stays cached.
  void ReleaseImage(const String& key);
  // Once per document load: every item ages by one; items older than MaxAge and unused go.
  void AgeItems();
  // Drops unused items older than n, then MaxAge = n.
  void SetMaxAge(int n);
  int MaxAge() const { return maxAge_; }
  void Clear() { items_.clear(); }

  // Adds the key with the item (sorted in) and counts one user.
  friend void AddImageItem(TStringBitmapList& list, const String& key, std::unique_ptr<TBitmapItem> item);

 private:
  void DropOlderThan(int age);
  std::vector<std::pair<String, std::unique_ptr<TBitmapItem>>> items_;
  int maxAge_ = 4;
};

void AddImageItem(TStringBitmapList& list, const String& key, std::unique_ptr<TBitmapItem> item);
