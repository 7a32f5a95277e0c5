#include "html/foundation/images/GdiPlusImages.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/GifCodec.h"
#include "platform/gdi/codecs/ImageFormat.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/gdi/codecs/TiffCodec.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"

namespace {

int references = 0;

constexpr int kInvalidParameter = 2;  // the status of data that is no image
constexpr int kOutOfMemory = 3;

[[noreturn]] void Raise(const char* format, int a, int b = 0, int c = 0) {
  char text[128];
  std::snprintf(text, sizeof text, format, a, b, c);
  throw EGDIPlus(Utf8ToString(text));
}

// All pixels opaque.
TDibImage Opaque(TDibImage image) {
  for (int y = 0; y < image.Height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image.ScanLine(y));
    for (int x = 0; x < image.Width(); ++x) row[x] |= 0xFF000000u;
  }
  return image;
}

TDibImage WithAlpha(TDibImage image, bool hasAlpha) {
  TDibImage out = ConvertPixelFormat(image, pf32bit);
  return hasAlpha ? out : Opaque(std::move(out));
}

// 32-bit pixels with straight alpha: GIF transparency becomes alpha 0.
TDibImage Decode(std::string_view data) {
  switch (DetectImageFormat(data)) {
    case TImageFormat::Png: {
      TDecodedPng png = DecodePng(data);
      return WithAlpha(std::move(png.image), png.hasAlpha);
    }
    case TImageFormat::Tiff: {
      TDecodedTiff tiff = DecodeTiff(data);
      return WithAlpha(std::move(tiff.image), tiff.hasAlpha);
    }
    case TImageFormat::Jpeg: return WithAlpha(DecodeJpeg(data), false);
    case TImageFormat::Bmp: return WithAlpha(DecodeBmp(data), false);
    case TImageFormat::Gif: {
      TDecodedGif gif = DecodeGif(data);
      TDibImage out = ConvertPixelFormat(gif.image, pf32bit);
      for (int y = 0; y < out.Height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(out.ScanLine(y));
        for (int x = 0; x < out.Width(); ++x)
          row[x] = gif.image.GetIndex(x, y) == gif.transparentIndex ? 0 : (row[x] | 0xFF000000u);
      }
      return out;
    }
    default: Raise("Can't load image stream. GDI error %d", kInvalidParameter);
  }
}

}  // namespace

void AcquireGdiPlus() { ++references; }
void ReleaseGdiPlus() {
  if (references > 0) --references;
}
bool GdiPlusAvailable() { return references > 0; }

std::unique_ptr<TGpImage> TGpImage::CreateFromStream(TStream& stream) {
  std::string data = ReadRestOfStream(stream);
  std::unique_ptr<TGpImage> image(new TGpImage());
  TDibImage pixels;
  try {
    pixels = Decode(data);
  } catch (const EInvalidGraphic&) {
    Raise("Can't load image stream. GDI error %d", kInvalidParameter);
  }
  image->Pixels.SetImage(std::move(pixels), afDefined);
  return image;
}

std::unique_ptr<TBitmap> TGpImage::ToBitmap() const {
  auto bitmap = std::make_unique<TBitmap>(GetWidth(), GetHeight(), pfDevice);
  TDeviceContext& dc = bitmap->Canvas().Handle();
  dc.PatBlt(0, 0, GetWidth(), GetHeight(), WHITENESS);
  TGpGraphics(dc).DrawImageRect(*this, 0, 0, GetWidth(), GetHeight());
  bitmap->Canvas();  // the drawn pixels back into the bitmap
  return bitmap;
}

TGpBitmap::TGpBitmap(int width, int height) {
  try {
    Pixels.SetImage(TDibImage(width, height, pf32bit), afDefined);
  } catch (const EInvalidGraphic&) {
    Raise("Can't create bitmap of size %d x %d. GDI error %d", width, height, kOutOfMemory);
  }
}

void TGpGraphics::DrawImageRect(const TGpImage& image, int x, int y, int width, int height) {
  DrawImageRectRect(image, x, y, width, height, 0, 0, image.GetWidth(), image.GetHeight());
}

void TGpGraphics::DrawImageAt(const TGpImage& image, int x, int y) {
  DrawImageRect(image, x, y, image.GetWidth(), image.GetHeight());
}

void TGpGraphics::DrawImagePart(const TGpImage& image, int x, int y, int srcX, int srcY, int srcWidth,
                                int srcHeight) {
  DrawImageRectRect(image, x, y, srcWidth, srcHeight, srcX, srcY, srcWidth, srcHeight);
}

void TGpGraphics::DrawImageRectRect(const TGpImage& image, int x, int y, int width, int height, int srcX, int srcY,
                                    int srcWidth, int srcHeight) {
  // The source rectangle cut to the image; nothing to draw from an empty part.
  int left = std::max(srcX, 0), top = std::max(srcY, 0);
  int right = std::min(srcX + srcWidth, image.GetWidth()), bottom = std::min(srcY + srcHeight, image.GetHeight());
  if (right <= left || bottom <= top || width <= 0 || height <= 0) return;
  const TDibImage& from = image.Bitmap().Image();
  TDibImage part(right - left, bottom - top, pf32bit);
  for (int row = top; row < bottom; ++row)
    std::memcpy(part.ScanLine(row - top), from.ScanLine(row) + left * 4, static_cast<size_t>(right - left) * 4);
  TBitmap piece;
  piece.SetImage(std::move(part), afDefined);
  // Destination of the part that lies inside the image, in the scaled world.
  double fx = static_cast<double>(width) / srcWidth, fy = static_cast<double>(height) / srcHeight;
  auto sx = [&](double v) { return static_cast<int>(std::lround(v * scaleX_)); };
  auto sy = [&](double v) { return static_cast<int>(std::lround(v * scaleY_)); };
  TRect dest{sx(x + (left - srcX) * fx), sy(y + (top - srcY) * fy), sx(x + (right - srcX) * fx),
             sy(y + (bottom - srcY) * fy)};
  TCanvas canvas(&dc_);
  piece.Draw(canvas, dest);
}

void TGpGraphics::Clear(TColor color) {
  TRect box;
  dc_.GetClipBox(box);
  dc_.FillRect(box, CreateSolidBrush(ColorToRGB(color)));
}

void TGpGraphics::ScaleBy(double scaleX, double scaleY) {
  scaleX_ *= scaleX;
  scaleY_ *= scaleY;
}
