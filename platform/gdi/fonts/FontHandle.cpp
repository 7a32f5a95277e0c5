#include "platform/gdi/fonts/FontHandle.h"

#include <mutex>

#include "platform/rtl/Unicode.h"

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
