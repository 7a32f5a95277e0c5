#include "pdf/images/PdfImage.h"

#include <cstring>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/images/VevPicture.h"
#include "pdf/objects/PdfExceptions.h"

namespace {

// "<", then for each of the 256 entries its red, green and blue as two hexadecimal digits
// each and a blank after the entry, then ">": 1,794 characters.
std::string PaletteHex(const std::vector<TRGBQuad>& palette) {
  std::string hex = "<";
  for (const TRGBQuad& q : palette) {
    for (uint8_t v : {q.rgbRed, q.rgbGreen, q.rgbBlue}) {
      hex += HexDigitUpper(v >> 4);
      hex += HexDigitUpper(v);
    }
    hex += ' ';
  }
  hex += '>';
  return hex;
}

}  // namespace

TPdfImage::TPdfImage(TPdfDocument& document, const TGraphic& picture, TStart)
    : TPdfXObject(&document.Xref(), document.CompressStreams, document.CodePage()) {
  if (picture.Empty()) throw EPdfInvalidValue(S("TPdfImage"));
  PixelWidth = picture.Width();
  PixelHeight = picture.Height();
  Attributes().AddItem("Type", std::make_unique<TPdfName>("XObject"));
  Attributes().AddItem("Subtype", std::make_unique<TPdfName>("Image"));
}

TPdfImage::TPdfImage(TPdfDocument& document, const TBitmap& bitmap) : TPdfImage(document, bitmap, TStart{}) {
  WriteBitmap(bitmap);
  WriteSize();
}

TPdfImage::TPdfImage(TPdfDocument& document, TGraphic& picture) : TPdfImage(document, picture, TStart{}) {
  if (auto* jpeg = dynamic_cast<TJpegImage*>(&picture)) {
    WriteJpeg(document, *jpeg);
  } else if (auto* bitmap = dynamic_cast<const TBitmap*>(&picture)) {
    WriteBitmap(*bitmap);
  } else {
    TDibImage white(PixelWidth, PixelHeight, pf24bit);
    std::memset(white.Bits(), 0xFF, white.BitsSize());
    TBitmap drawn;
    drawn.SetImage(std::move(white));
    picture.Draw(drawn.Canvas(), TRect{0, 0, PixelWidth, PixelHeight});
    WriteBitmap(drawn);
  }
  WriteSize();
}

void TPdfImage::WriteSize() {
  Attributes().AddItem("Width", std::make_unique<TPdfNumber>(PixelWidth));
  Attributes().AddItem("Height", std::make_unique<TPdfNumber>(PixelHeight));
  Attributes().AddItem("BitsPerComponent", std::make_unique<TPdfNumber>(8));
}

void TPdfImage::WriteJpeg(TPdfDocument& document, TJpegImage& jpeg) {
  TStringStream file;
  if (document.BitmapsAsJpeg != 0) {
    jpeg.JpegQuality = document.BitmapsAsJpeg;
    jpeg.SaveToStream(file);
  } else {
    jpeg.TVevPicture::SaveToStream(file);
  }
  const std::string& bytes = file.DataString();
  // The colour space the file itself declares; Adobe's CMYK files store inverted samples.
  TJpegInfo info = ReadJpegInfo(bytes);
  const char* space = info.colorSpace == TJpegColorSpace::Gray  ? "DeviceGray"
                      : info.colorSpace == TJpegColorSpace::RGB ? "DeviceRGB"
                                                                : "DeviceCMYK";
  Attributes().AddItem("ColorSpace", std::make_unique<TPdfName>(space));
  if (info.components == 4 && info.adobeInverted)
    Attributes().AddItem("Decode", TPdfArray::FromIntegers(&document.Xref(), {1, 0, 1, 0, 1, 0, 1, 0}));
  Filter()->RemoveName("FlateDecode");
  Filter()->AddItem(std::make_unique<TPdfName>("DCTDecode"));
  Writer().Add(bytes);
}

void TPdfImage::WriteBitmap(const TBitmap& bitmap) {
  const TDibImage& source = bitmap.Image();
  if (IsIndexedFormat(source.Format())) {
    TDibImage indexed = source.Format() == pf8bit ? source : ConvertPixelFormat(source, pf8bit);
    auto space = std::make_unique<TPdfArray>();
    space->AddItem(std::make_unique<TPdfName>("Indexed"));
    space->AddItem(std::make_unique<TPdfName>("DeviceRGB"));
    space->AddItem(std::make_unique<TPdfNumber>(255));
    space->AddItem(std::make_unique<TPdfRawText>(PaletteHex(indexed.Palette())));
    Attributes().AddItem("ColorSpace", std::move(space));
    for (int y = 0; y < indexed.Height(); ++y) Writer().Add(indexed.ScanLine(y), size_t(PixelWidth));
    return;
  }
  Attributes().AddItem("ColorSpace", std::make_unique<TPdfName>("DeviceRGB"));
  bool direct = source.Format() == pf24bit || source.Format() == pf32bit || source.Format() == pfDevice;
  TDibImage converted = direct ? TDibImage() : ConvertPixelFormat(source, pf24bit);
  const TDibImage& rgb = direct ? source : converted;
  size_t step = rgb.BitsPerPixel() / 8;
  for (int y = 0; y < rgb.Height(); ++y) Writer().AddRGB(rgb.ScanLine(y), step, size_t(PixelWidth));
}
