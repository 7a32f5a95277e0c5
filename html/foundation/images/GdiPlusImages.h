// The engine's image layer for pictures with an alpha channel (PNG above all): images
// decoded by the graphics layer's codecs, kept as 32-bit pixels with straight alpha, and
// drawn blended onto a device context. The layer is started and stopped with a reference
// count, as the image caches do.
#pragma once

#include <memory>

#include "platform/gdi/Colors.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/rtl/Exceptions.h"

class TDeviceContext;
class TStream;

WENDREL_DECLARE_EXCEPTION(EGDIPlus, Exception);

void AcquireGdiPlus();
void ReleaseGdiPlus();
// Whether images may be made: true while a reference is held.
bool GdiPlusAvailable();

class TGpImage {
 public:
  // Decodes PNG, JPEG, GIF (first image), BMP or TIFF data from the stream's position.
  // Raises EGDIPlus "Can't load image stream. GDI error %d" (status 2, invalid parameter).
  static std::unique_ptr<TGpImage> CreateFromStream(TStream& stream);
  virtual ~TGpImage() = default;

  int GetWidth() const { return Pixels.Width(); }
  int GetHeight() const { return Pixels.Height(); }
  // A new bitmap of the image's size: white, with the image drawn on it.
  std::unique_ptr<TBitmap> ToBitmap() const;
  // 32-bit pixels with straight alpha (AlphaFormat afDefined).
  const TBitmap& Bitmap() const { return Pixels; }

 protected:
  TGpImage() = default;
  TBitmap Pixels;
};

// An empty (fully transparent) 32-bit image of a given size.
class TGpBitmap : public TGpImage {
 public:
  // Raises EGDIPlus "Can't create bitmap of size %d x %d. GDI error %d" for a size the
  // pixel budget refuses.
  TGpBitmap(int width, int height);
};

// Drawing of images onto a device context, blended by their alpha; a scale applied with
// ScaleBy multiplies every later destination.
class TGpGraphics {
 public:
  explicit TGpGraphics(TDeviceContext& dc) : dc_(dc) {}

  void DrawImageRect(const TGpImage& image, int x, int y, int width, int height);
  void DrawImageAt(const TGpImage& image, int x, int y);
  void DrawImagePart(const TGpImage& image, int x, int y, int srcX, int srcY, int srcWidth, int srcHeight);
  void DrawImageRectRect(const TGpImage& image, int x, int y, int width, int height, int srcX, int srcY,
                         int srcWidth, int srcHeight);
  void Clear(TColor color);
  void ScaleBy(double scaleX, double scaleY);

 private:
  TDeviceContext& dc_;
  double scaleX_ = 1, scaleY_ = 1;
};
