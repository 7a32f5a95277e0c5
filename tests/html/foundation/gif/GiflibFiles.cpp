#include "tests/html/foundation/gif/GiflibFiles.h"

#include <gif_lib.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

ColorMapObject* MakeMap(const std::vector<uint32_t>& colors) {
  std::vector<GifColorType> cells(colors.size());
  for (size_t i = 0; i < colors.size(); ++i)
    cells[i] = {static_cast<GifByteType>(colors[i] >> 16), static_cast<GifByteType>(colors[i] >> 8),
                static_cast<GifByteType>(colors[i])};
  return GifMakeMapObject(static_cast<int>(colors.size()), cells.data());
}

int WriteToString(GifFileType* file, const GifByteType* data, int length) {
  static_cast<std::string*>(file->UserData)->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
  return length;
}

void Check(int result, const char* what) {
  if (result == GIF_ERROR) throw std::runtime_error(std::string("giflib: ") + what);
}

struct TReadState {
  const std::string* bytes;
  size_t pos;
};

int ReadFromString(GifFileType* file, GifByteType* buffer, int length) {
  auto* state = static_cast<TReadState*>(file->UserData);
  size_t n = std::min(static_cast<size_t>(length), state->bytes->size() - state->pos);
  std::memcpy(buffer, state->bytes->data() + state->pos, n);
  state->pos += n;
  return static_cast<int>(n);
}

std::vector<uint32_t> ColorsOf(const ColorMapObject* map) {
  std::vector<uint32_t> colors;
  if (!map) return colors;
  for (int i = 0; i < map->ColorCount; ++i)
    colors.push_back(uint32_t{map->Colors[i].Red} << 16 | uint32_t{map->Colors[i].Green} << 8 | map->Colors[i].Blue);
  return colors;
}

}  // namespace

std::string WriteGifWithGiflib(const TTestGif& gif) {
  std::string out;
  int error = 0;
  GifFileType* file = EGifOpen(&out, WriteToString, &error);
  if (!file) throw std::runtime_error("giflib: EGifOpen");
  EGifSetGifVersion(file, true);
  ColorMapObject* global = gif.globalTable.empty() ? nullptr : MakeMap(gif.globalTable);
  Check(EGifPutScreenDesc(file, gif.width, gif.height, 8, gif.background, global), "screen");
  GifFreeMapObject(global);
  if (gif.loopCount >= 0) {
    Check(EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE), "leader");
    Check(EGifPutExtensionBlock(file, 11, "NETSCAPE2.0"), "app id");
    unsigned char loop[3] = {1, static_cast<unsigned char>(gif.loopCount & 255),
                             static_cast<unsigned char>(gif.loopCount >> 8)};
    Check(EGifPutExtensionBlock(file, 3, loop), "loop");
    Check(EGifPutExtensionTrailer(file), "trailer");
  }
  for (const TTestFrame& frame : gif.frames) {
    if (frame.withControl) {
      GraphicsControlBlock gcb{frame.disposal, false, frame.delay, frame.transparent};
      GifByteType bytes[4];
      size_t n = EGifGCBToExtension(&gcb, bytes);
      Check(EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), bytes), "control");
    }
    ColorMapObject* local = frame.localTable.empty() ? nullptr : MakeMap(frame.localTable);
    Check(EGifPutImageDesc(file, frame.left, frame.top, frame.width, frame.height, frame.interlaced, local), "image");
    GifFreeMapObject(local);
    std::vector<uint8_t> pixels = frame.pixels;
    for (int y = 0; y < frame.height; ++y)
      Check(EGifPutLine(file, pixels.data() + static_cast<size_t>(y) * frame.width, frame.width), "line");
  }
  Check(EGifCloseFile(file, &error), "close");
  return out;
}

TGiflibFile ReadGifWithGiflib(const std::string& bytes) {
  TReadState state{&bytes, 0};
  int error = 0;
  GifFileType* file = DGifOpen(&state, ReadFromString, &error);
  if (!file) throw std::runtime_error("giflib: DGifOpen");
  if (DGifSlurp(file) == GIF_ERROR) {
    DGifCloseFile(file, &error);
    throw std::runtime_error("giflib: DGifSlurp");
  }
  TGiflibFile result;
  result.width = file->SWidth;
  result.height = file->SHeight;
  // giflib hands extensions to the image they precede (trailing ones to the file).
  auto findLoop = [&](const ExtensionBlock* blocks, int count) {
    for (int e = 0; e + 1 < count; ++e)
      if (blocks[e].Function == APPLICATION_EXT_FUNC_CODE && blocks[e].ByteCount == 11 &&
          std::memcmp(blocks[e].Bytes, "NETSCAPE", 8) == 0 && blocks[e + 1].ByteCount == 3)
        result.loopCount = blocks[e + 1].Bytes[1] | blocks[e + 1].Bytes[2] << 8;
  };
  for (int i = 0; i < file->ImageCount; ++i)
    findLoop(file->SavedImages[i].ExtensionBlocks, file->SavedImages[i].ExtensionBlockCount);
  findLoop(file->ExtensionBlocks, file->ExtensionBlockCount);
  for (int i = 0; i < file->ImageCount; ++i) {
    const SavedImage& saved = file->SavedImages[i];
    TGiflibImage image{};
    image.left = saved.ImageDesc.Left;
    image.top = saved.ImageDesc.Top;
    image.width = saved.ImageDesc.Width;
    image.height = saved.ImageDesc.Height;
    image.pixels.assign(saved.RasterBits, saved.RasterBits + static_cast<size_t>(image.width) * image.height);
    GraphicsControlBlock gcb;
    if (DGifSavedExtensionToGCB(file, i, &gcb) == GIF_OK) {
      for (int e = 0; e < saved.ExtensionBlockCount; ++e)
        if (saved.ExtensionBlocks[e].Function == GRAPHICS_EXT_FUNC_CODE) image.hasControl = true;
      image.delay = gcb.DelayTime;
      image.disposal = gcb.DisposalMode;
      image.transparent = gcb.TransparentColor;
    }
    image.colors = ColorsOf(saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap : file->SColorMap);
    result.images.push_back(std::move(image));
  }
  DGifCloseFile(file, &error);
  return result;
}

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(WENDREL_FIXTURES) + "/gif/" + name, std::ios::binary);
  if (!in) throw std::runtime_error("missing fixture " + name);
  std::ostringstream data;
  data << in.rdbuf();
  return data.str();
}
