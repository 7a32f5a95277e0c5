// TBitmap: a device-independent bitmap of 1, 4, 8, 15, 16, 24 or 32 bits per pixel with
// its colour table, scan-line access, pixel format changes, a transparent colour and
// masks, loading and saving as BMP, and a 32-bit pixel buffer for drawing on it.
//
// Drawing: Canvas() is a canvas with a raster device context on the buffer that BeginDraw
// hands out (for pfDevice and pf32bit the bitmap's own pixels, for the other formats a
// 32-bit copy). The canvas takes the buffer afresh before each of its drawing operations,
// and so does every call of Canvas(); the bitmap writes a copy back into its pixels
// (nearest palette colour for the indexed formats) before any other access. Whoever draws
// through Canvas().Handle() directly calls Canvas() again after changing the bitmap.
// The device context writes the fourth byte of the 32-bit pixels it draws as 0, so pixels
// drawn on a bitmap with AlphaFormat afDefined become transparent.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/Colors.h"
#include "platform/gdi/bitmaps/DibImage.h"
#include "platform/gdi/bitmaps/Graphic.h"
#include "platform/gdi/dc/PixelBuffer.h"

class TBitmapCanvas;
class TCanvas;

enum TTransparentMode { tmAuto, tmFixed };
enum TBitmapHandleType { bmDIB, bmDDB };
// Whether the fourth byte of 32-bit pixels is alpha (straight, not premultiplied).
enum TAlphaFormat { afIgnored, afDefined };

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = pfDevice);
  // Copies pixels and properties; the copy gets its own canvas when asked for one.
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap() override;

  // BMP files (any header, depth and compression DecodeBmp reads); saved as EncodeBmp does.
  // Loading reads from the stream's position and leaves it behind the file (by the size in
  // its header), so that several pictures can follow one another in a stream.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  // A packed BITMAPINFO (header, masks, colour table, bits in one block) or a BITMAPINFO
  // and its bits apart, and back (rows from the bottom, as EncodeDib writes them).
  void LoadFromPackedDib(std::string_view packed);
  void LoadFromDib(std::string_view info, std::string_view bits);
  std::string SaveToPackedDib() const;

  int Width() const override;
  int Height() const override;
  bool Empty() const override;
  // Size changes keep the pixels at the top left; new pixels are black (index 0).
  void SetWidth(int width);
  void SetHeight(int height);
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return image_.Format(); }
  // Converts the pixels (see ConvertPixelFormat).
  void SetPixelFormat(TPixelFormat format);
  TBitmapHandleType HandleType() const { return image_.Format() == pfDevice ? bmDDB : bmDIB; }
  bool Monochrome() const { return image_.Format() == pf1bit; }
  TAlphaFormat AlphaFormat() const { return alphaFormat_; }
  void SetAlphaFormat(TAlphaFormat format) { alphaFormat_ = format; }

  // Row `row` from the top in the pixel format's own layout; raises
  // EInvalidGraphicOperation outside 0..Height-1.
  uint8_t* ScanLine(int row);
  const uint8_t* ScanLine(int row) const;

  // Colour of a pixel (red in the low byte); outside the bitmap -1 like a device context.
  TColor GetPixel(int x, int y) const;
  // Stores a colour (system colours resolved; nearest palette entry for indexed formats);
  // outside the bitmap nothing happens.
  void SetPixel(int x, int y, TColor color);

  const std::vector<TRGBQuad>& Palette() const;
  void SetPalette(std::vector<TRGBQuad> palette);

  // tmAuto: the lower-left pixel's colour; tmFixed: the colour set. clDefault when empty.
  TColor TransparentColor() const;
  // Sets the colour and switches to tmFixed.
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }

  // A 1-bit bitmap of the same size: white (1) where the pixel has `color`, black (0)
  // elsewhere. Empty for an empty bitmap.
  std::unique_ptr<TBitmap> CreateMask(TColor color) const;
  // The mask of the transparent colour.
  std::unique_ptr<TBitmap> TransparentMask() const { return CreateMask(TransparentColor()); }

  // The pixels; the reference is valid until the next change of size or format.
  const TDibImage& Image() const;
  // Replaces size, format, colour table and pixels.
  void SetImage(TDibImage image, TAlphaFormat alphaFormat = afIgnored);

  void AssignTo(TBitmap& target) const override;
  // Stretches the pixels into `rect` with the canvas' CopyMode; a transparent bitmap keeps
  // the destination where it has its transparent colour (AND with a mask that is black
  // where the bitmap is opaque, then OR with the opaque pixels); a 32-bit bitmap with
  // AlphaFormat afDefined is blended over the destination by its alpha.
  void Draw(TCanvas& canvas, const TRect& rect) override;
  void Assign(const TGraphic& source) { source.AssignTo(*this); }

  // The 32-bit pixel buffer to draw on (empty for an empty bitmap); Monochrome for 1 bit.
  TPixelBuffer BeginDraw();
  // The same buffer for reading only (drawing the bitmap somewhere else): it is not written
  // back into the pixels, so reading costs nothing when the bitmap is used again. Valid
  // until the bitmap is next changed.
  TPixelBuffer ReadPixels() const;
  // The canvas on the bitmap, made on first use; its device context now holds the current pixels.
  TCanvas& Canvas();

 private:
  void Flush() const;  // writes a drawn-on copy back into image_
  void Reallocated();  // image_ was replaced

  mutable TDibImage image_;
  // The 32-bit copy of the pixels for formats other than 32 bits.
  mutable std::vector<uint32_t> drawCopy_;
  mutable bool copyValid_ = false;  // drawCopy_ shows the pixels (or newer ones)
  mutable bool copyDirty_ = false;  // drawCopy_ was handed out for drawing: it may be newer
  TAlphaFormat alphaFormat_ = afIgnored;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
  std::unique_ptr<TBitmapCanvas> canvas_;
};
