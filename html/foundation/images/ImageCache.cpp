#include "html/foundation/images/ImageCache.h"

#include <algorithm>

#include "platform/rtl/Compare.h"

TBitmapItem::TBitmapItem(TImageObject image, std::unique_ptr<TBitmap> mask, uint8_t transparency)
    : Transparency(transparency),
      Image(std::make_shared<TImageObject>(std::move(image))),
      ImageMask(std::move(mask)) {}

TStringBitmapList::TStringBitmapList() { AcquireGdiPlus(); }

TStringBitmapList::~TStringBitmapList() {
  items_.clear();
  ReleaseGdiPlus();
}

int TStringBitmapList::IndexOf(const String& key) const {
  auto it = std::lower_bound(items_.begin(), items_.end(), key,
                             [](const auto& item, const String& k) { return AnsiCompareText(item.first, k) < 0; });
  if (it == items_.end() || AnsiCompareText(it->first, key) != 0) return -1;
  return static_cast<int>(it - items_.begin());
}

void AddImageItem(TStringBitmapList& list, const String& key, std::unique_ptr<TBitmapItem> item) {
  item->UseCount += 1;
  auto it = std::upper_bound(list.items_.begin(), list.items_.end(), key,
                             [](const String& k, const auto& entry) { return AnsiCompareText(k, entry.first) < 0; });
  list.items_.emplace(it, key, std::move(item));
}

std::shared_ptr<TImageObject> TStringBitmapList::AcquireImage(int index) {
  TBitmapItem& item = ItemAt(index);
  item.Age = 0;
  item.UseCount += 1;
  return item.Image;
}

void TStringBitmapList::ReleaseImage(const String& key) {
  int index = IndexOf(key);
  if (index >= 0) ItemAt(index).UseCount -= 1;
}

void TStringBitmapList::DropOlderThan(int age) {
  for (size_t i = items_.size(); i-- > 0;) {
    const TBitmapItem& item = *items_[i].second;
    if (item.Age > age && item.UseCount <= 0) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

void TStringBitmapList::AgeItems() {
  for (auto& entry : items_) entry.second->Age += 1;
  DropOlderThan(maxAge_);
}

void TStringBitmapList::SetMaxAge(int n) {
  DropOlderThan(n);
  maxAge_ = n;
}
