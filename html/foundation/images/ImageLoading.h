// Loading the images of a document from a stream or a file into one of four image objects
// (a bitmap, an animated GIF, an image with alpha, a metafile), with an optional mask and a
// transparency kind, adapted to the screen's colour depth.
#pragma once

#include <memory>
#include <variant>

#include "html/foundation/gif/GifImage.h"
#include "html/foundation/images/GdiPlusImages.h"
#include "html/foundation/images/HtMetaFile.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/rtl/Types.h"

class TStream;

// Transparency kinds: none, a mask from the lower-left pixel's colour, a mask supplied.
enum : uint8_t { itrNone = 0, itrLowerLeft = 1, itrMask = 2 };

// An image object: nothing, or one of the four kinds, owned.
using TImageObject = std::variant<std::monostate, std::unique_ptr<TBitmap>, std::unique_ptr<TGIFImage>,
                                  std::unique_ptr<TGpImage>, std::unique_ptr<ThtMetaFile>>;

inline bool IsEmptyImage(const TImageObject& image) { return std::holds_alternative<std::monostate>(image); }

// The most bytes read for one picture, as a document is held to 256 MB: the decoders take
// their input whole (some twice), so a larger stream or file is not read at all and gives
// nothing, which the document shows as its broken-image placeholder.
constexpr int64_t MaxImageBytes = int64_t{256} << 20;

// 2 GIF, 3 PNG, 1 BMP, 4 JPEG, 0 anything else, from the first 4 bytes; the position is kept.
int SniffImageFormat(TStream& stream);

// Nothing for a null stream, one of 3 bytes or less, or one of more than MaxImageBytes (of
// which nothing is read). transparency says on entry what the
// caller wants (1: a mask from the lower-left colour) and on exit what the image has.
// Broken BMP, GIF and JPEG data raise; data of no known format that is no metafile give
// nothing; PNG gives nothing while no image cache holds the image layer.
TImageObject ReadImageStream(TStream* stream, uint8_t& transparency, std::unique_ptr<TBitmap>& mask);
// Nothing when the name is not an existing regular file (a FIFO, a device or a folder is
// never opened); a file that cannot be opened raises.
TImageObject ReadImageFile(const String& fileName, uint8_t& transparency, std::unique_ptr<TBitmap>& mask);

// The size of one frame of the image; raises EGDIPlus for an empty object.
TSize ImageSizeOf(const TImageObject& image);

// A new bitmap holding a bitmap or alpha image stretched onto it (others raise EInvalidCast);
// a side of 1 pixel becomes the requested side, at most 100.
std::unique_ptr<TBitmap> ImageToBitmap(const TImageObject& image, int width, int height);

// A 1-bit mask, white where the bitmap has the colour (useColor) or its transparent colour
// (the lower-left pixel's); nothing for an empty bitmap.
std::unique_ptr<TBitmap> ExtractImageMask(const TBitmap& bitmap, bool useColor, TColor color);
// The bitmap in the screen's form: reduced onto the palette on screens of 8 bits or less,
// device format for device, 1-, 4- and 8-bit bitmaps on deeper screens.
std::unique_ptr<TBitmap> AdaptBitmapToScreen(std::unique_ptr<TBitmap> bitmap);
