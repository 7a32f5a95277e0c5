// TJPEGImage: a JPEG picture that keeps the very bytes it was loaded from (so they can be
// passed on unchanged, e.g. into a PDF), its colour space and components, and a decoded
// bitmap; a picture assigned from a bitmap is encoded at CompressionQuality when saved.
#pragma once

#include <string>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/bitmaps/Graphic.h"
#include "platform/gdi/codecs/JpegCodec.h"

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage() = default;

  // Decodes at once, so a broken file raises EInvalidGraphic here (the picture unchanged).
  void LoadFromStream(TStream& stream) override;
  void LoadFromBytes(std::string bytes);
  // The loaded bytes unchanged; for a picture assigned from a bitmap a new encoding.
  void SaveToStream(TStream& stream) override;

  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  bool Empty() const override { return bitmap_.Empty(); }

  // The JPEG file: the loaded bytes, or an encoding of the assigned bitmap at
  // CompressionQuality (as a grey JPEG when Grayscale is set).
  std::string JpegData() const;
  // The header of the loaded file (or of the encoding an assigned bitmap will get).
  TJpegColorSpace ColorSpace() const;
  int Components() const;

  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality) { quality_ = quality; }
  bool Grayscale() const { return grayscale_; }
  void SetGrayscale(bool value) { grayscale_ = value; }

  // The decoded pixels: pf24bit, or pf8bit with a grey ramp for grey JPEGs.
  const TBitmap& Bitmap() const { return bitmap_; }
  // Takes a bitmap's pixels; the picture is encoded again when saved.
  void Assign(const TBitmap& source);
  void AssignTo(TBitmap& target) const override { target = bitmap_; }

 private:
  std::string data_;  // the loaded file; empty after Assign
  TJpegInfo info_;
  TBitmap bitmap_;
  int quality_ = 90;
  bool grayscale_ = false;
};
