#include "platform/gdi/codecs/GifCodec.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/rtl/Unicode.h"

namespace {

struct TGifInput {
  std::string_view data;
  size_t pos = 0;
};

int ReadInput(GifFileType* gif, GifByteType* buffer, int count) {
  auto* in = static_cast<TGifInput*>(gif->UserData);
  size_t n = std::min(static_cast<size_t>(std::max(count, 0)), in->data.size() - in->pos);
  std::memcpy(buffer, in->data.data() + in->pos, n);
  in->pos += n;
  return static_cast<int>(n);
}

int WriteOutput(GifFileType* gif, const GifByteType* buffer, int count) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(count));
  return count;
}

struct TDecoderClose {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
struct TEncoderClose {
  void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
struct TMapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

[[noreturn]] void Fail(int error) {
  const char* text = GifErrorString(error);
  throw EInvalidGraphic(S("GIF-Bild ist fehlerhaft: ") + Utf8ToString(text != nullptr ? text : "?"));
}

[[noreturn]] void FailEncoding(int error) {
  const char* text = GifErrorString(error);
  throw EInvalidGraphicOperation(S("GIF-Kodierung fehlgeschlagen: ") + Utf8ToString(text != nullptr ? text : "?"));
}

std::vector<TRGBQuad> PaletteOf(const ColorMapObject& map) {
  std::vector<TRGBQuad> palette;
  for (int i = 0; i < map.ColorCount && i < 256; ++i)
    palette.push_back(TRGBQuad{map.Colors[i].Blue, map.Colors[i].Green, map.Colors[i].Red, 0});
  return palette;
}

// Reads the extension blocks before an image; a graphic control block gives the
// transparent index.
void ReadExtension(GifFileType* gif, int& transparentIndex) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) Fail(gif->Error);
  while (block != nullptr) {
    if (code == GRAPHICS_EXT_FUNC_CODE && block[0] == 4) {
      GraphicsControlBlock gcb{};
      if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparentIndex = gcb.TransparentColor;
      code = 0;  // only the first block of the extension is its data
    }
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) Fail(gif->Error);
  }
}

}  // namespace

TDecodedGif DecodeGif(std::string_view file) {
  TGifInput input{file};
  int error = 0;
  std::unique_ptr<GifFileType, TDecoderClose> gif(DGifOpen(&input, ReadInput, &error));
  if (!gif) Fail(error);

  TDecodedGif result;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) Fail(gif->Error);
    if (type == TERMINATE_RECORD_TYPE) throw EInvalidGraphic(S("GIF-Datei enthält kein Bild"));
    if (type == EXTENSION_RECORD_TYPE) {
      ReadExtension(gif.get(), result.transparentIndex);
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;

    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) Fail(gif->Error);
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    if (map == nullptr) throw EInvalidGraphic(S("GIF-Bild hat keine Farbtabelle"));
    if (desc.Width <= 0 || desc.Height <= 0) throw EInvalidGraphic(S("GIF-Bild ist leer"));
    // A screen smaller than the image (or of size 0) grows to hold it.
    int64_t screenWidth = std::max<int64_t>(gif->SWidth, int64_t{desc.Left} + desc.Width);
    int64_t screenHeight = std::max<int64_t>(gif->SHeight, int64_t{desc.Top} + desc.Height);
    CheckImageSize(screenWidth, screenHeight);

    result.image = TDibImage(static_cast<int>(screenWidth), static_cast<int>(screenHeight), pf8bit);
    result.image.SetPalette(PaletteOf(*map));
    int background = result.transparentIndex >= 0 ? result.transparentIndex
                     : gif->SColorMap != nullptr ? gif->SBackGroundColor
                                                 : 0;
    if (background != 0)
      for (int y = 0; y < result.image.Height(); ++y)
        std::memset(result.image.ScanLine(y), background, static_cast<size_t>(screenWidth));

    std::vector<GifPixelType> line(static_cast<size_t>(desc.Width));
    auto readRow = [&](int y) {
      if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR) Fail(gif->Error);
      std::memcpy(result.image.ScanLine(desc.Top + y) + desc.Left, line.data(), line.size());
    };
    if (desc.Interlace) {
      static constexpr int kStart[] = {0, 4, 2, 1};
      static constexpr int kStep[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < desc.Height; y += kStep[pass]) readRow(y);
    } else {
      for (int y = 0; y < desc.Height; ++y) readRow(y);
    }
    return result;
  }
}

std::string EncodeGif(const TDibImage& image) {
  if (image.Empty()) throw EInvalidGraphicOperation(S("Leeres Bild kann nicht gespeichert werden"));
  if (image.Width() > 0xFFFF || image.Height() > 0xFFFF)
    throw EInvalidGraphicOperation(S("Bild ist für GIF zu groß"));
  TDibImage pixels = image.Format() == pf8bit ? image : ConvertPixelFormat(image, pf8bit);

  std::unique_ptr<ColorMapObject, TMapFree> map(GifMakeMapObject(256, nullptr));
  if (!map) throw EInvalidGraphicOperation(S("GIF-Kodierung fehlgeschlagen"));
  for (int i = 0; i < 256; ++i) {
    const TRGBQuad& q = pixels.Palette()[static_cast<size_t>(i)];
    map->Colors[i] = GifColorType{q.rgbRed, q.rgbGreen, q.rgbBlue};
  }

  std::string out;
  int error = 0;
  GifFileType* raw = EGifOpen(&out, WriteOutput, &error);
  if (raw == nullptr) FailEncoding(error);
  std::unique_ptr<GifFileType, TEncoderClose> gif(raw);
  EGifSetGifVersion(gif.get(), true);
  if (EGifPutScreenDesc(gif.get(), pixels.Width(), pixels.Height(), 8, 0, map.get()) == GIF_ERROR ||
      EGifPutImageDesc(gif.get(), 0, 0, pixels.Width(), pixels.Height(), false, nullptr) == GIF_ERROR)
    FailEncoding(gif->Error);
  for (int y = 0; y < pixels.Height(); ++y)
    if (EGifPutLine(gif.get(), pixels.ScanLine(y), pixels.Width()) == GIF_ERROR) FailEncoding(gif->Error);
  error = 0;
  if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) FailEncoding(error);
  return out;
}
