#include "platform/gdi/codecs/JpegImage.h"

void TJPEGImage::LoadFromStream(TStream& stream) { LoadFromBytes(ReadRestOfStream(stream)); }

void TJPEGImage::LoadFromBytes(std::string bytes) {
  TJpegInfo info;
  TDibImage image = DecodeJpeg(bytes, &info);
  bitmap_.SetImage(std::move(image));
  info_ = info;
  grayscale_ = info.colorSpace == TJpegColorSpace::Gray;
  data_ = std::move(bytes);
}

std::string TJPEGImage::JpegData() const {
  if (!data_.empty()) return data_;
  return EncodeJpeg(bitmap_.Image(), quality_, grayscale_);
}

void TJPEGImage::SaveToStream(TStream& stream) {
  std::string bytes = JpegData();
  stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TJPEGImage::Assign(const TBitmap& source) {
  bitmap_ = source;
  bitmap_.SetPixelFormat(pf24bit);
  data_.clear();
}

TJpegColorSpace TJPEGImage::ColorSpace() const {
  if (!data_.empty()) return info_.colorSpace;
  return grayscale_ ? TJpegColorSpace::Gray : TJpegColorSpace::RGB;
}

int TJPEGImage::Components() const {
  if (!data_.empty()) return info_.components;
  return bitmap_.Empty() ? 0 : grayscale_ ? 1 : 3;
}
