#include "html/foundation/images/ImageLoading.h"

#include <sys/stat.h>

#include <algorithm>

#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/images/ColourReduction.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/codecs/JpegImage.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"

namespace {

std::unique_ptr<TBitmap> MakeScreenBitmap(std::unique_ptr<TBitmap> bitmap) {
  bitmap->SetPixelFormat(pfDevice);
  return bitmap;
}

TImageObject LoadBmpImage(TStream& stream, uint8_t& transparency, std::unique_ptr<TBitmap>& mask) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromStream(stream);
  bitmap = AdaptBitmapToScreen(std::move(bitmap));
  if (transparency == itrLowerLeft) mask = ExtractImageMask(*bitmap, false, 0);
  return bitmap;
}

TImageObject LoadGifImage(TStream& stream, uint8_t& transparency, std::unique_ptr<TBitmap>& mask) {
  std::unique_ptr<TGIFImage> gif = DecodeGifToImage(stream);
  if (gif->MultiFrame) {
    transparency = itrNone;
    return gif;
  }
  auto bitmap = std::make_unique<TBitmap>(*gif->BuildStillBitmap());
  if (gif->HasMask) {
    mask = std::make_unique<TBitmap>(*gif->GetStillMask());
    transparency = itrMask;
  } else if (transparency == itrLowerLeft) {
    mask = ExtractImageMask(*bitmap, false, 0);
  } else {
    transparency = itrNone;
  }
  return bitmap;
}

TImageObject LoadPngImage(TStream& stream, uint8_t& transparency) {
  transparency = itrNone;
  if (!GdiPlusAvailable()) return std::monostate{};
  return TGpImage::CreateFromStream(stream);
}

TImageObject LoadJpegImage(TStream& stream, uint8_t& transparency) {
  transparency = itrNone;
  TJPEGImage jpeg;
  jpeg.LoadFromStream(stream);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->Assign(jpeg);
  bitmap->SetPixelFormat(ScreenColorDepth > 8 ? pf24bit : pf8bit);
  return AdaptBitmapToScreen(std::move(bitmap));
}

TImageObject LoadMetafileImage(TStream& stream, uint8_t& transparency) {
  transparency = itrNone;
  auto metafile = std::make_unique<ThtMetaFile>();
  try {
    metafile->LoadFromStream(stream);
  } catch (const EInvalidGraphic&) {
    return std::monostate{};  // no image of a known kind
  }
  return metafile;
}

}  // namespace

int SniffImageFormat(TStream& stream) {
  int64_t position = stream.Position();
  unsigned char head[4] = {0, 0, 0, 0};
  stream.SetPosition(0);
  stream.Read(head, 4);
  stream.SetPosition(position);
  if (head[0] == 'G' && head[1] == 'I' && head[2] == 'F' && head[3] == '8') return 2;
  if (head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') return 3;
  if (head[0] == 'B' && head[1] == 'M') return 1;
  if (head[0] == 0xFF && head[1] == 0xD8) return 4;
  return 0;
}

TImageObject ReadImageStream(TStream* stream, uint8_t& transparency, std::unique_ptr<TBitmap>& mask) {
  mask.reset();
  if (!stream || stream->Size() <= 3 || stream->Size() > MaxImageBytes) return std::monostate{};
  stream->SetPosition(0);
  switch (SniffImageFormat(*stream)) {
    case 1: return LoadBmpImage(*stream, transparency, mask);
    case 2: return LoadGifImage(*stream, transparency, mask);
    case 3: return LoadPngImage(*stream, transparency);
    case 4: return LoadJpegImage(*stream, transparency);
    default: return LoadMetafileImage(*stream, transparency);
  }
}

TImageObject ReadImageFile(const String& fileName, uint8_t& transparency, std::unique_ptr<TBitmap>& mask) {
  struct stat info;
  // Only a regular file is read: a FIFO or a device would block the open or never end.
  if (stat(StringToUtf8(fileName).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::monostate{};
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  return ReadImageStream(&stream, transparency, mask);
}

TSize ImageSizeOf(const TImageObject& image) {
  return std::visit(
      [](const auto& object) -> TSize {
        using T = std::decay_t<decltype(object)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          throw EGDIPlus(S("Not a TBitmap, TGifImage, TMetafile, or TGpImage"));
        } else if constexpr (std::is_same_v<T, std::unique_ptr<TGIFImage>>) {
          return {object->FrameWidth, object->FrameHeight};
        } else if constexpr (std::is_same_v<T, std::unique_ptr<TGpImage>>) {
          return {object->GetWidth(), object->GetHeight()};
        } else {
          return {object->Width(), object->Height()};
        }
      },
      image);
}

std::unique_ptr<TBitmap> ImageToBitmap(const TImageObject& image, int width, int height) {
  std::unique_ptr<TBitmap> source;
  if (const auto* gp = std::get_if<std::unique_ptr<TGpImage>>(&image))
    source = (*gp)->ToBitmap();
  else if (const auto* bitmap = std::get_if<std::unique_ptr<TBitmap>>(&image))
    source = std::make_unique<TBitmap>(**bitmap);
  else
    throw EInvalidCast(S("Ungültige Typumwandlung"));
  int w = source->Width(), h = source->Height();
  if (w == 1) w = std::min(width, 100);
  if (h == 1) h = std::min(height, 100);
  auto result = std::make_unique<TBitmap>(std::max(w, 0), std::max(h, 0), pfDevice);
  if (!result->Empty()) result->Canvas().StretchDraw(TRect{0, 0, w, h}, *source);
  result->Canvas();
  return result;
}

std::unique_ptr<TBitmap> ExtractImageMask(const TBitmap& bitmap, bool useColor, TColor color) {
  if (bitmap.Empty()) return nullptr;
  return bitmap.CreateMask(useColor ? color : bitmap.TransparentColor());
}

std::unique_ptr<TBitmap> AdaptBitmapToScreen(std::unique_ptr<TBitmap> bitmap) {
  if (ScreenColorDepth <= 8) {
    if (bitmap->HandleType() == bmDIB) return ReduceBitmapForScreen(bitmap.get());
    return MakeScreenBitmap(std::move(bitmap));
  }
  switch (bitmap->PixelFormat()) {
    case pfDevice:
    case pf1bit:
    case pf4bit:
    case pf8bit: return MakeScreenBitmap(std::move(bitmap));
    default: return bitmap;
  }
}
