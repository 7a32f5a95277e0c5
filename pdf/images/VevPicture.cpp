#include "pdf/images/VevPicture.h"

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/GifCodec.h"
#include "platform/gdi/codecs/ImageFormat.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/gdi/codecs/TiffCodec.h"
#include "platform/rtl/Unicode.h"
#include "pdf/images/ImageResolution.h"

namespace {

TTiffCompression TiffCompressionOf(int value) {
  switch (value) {
    case vtcCCITT3: return TTiffCompression::CcittGroup3;
    case vtcCCITT4: return TTiffCompression::CcittGroup4;
    case vtcRle: return TTiffCompression::PackBits;
    case vtcNone: return TTiffCompression::None;
    default: return TTiffCompression::Lzw;
  }
}

bool IsPictureFormat(TImageFormat format) {
  return format == TImageFormat::Png || format == TImageFormat::Jpeg || format == TImageFormat::Gif ||
         format == TImageFormat::Tiff || format == TImageFormat::Bmp;
}

// 24 bits, or 32 bits with straight alpha when the image has transparency.
void TakePixels(TBitmap& bitmap, const TDibImage& image, bool hasAlpha) {
  if (hasAlpha)
    bitmap.SetImage(ConvertPixelFormat(image, pf32bit), afDefined);
  else
    bitmap.SetImage(image.Format() == pf24bit ? image : ConvertPixelFormat(image, pf24bit));
}

// A GIF's transparent index becomes alpha 0, every other pixel opaque.
TDibImage GifWithAlpha(const TDecodedGif& gif) {
  TDibImage rgba = ConvertPixelFormat(gif.image, pf32bit);
  for (int y = 0; y < rgba.Height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(rgba.ScanLine(y));
    for (int x = 0; x < rgba.Width(); ++x) {
      uint32_t alpha = gif.image.GetIndex(x, y) == gif.transparentIndex ? 0 : 0xFF000000u;
      row[x] = (row[x] & 0x00FFFFFFu) | alpha;
    }
  }
  return rgba;
}

TBitmap DecodePicture(const std::string& data) {
  TBitmap bitmap;
  switch (DetectImageFormat(data)) {
    case TImageFormat::Png: {
      TDecodedPng png = DecodePng(data);
      TakePixels(bitmap, png.image, png.hasAlpha);
      break;
    }
    case TImageFormat::Jpeg:
      TakePixels(bitmap, DecodeJpeg(data), false);
      break;
    case TImageFormat::Gif: {
      TDecodedGif gif = DecodeGif(data);
      if (gif.transparentIndex >= 0)
        TakePixels(bitmap, GifWithAlpha(gif), true);
      else
        TakePixels(bitmap, gif.image, false);
      break;
    }
    case TImageFormat::Tiff: {
      TDecodedTiff tiff = DecodeTiff(data);
      TakePixels(bitmap, tiff.image, tiff.hasAlpha);
      break;
    }
    case TImageFormat::Bmp:
      TakePixels(bitmap, DecodeBmp(data), false);
      break;
    default:
      throw EInvalidGraphic(S("Unbekanntes Bildformat"));
  }
  return bitmap;
}

}  // namespace

void TVevPicture::Clear() {
  bitmap_ = TBitmap();
  data_.clear();
  fromBitmap_ = false;
  dpi_ = 0;
}

void TVevPicture::LoadFromStream(TStream& stream) {
  Clear();
  int64_t size = stream.Size();
  if (size <= 0) return;
  std::string data(static_cast<size_t>(size), '\0');
  stream.SetPosition(0);
  stream.ReadBuffer(data.data(), size);
  bitmap_ = DecodePicture(data);
  data_ = std::move(data);
}

void TVevPicture::Assign(const TGraphic& source) {
  if (&source == this) return;
  Clear();
  if (source.Empty()) return;
  if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
    const TDibImage& image = bitmap->Image();
    TakePixels(bitmap_, image, image.Format() == pf32bit && bitmap->AlphaFormat() == afDefined);
    fromBitmap_ = true;
    return;
  }
  TStringStream saved;
  // Saving leaves a picture as it is; the base class just does not promise it.
  const_cast<TGraphic&>(source).SaveToStream(saved);
  if (IsPictureFormat(DetectImageFormat(saved.DataString()))) {
    LoadFromStream(saved);
    return;
  }
  // A picture no codec reads (a metafile): its pixels.
  TBitmap pixels;
  source.AssignTo(pixels);
  Assign(pixels);
}

TVevImageFormat TVevPicture::RawFormat() const {
  if (fromBitmap_ || data_.empty()) return vifBmp;
  switch (DetectImageFormat(data_)) {
    case TImageFormat::Gif: return vifGif;
    case TImageFormat::Png: return vifPng;
    case TImageFormat::Jpeg: return vifJpeg;
    case TImageFormat::Tiff: return vifTiff;
    default: return vifBmp;
  }
}

void TVevPicture::SetResolution(int dpi) {
  if (fromBitmap_ && dpi != 0) dpi_ = dpi;
}

std::string TVevPicture::Encode(int format, int value) const {
  const TDibImage& image = bitmap_.Image();
  int dpi = fromBitmap_ ? dpi_ : 0;
  switch (format) {
    case vifGif:
      return EncodeGif(image);
    case vifPng:
      return WithResolution(EncodePng(image, bitmap_.AlphaFormat() == afDefined), vifPng, dpi);
    case vifJpeg:
      return WithResolution(EncodeJpeg(image, value < 0 ? 75 : value), vifJpeg, dpi);
    case vifBmp:
      return WithResolution(EncodeBmp(image), vifBmp, dpi);
    default:
      return EncodeTiff(image, TiffCompressionOf(value), dpi);
  }
}

int TVevPicture::SaveAs(TStream& stream, int format, int dpi, int value) {
  if (!HasContent() || format < vifGif || format > vifTiff) return vssInvalidParameter;
  if (dpi != 0) SetResolution(dpi);
  std::string bytes;
  try {
    bytes = Encode(format, value);
  } catch (const EInvalidGraphicOperation&) {
    return vssGenericError;
  }
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return vssOk;
}

void TVevPicture::SaveToStream(TStream& stream) {
  if (!HasContent()) throw EInvalidGraphicOperation(S("Leeres Bild kann nicht gespeichert werden"));
  if (!fromBitmap_) {
    stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
    return;
  }
  if (SaveAs(stream, SaveFormat(), 0, 80) != vssOk) throw EInvalidGraphicOperation(S("Bild konnte nicht gespeichert werden"));
}

void TJpegImage::SaveToStream(TStream& stream) {
  if (!HasContent()) throw EInvalidGraphicOperation(S("Leeres Bild kann nicht gespeichert werden"));
  if (SaveAs(stream, vifJpeg, 0, JpegQuality) != vssOk)
    throw EInvalidGraphicOperation(S("Bild konnte nicht gespeichert werden"));
}
