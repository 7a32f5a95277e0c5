#include "platform/gdi/fonts/FontHandle.h"

#include <map>
#include <mutex>
#include <tuple>

#include "platform/rtl/Unicode.h"

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
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    auto realized = std::make_shared<const TRealizedFont>(key);
    fonts_.emplace(key, realized);
    return realized;
  }

 private:
  std::mutex mutex_;
  std::map<TLogFont, std::shared_ptr<const TRealizedFont>, TLogFontLess> fonts_;
};

TFontCache& Cache() {
  static TFontCache cache;
  return cache;
}

}  // namespace

struct TFontHandle::TData {
  TLogFont Font;
  std::once_flag Once;
  std::shared_ptr<const TRealizedFont> Realized;
};

TFontHandle TFontHandle::Create(const TLogFont& font) {
  TFontHandle h;
  h.data_ = std::make_shared<TData>();
  h.data_->Font = font;
  return h;
}

const TLogFont& TFontHandle::LogFont() const { return data_ ? data_->Font : DefaultLogFont(); }

const TRealizedFont& TFontHandle::Realized() const {
  if (!data_) {
    static const std::shared_ptr<const TRealizedFont> defaultFont = RealizeFont(DefaultLogFont());
    return *defaultFont;
  }
  std::call_once(data_->Once, [this] { data_->Realized = RealizeFont(data_->Font); });
  return *data_->Realized;
}

const TLogFont& DefaultLogFont() {
  static const TLogFont font = [] {
    TLogFont f;
    f.lfHeight = 16;
    f.lfWeight = FW_BOLD;
    f.lfFaceName = S("System");
    return f;
  }();
  return font;
}

std::shared_ptr<const TRealizedFont> RealizeFont(const TLogFont& font) { return Cache().Get(font); }
