// TGif: reads a whole GIF file (GIF87a or GIF89a) into memory, decodes the LZW pixels of
// every image into one byte per pixel, answers questions about the frames and composes all
// frames side by side into one 24-bit strip bitmap with a matching 1-bit mask.
//
// Every failure raises EInvalidGraphicOperation with "TGif: <text>", the text taken from
// the numbered list in GifErrors.h.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "html/foundation/gif/GifErrors.h"

class TBitmap;
class TStream;

struct TGifScreen {
  int Width = 0;
  int Height = 0;
  bool HasGlobalTable = false;
  int ColorResolution = 0;
  bool Sorted = false;
  int GlobalTableSize = 0;
  int BackgroundIndex = 0;
  int AspectRatio = 0;
  int GlobalTable = -1;  // index into the colour tables, -1: none
};

// A colour table: Count cells read from the file; the other cells stay 0 (black), so
// every index a pixel can hold has a defined colour.
struct TGifColorTable {
  int Count = 0;
  std::array<uint32_t, 256> Colors{};  // 0x00BBGGRR: red in the low byte
};

struct TGifSubBlock {
  std::string Data;  // 1..255 bytes
};

struct TGifExtension {
  uint8_t Label = 0;
  int BlockSize = 0;
  // graphic control (0xF9)
  int Disposal = 0;
  bool UserInput = false;
  bool HasTransparency = false;
  int Delay = 0;  // hundredths of a second
  int TransparentIndex = 0;
  // plain text (0x01)
  int TextLeft = 0, TextTop = 0, TextWidth = 0, TextHeight = 0;
  int CellWidth = 0, CellHeight = 0, ForegroundIndex = 0, BackgroundIndex = 0;
  // application (0xFF)
  std::string Identifier;      // 8 bytes
  std::string Authentication;  // 3 bytes
  std::vector<TGifSubBlock> SubBlocks;
};

struct TGifImage {
  int Index = 0;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool HasLocalTable = false;
  bool Interlaced = false;
  bool Sorted = false;
  int LocalTableSize = 0;
  int ColorTable = -1;  // index into the colour tables, -1 while not known
  int CodeSize = 0;
  std::vector<TGifExtension> Extensions;
  std::vector<uint8_t> Pixels;  // Width * Height indexes once allocated
  int64_t PixelCount = 0;
};

class TGif {
 public:
  TGif();
  ~TGif();
  TGif(const TGif&) = delete;
  TGif& operator=(const TGif&) = delete;

  void Clear();
  // Reads the whole stream from position 0.
  void LoadFromStream(TStream& stream);

  int ScreenWidth() const { return Screen.Width; }
  int ScreenHeight() const { return Screen.Height; }
  int ImageCount() const { return static_cast<int>(Images.size()); }
  int ImageLeft(int index) const { return ImageAt(index).Left; }
  int ImageTop(int index) const { return ImageAt(index).Top; }
  int ImageWidth(int index) const { return ImageAt(index).Width; }
  int ImageHeight(int index) const { return ImageAt(index).Height; }
  // The decoded colour indexes of an image, Width * Height bytes, rows from the top.
  const std::vector<uint8_t>& ImagePixels(int index) const { return ImageAt(index).Pixels; }
  // The 0x00BBGGRR colour of an image's colour table cell.
  uint32_t ImageColor(int index, int colorIndex) const;
  int FrameDelay(int index) const;
  int FrameDisposal(int index) const;
  int FrameTransparentIndex(int index) const;
  bool HasTransparency() const;
  int LoopCount() const { return LoopCount_; }
  const std::string& Signature() const { return Signature_; }
  const TGifScreen& ScreenDescriptor() const { return Screen; }
  const std::vector<TGifExtension>& ImageExtensions(int index) const {
    return ImageAt(index).Extensions;
  }

  // The composed strip: screen width * image count wide, screen height high, 24 bits;
  // `mask` gets the 1-bit mask (white = transparent) when the file uses transparency,
  // else it is reset.
  std::unique_ptr<TBitmap> BuildStripBitmap(std::unique_ptr<TBitmap>& mask) const;

 private:
  struct TLzwState;

  const TGifImage& ImageAt(int index) const;
  const TGifExtension* GraphicControl(int index) const;

  uint8_t ReadByte();
  int ReadWord();
  std::string ReadBytes(size_t count);
  std::vector<TGifSubBlock> ReadSubBlocks();
  void ReadColorTable(int size);
  void ReadImage();
  void ReadExtension();
  void DecodeImage(TGifImage& image);

  std::string Input;
  size_t InputPos = 0;
  std::string ImageData;
  std::vector<TGifExtension> PendingExtensions;
  std::string Signature_;
  TGifScreen Screen;
  std::vector<TGifImage> Images;
  std::vector<TGifColorTable> ColorTables;
  int LoopCount_ = -1;
};
