#include "platform/gdi/dc/PixelBuffer.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

TPixelImage::TPixelImage(int width, int height, uint32_t fill, bool monochrome) {
  if (width < 0 || height < 0 || static_cast<int64_t>(width) * height > (int64_t{1} << 28))
    throw EArgumentException(S("Ungültige Bildgröße"));
  storage_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill & 0xFFFFFF);
  buffer_ = {width, height, width * 4, storage_.empty() ? nullptr : storage_.data(), monochrome};
}

TPixelImage::TPixelImage(const TPixelImage& other) : storage_(other.storage_), buffer_(other.buffer_) {
  buffer_.Pixels = storage_.empty() ? nullptr : storage_.data();
}

TPixelImage& TPixelImage::operator=(const TPixelImage& other) {
  if (this != &other) {
    storage_ = other.storage_;
    buffer_ = other.buffer_;
    buffer_.Pixels = storage_.empty() ? nullptr : storage_.data();
  }
  return *this;
}

void TPixelImage::Fill(uint32_t pixel) { std::fill(storage_.begin(), storage_.end(), pixel & 0xFFFFFF); }
