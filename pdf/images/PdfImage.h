// TPdfImage: one picture as an image XObject. A TJpegImage goes in as its JPEG file
// (/DCTDecode, the colour space of the file); a bitmap of 1, 4 or 8 bits as 8-bit palette
// indexes over an /Indexed /DeviceRGB colour space of 256 entries; every other picture as
// 24-bit RGB (pictures that are not bitmaps are drawn onto a white 24-bit bitmap first).
#pragma once

#include <array>
#include <cstdint>

#include "pdf/objects/PdfStream.h"

class TBitmap;
class TGraphic;
class TJpegImage;
class TPdfDocument;

class TPdfImage : public TPdfXObject {
 public:
  // Builds the whole image; the picture is not kept. The image is not registered (the
  // document's XObject registration does that). Raises EPdfInvalidValue "TPdfImage" for
  // an empty picture; a JPEG picture's own encoding errors pass on.
  TPdfImage(TPdfDocument& document, TGraphic& picture);
  // The same for a bitmap, which needs no drawing.
  TPdfImage(TPdfDocument& document, const TBitmap& bitmap);

  int32_t PixelHeight = 0;
  int32_t PixelWidth = 0;
  // The fingerprint of the bitmap the image was made of (all zero: none), by which the
  // document finds an identical image.
  std::array<uint32_t, 4> Hash{};

 private:
  struct TStart {};
  // The stream, the size and /Type and /Subtype, shared by both constructors.
  TPdfImage(TPdfDocument& document, const TGraphic& picture, TStart);
  void WriteSize();
  void WriteJpeg(TPdfDocument& document, TJpegImage& jpeg);
  void WriteBitmap(const TBitmap& bitmap);
};
