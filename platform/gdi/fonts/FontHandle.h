// Font handles: cheap values standing for a logical font. The font is realised on first use
// through the process-wide font cache, so that handles of equal logical fonts share one realised font.
#pragma once

#include <memory>

#include "platform/gdi/fonts/FontCache.h"
#include "platform/gdi/fonts/RealizedFont.h"

class TFontHandle {
 public:
  // The null handle; a device context treats it as its default font.
  TFontHandle() = default;
  // CreateFontIndirect: a handle for a logical font.
  static TFontHandle Create(const TLogFont& font);

  bool IsNull() const { return data_ == nullptr; }
  // The logical font; the default font's for a null handle.
  const TLogFont& LogFont() const;
  // The realised font (looked up in the cache on first use).
  const TRealizedFont& Realized() const;

  friend bool operator==(const TFontHandle& a, const TFontHandle& b) { return a.data_ == b.data_; }

 private:
  struct TData;
  std::shared_ptr<TData> data_;
};

// The logical font a device context starts with.
const TLogFont& DefaultLogFont();
