#include "platform/gdi/fonts/FontCache.h"

#include <list>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>

namespace {

struct TLogFontLess {
  bool operator()(const TLogFont& a, const TLogFont& b) const {
    auto key = [](const TLogFont& f) {
      return std::tie(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline,
                      f.lfStrikeOut, f.lfCharSet, f.lfPitchAndFamily, f.lfFaceName);
    };
    return key(a) < key(b);
  }
};

class TFontCache {
 public:
  std::shared_ptr<const TRealizedFont> Get(const TLogFont& font) {
    TLogFont key = font;
    key.lfOutPrecision = key.lfClipPrecision = key.lfQuality = 0;  // no influence on the result
    if (key.lfFaceName.size() > 31) key.lfFaceName.resize(31);
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = index_.find(key);
    if (it != index_.end()) {
      recent_.splice(recent_.begin(), recent_, it->second);
      return it->second->second;
    }
    auto realized = std::make_shared<const TRealizedFont>(key);
    recent_.emplace_front(key, realized);
    index_.emplace(key, recent_.begin());
    if (recent_.size() > kFontCacheCapacity) {
      index_.erase(recent_.back().first);
      recent_.pop_back();
    }
    return realized;
  }

  size_t Size() {
    std::lock_guard<std::mutex> lock(mutex_);
    return recent_.size();
  }

 private:
  using TEntry = std::pair<TLogFont, std::shared_ptr<const TRealizedFont>>;
  std::mutex mutex_;
  std::list<TEntry> recent_;  // most recently used first
  std::map<TLogFont, std::list<TEntry>::iterator, TLogFontLess> index_;
};

TFontCache& Cache() {
  static TFontCache cache;
  return cache;
}

}  // namespace

std::shared_ptr<const TRealizedFont> RealizeFont(const TLogFont& font) { return Cache().Get(font); }

size_t FontCacheSize() { return Cache().Size(); }
