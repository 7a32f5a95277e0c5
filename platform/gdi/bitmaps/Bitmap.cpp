#include "platform/gdi/bitmaps/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/gdi/bitmaps/BitmapCanvas.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/ByteReader.h"
#include "platform/gdi/codecs/DibDecoder.h"

namespace {
bool Has32BitPixels(TPixelFormat f) { return f == pf32bit || f == pfDevice; }
}  // namespace

TBitmap::TBitmap(int width, int height, TPixelFormat format) : image_(width, height, format) {}

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

TCanvas& TBitmap::Canvas() {
  if (!canvas_)
    canvas_ = std::make_unique<TBitmapCanvas>(*this);
  else
    canvas_->SelectPixels();
  return *canvas_;
}

TBitmap::TBitmap(const TBitmap& other) : TGraphic(other) {
  other.Flush();
  image_ = other.image_;
  alphaFormat_ = other.alphaFormat_;
  transparentMode_ = other.transparentMode_;
  transparentColor_ = other.transparentColor_;
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this != &other) {
    TGraphic::operator=(other);
    other.Flush();
    image_ = other.image_;
    copyValid_ = copyDirty_ = false;
    alphaFormat_ = other.alphaFormat_;
    transparentMode_ = other.transparentMode_;
    transparentColor_ = other.transparentColor_;
    Reallocated();
  }
  return *this;
}

void TBitmap::LoadFromStream(TStream& stream) {
  std::int64_t start = stream.Position();
  std::string bytes = ReadRestOfStream(stream);
  SetImage(DecodeBmp(bytes));
  // The stream is left behind the file, as its header gives the file's size.
  uint32_t fileSize = ReadU32(bytes, 2);
  if (fileSize >= 14 && fileSize < bytes.size()) stream.SetPosition(start + fileSize);
}

void TBitmap::SaveToStream(TStream& stream) {
  std::string bytes = EncodeBmp(Image());
  stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TBitmap::LoadFromPackedDib(std::string_view packed) { SetImage(DecodePackedDib(packed)); }

void TBitmap::LoadFromDib(std::string_view info, std::string_view bits) { SetImage(DecodeDib(info, bits)); }

std::string TBitmap::SaveToPackedDib() const {
  TPackedDib dib = EncodeDib(Image());
  return dib.info + dib.bits;
}

int TBitmap::Width() const { return image_.Width(); }
int TBitmap::Height() const { return image_.Height(); }
bool TBitmap::Empty() const { return image_.Empty(); }

void TBitmap::SetWidth(int width) { SetSize(width, image_.Height()); }
void TBitmap::SetHeight(int height) { SetSize(image_.Width(), height); }

void TBitmap::SetSize(int width, int height) {
  if (width == image_.Width() && height == image_.Height()) return;
  Flush();
  if (width <= 0 || height <= 0) {
    image_ = TDibImage(0, 0, image_.Format());
    Reallocated();
    return;
  }
  TDibImage resized(width, height, image_.Format());
  resized.SetPalette(image_.Palette());
  int rows = std::min(height, image_.Height());
  int columns = std::min(width, image_.Width());
  // Whole bytes are copied; the pixels of a partly used last byte one by one, so that no
  // padding bits of the old rows turn into pixels.
  size_t wholeBytes = size_t(columns) * size_t(image_.BitsPerPixel()) / 8;
  int copiedColumns = int(wholeBytes * 8 / size_t(image_.BitsPerPixel()));
  for (int y = 0; y < rows; ++y) {
    std::memcpy(resized.ScanLine(y), image_.ScanLine(y), wholeBytes);
    for (int x = copiedColumns; x < columns; ++x) resized.SetIndex(x, y, image_.GetIndex(x, y));
  }
  image_ = std::move(resized);
  Reallocated();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == image_.Format()) return;
  Flush();
  image_ = ConvertPixelFormat(image_, format);
  Reallocated();
}

uint8_t* TBitmap::ScanLine(int row) {
  Flush();
  copyValid_ = false;  // the caller may write through the pointer
  return image_.ScanLine(row);
}

const uint8_t* TBitmap::ScanLine(int row) const {
  Flush();
  return image_.ScanLine(row);
}

