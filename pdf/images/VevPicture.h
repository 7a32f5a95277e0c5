// The PDF engine's picture classes: TVevPicture holds one decoded image (PNG, JPEG, GIF,
// TIFF or BMP, recognised by its first bytes) together with the very bytes it was loaded
// from, or an image taken from a bitmap; it saves those bytes unchanged or encodes the
// image in a chosen format. The descendants differ in the format they encode into.
#pragma once

#include <string>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/bitmaps/Graphic.h"

// Format indexes of TVevPicture::SaveAs and RawFormat.
enum TVevImageFormat { vifGif = 0, vifPng = 1, vifJpeg = 2, vifBmp = 3, vifTiff = 4 };

// Results of TVevPicture::SaveAs.
enum TVevSaveStatus { vssOk = 0, vssGenericError = 1, vssInvalidParameter = 2 };

// TIFF compression values of TVevPicture::SaveAs; others mean LZW.
enum TVevTiffCompression {
  vtcLZW = 2,
  vtcCCITT3 = 3,  // the image as black and white
  vtcCCITT4 = 4,  // the image as black and white
  vtcRle = 5,     // PackBits
  vtcNone = 6
};

class TVevPicture : public TGraphic {
 public:
  TVevPicture() = default;

  // Reads the whole stream from position 0. Raises EInvalidGraphic for data no codec
  // reads; the picture is then empty. A zero-length stream gives an empty picture.
  void LoadFromStream(TStream& stream) override;
  // The bytes the picture was loaded from, unchanged; a picture taken from a bitmap is
  // encoded in the class's format (JPEG at quality 80). Raises EInvalidGraphicOperation
  // for an empty picture and when the encoding fails.
  void SaveToStream(TStream& stream) override;

  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  bool Empty() const override { return !HasContent(); }
  bool HasContent() const { return !bitmap_.Empty(); }
  // The picture was taken from a bitmap and has no file bytes.
  bool FromBitmap() const { return fromBitmap_; }
  // The file bytes (empty for a picture taken from a bitmap).
  const std::string& Data() const { return data_; }

  // The decoded pixels: 24 bits, or 32 bits with alpha for images with transparency.
  const TBitmap& Bitmap() const { return bitmap_; }
  void AssignTo(TBitmap& target) const override { target = bitmap_; }

  // A bitmap's pixels (FromBitmap); another graphic's saved bytes when a codec reads them,
  // else its pixels; an empty picture or graphic clears the picture.
  void Assign(const TGraphic& source);
  void Clear();

  // The format of the file bytes; vifBmp for a picture taken from a bitmap or an empty one.
  TVevImageFormat RawFormat() const;
  // Pixels per inch that the encodings of a picture taken from a bitmap record; 0 changes
  // nothing.
  void SetResolution(int dpi);
  int Resolution() const { return dpi_; }
  // Encodes the pixels in a format (TVevImageFormat) and writes them to the stream. `value`
  // is the JPEG quality (negative: the encoder's default of 75) or the TIFF compression
  // (TVevTiffCompression); other formats ignore it. A dpi other than 0 goes through
  // SetResolution first. An empty picture or an unknown format index writes nothing and
  // answers vssInvalidParameter; a failed encoding writes nothing and answers
  // vssGenericError.
  int SaveAs(TStream& stream, int format, int dpi, int value);

 protected:
  // The format a picture without file bytes is saved in.
  virtual TVevImageFormat SaveFormat() const { return RawFormat(); }

 private:
  std::string Encode(int format, int value) const;

  TBitmap bitmap_;
  std::string data_;
  bool fromBitmap_ = false;
  int dpi_ = 0;
};

class TPngImage : public TVevPicture {
 protected:
  TVevImageFormat SaveFormat() const override { return vifPng; }
};

class TGifImage : public TVevPicture {
 protected:
  TVevImageFormat SaveFormat() const override { return vifGif; }
};

class TTiffImage : public TVevPicture {
 protected:
  TVevImageFormat SaveFormat() const override { return vifTiff; }
};

class TJpegImage : public TVevPicture {
 public:
  // Always a new JPEG encoding of the pixels at JpegQuality, even for a picture loaded
  // from a JPEG file (whose bytes TVevPicture::SaveToStream writes unchanged).
  void SaveToStream(TStream& stream) override;

  int32_t JpegQuality = 80;

 protected:
  TVevImageFormat SaveFormat() const override { return vifJpeg; }
};