TColor TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.Width() || y >= image_.Height()) return -1;
  if (copyDirty_) return TColor(PixelToColorRef(drawCopy_[size_t(y) * size_t(image_.Width()) + size_t(x)]));
  return TColor(PixelToColorRef(image_.GetRgb(x, y)));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= image_.Width() || y >= image_.Height()) return;
  Flush();
  copyValid_ = false;
  image_.SetRgb(x, y, ColorRefToPixel(ColorToRGB(color)));
}

const std::vector<TRGBQuad>& TBitmap::Palette() const { return image_.Palette(); }

void TBitmap::SetPalette(std::vector<TRGBQuad> palette) {
  Flush();
  copyValid_ = false;
  image_.SetPalette(std::move(palette));
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (image_.Empty()) return clDefault;
  return GetPixel(0, image_.Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = tmFixed;
}

std::unique_ptr<TBitmap> TBitmap::CreateMask(TColor color) const {
  auto mask = std::make_unique<TBitmap>();
  if (image_.Empty()) return mask;
  Flush();
  *mask = TBitmap(image_.Width(), image_.Height(), pf1bit);
  uint32_t key = ColorRefToPixel(ColorToRGB(color));
  for (int y = 0; y < image_.Height(); ++y)
    for (int x = 0; x < image_.Width(); ++x)
      if (image_.GetRgb(x, y) == key) mask->image_.SetIndex(x, y, 1);
  return mask;
}

const TDibImage& TBitmap::Image() const {
  Flush();
  return image_;
}

void TBitmap::SetImage(TDibImage image, TAlphaFormat alphaFormat) {
  image_ = std::move(image);
  alphaFormat_ = alphaFormat;
  Reallocated();
}

void TBitmap::Reallocated() {
  copyValid_ = copyDirty_ = false;
  // The device context of the canvas must not keep pointing at the old pixels.
  if (canvas_) canvas_->SelectPixels();
}

void TBitmap::AssignTo(TBitmap& target) const {
  if (&target != this) target = *this;
}

TPixelBuffer TBitmap::BeginDraw() {
  TPixelBuffer buffer = ReadPixels();
  if (!Has32BitPixels(image_.Format())) copyDirty_ = true;
  return buffer;
}

TPixelBuffer TBitmap::ReadPixels() const {
  TPixelBuffer buffer;
  if (image_.Empty()) return buffer;
  buffer.Width = image_.Width();
  buffer.Height = image_.Height();
  if (Has32BitPixels(image_.Format())) {
    buffer.Stride = int(image_.Stride());
    buffer.Pixels = reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(image_.Bits()));
    return buffer;
  }
  if (!copyValid_) {
    drawCopy_.resize(size_t(image_.Width()) * size_t(image_.Height()));
    for (int y = 0; y < image_.Height(); ++y)
      for (int x = 0; x < image_.Width(); ++x)
        drawCopy_[size_t(y) * size_t(image_.Width()) + size_t(x)] = image_.GetRgb(x, y);
    copyValid_ = true;
  }
  buffer.Stride = image_.Width() * 4;
  buffer.Pixels = drawCopy_.data();
  buffer.Monochrome = image_.Format() == pf1bit;
  return buffer;
}

void TBitmap::Flush() const {
  if (!copyDirty_) return;
  copyDirty_ = false;
  std::unordered_map<uint32_t, int> nearest;
  bool indexed = IsIndexedFormat(image_.Format());
  for (int y = 0; y < image_.Height(); ++y)
    for (int x = 0; x < image_.Width(); ++x) {
      uint32_t rgb = drawCopy_[size_t(y) * size_t(image_.Width()) + size_t(x)] & 0xFFFFFF;
      if (!indexed) {
        image_.SetRgb(x, y, rgb);
        continue;
      }
      auto it = nearest.find(rgb);
      if (it == nearest.end()) it = nearest.emplace(rgb, image_.NearestIndex(rgb)).first;
      image_.SetIndex(x, y, it->second);
    }
  // Only 24 bits hold every drawn colour exactly; the other formats may have changed it.
  copyValid_ = image_.Format() == pf24bit;
}
