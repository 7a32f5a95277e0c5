#include "html/foundation/gif/GifDecoder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <utility>

#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/rtl/Streams.h"

TGif::TGif() { Clear(); }

TGif::~TGif() = default;

void TGif::Clear() {
  Input.clear();
  InputPos = 0;
  ImageData.clear();
  PendingExtensions.clear();
  Signature_ = "------";
  Screen = TGifScreen{};
  Images.clear();
  ColorTables.clear();
  LoopCount_ = -1;
}

// Reading past the end of the data gives 0 bytes.
uint8_t TGif::ReadByte() {
  if (InputPos >= Input.size()) return 0;
  return static_cast<uint8_t>(Input[InputPos++]);
}

int TGif::ReadWord() {
  int low = ReadByte();
  return low | ReadByte() << 8;
}

std::string TGif::ReadBytes(size_t count) {
  std::string bytes = Input.substr(std::min(InputPos, Input.size()), count);
  InputPos += bytes.size();
  bytes.resize(count, '\0');
  return bytes;
}

std::vector<TGifSubBlock> TGif::ReadSubBlocks() {
  std::vector<TGifSubBlock> blocks;
  for (;;) {
    size_t length = ReadByte();
    if (length == 0) return blocks;
    if (Input.size() - std::min(InputPos, Input.size()) < length) RaiseGifError(gifUnexpectedEof);
    blocks.push_back({Input.substr(InputPos, length)});
    InputPos += length;
  }
}

void TGif::ReadColorTable(int size) {
  TGifColorTable table;
  table.Count = size;
  for (int i = 0; i < size; ++i) {
    uint32_t red = ReadByte();
    uint32_t green = ReadByte();
    uint32_t blue = ReadByte();
    table.Colors[i] = red | green << 8 | blue << 16;
  }
  ColorTables.push_back(table);
}

void TGif::LoadFromStream(TStream& stream) {
  Clear();
  stream.SetPosition(0);
  {
    TMemoryStream copy;
    copy.LoadFromStream(stream);
    Input.assign(copy.Memory(), static_cast<size_t>(copy.Size()));
  }

  Signature_ = ReadBytes(6);
  std::string upper = Signature_;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper != "GIF87A" && upper != "GIF89A") RaiseGifError(gifInvalidSignature);

  Screen.Width = ReadWord();
  Screen.Height = ReadWord();
  uint8_t packed = ReadByte();
  Screen.HasGlobalTable = (packed & 0x80) != 0;
  Screen.ColorResolution = ((packed >> 4) & 7) + 1;
  Screen.Sorted = (packed & 0x08) != 0;
  Screen.GlobalTableSize = 1 << ((packed & 7) + 1);
  Screen.BackgroundIndex = ReadByte();
  Screen.AspectRatio = ReadByte();
  if (Screen.HasGlobalTable) {
    ReadColorTable(Screen.GlobalTableSize);
    Screen.GlobalTable = 0;
  }

  // The first failure of the block loop; it ends the loop quietly when an image is kept.
  std::exception_ptr failure;
  try {
    for (bool done = false; !done;) {
      switch (uint8_t introducer = ReadByte()) {
        case 0x2C: ReadImage(); break;
        case 0x21: ReadExtension(); break;
        case 0x3B:
        case 0x00: done = true; break;
        default: (void)introducer; RaiseGifError(gifUnknownOperationCode);
      }
    }
  } catch (const EInvalidGraphicOperation&) {
    failure = std::current_exception();
  }

  // An image whose reading failed before its pixels were allocated (no colour table, data
  // cut short, zero or excessive size) has nothing to show: it is dropped.
  std::erase_if(Images, [](const TGifImage& image) { return image.Pixels.empty(); });
  for (size_t i = 0; i < Images.size(); ++i) Images[i].Index = static_cast<int>(i);

  Input.clear();
  Input.shrink_to_fit();
  ImageData.clear();
  ImageData.shrink_to_fit();
  PendingExtensions.clear();
  if (Images.empty()) {
    if (failure) std::rethrow_exception(failure);
    RaiseGifError(gifNoImage);
  }
}

void TGif::ReadImage() {
  Images.emplace_back();
  TGifImage& image = Images.back();
  image.Index = static_cast<int>(Images.size()) - 1;
  ImageData.clear();
  image.Extensions = std::move(PendingExtensions);
  PendingExtensions.clear();

  image.Left = ReadWord();
  image.Top = ReadWord();
  image.Width = ReadWord();
  image.Height = std::min(ReadWord(), Screen.Height);

  uint8_t packed = ReadByte();
  image.HasLocalTable = (packed & 0x80) != 0;
  image.Interlaced = (packed & 0x40) != 0;
  image.Sorted = (packed & 0x20) != 0;
  image.LocalTableSize = 1 << ((packed & 7) + 1);
  if (image.HasLocalTable) {
    ReadColorTable(image.LocalTableSize);
    image.ColorTable = static_cast<int>(ColorTables.size()) - 1;
  } else if (Screen.GlobalTable >= 0) {
    image.ColorTable = Screen.GlobalTable;
  } else {
    RaiseGifError(gifNoColorTable);
  }

  image.CodeSize = ReadByte();
  // A minimum code size above 11 would make codes wider than 12 bits.
  if (image.CodeSize > 11) RaiseGifError(gifInvalidCodeSize);
  for (;;) {
    size_t length = ReadByte();
    if (length == 0) break;
    if (Input.size() - std::min(InputPos, Input.size()) < length) RaiseGifError(gifUnexpectedEof);
    ImageData.append(Input, InputPos, length);
    InputPos += length;
  }

  image.PixelCount = int64_t{image.Width} * image.Height;
  if (image.PixelCount == 0) RaiseGifError(gifZeroSize);
  if (image.PixelCount > ImagePixelBudget()) RaiseGifError(gifTooLarge);
  DecodeImage(image);
}

void TGif::ReadExtension() {
  PendingExtensions.emplace_back();
  TGifExtension& ext = PendingExtensions.back();
  ext.Label = ReadByte();
  switch (ext.Label) {
    case 0xF9: {
      ext.BlockSize = ReadByte();
      if (ext.BlockSize != 4) RaiseGifError(gifInvalidExtensionSize);
      uint8_t packed = ReadByte();
      ext.Disposal = (packed >> 2) & 7;
      ext.UserInput = (packed & 2) != 0;
      ext.HasTransparency = (packed & 1) != 0;
      ext.Delay = ReadWord();
      ext.TransparentIndex = ReadByte();
      if (ReadByte() != 0) RaiseGifError(gifInvalidTerminator);
      break;
    }
    case 0xFE:
      ext.SubBlocks = ReadSubBlocks();
      break;
    case 0x01:
      ext.BlockSize = ReadByte();
      if (ext.BlockSize != 12) RaiseGifError(gifInvalidExtensionSize);
      ext.TextLeft = ReadWord();
      ext.TextTop = ReadWord();
      ext.TextWidth = ReadWord();
      ext.TextHeight = ReadWord();
      ext.CellWidth = ReadByte();
      ext.CellHeight = ReadByte();
      ext.ForegroundIndex = ReadByte();
      ext.BackgroundIndex = ReadByte();
      ext.SubBlocks = ReadSubBlocks();
      break;
    case 0xFF:
      ext.BlockSize = ReadByte();
      if (ext.BlockSize == 11) {
        ext.Identifier = ReadBytes(8);
        ext.Authentication = ReadBytes(3);
        ext.SubBlocks = ReadSubBlocks();
        if (ext.Identifier == "NETSCAPE" && !ext.SubBlocks.empty() &&
            ext.SubBlocks[0].Data.size() == 3) {
          const std::string& d = ext.SubBlocks[0].Data;
          LoopCount_ = static_cast<uint8_t>(d[1]) | static_cast<uint8_t>(d[2]) << 8;
        }
      } else {
        InputPos += ext.BlockSize;
        ext.SubBlocks = ReadSubBlocks();
      }
      break;
    default: {
      char text[32];
      std::snprintf(text, sizeof text, "unknown extension: %04X", static_cast<unsigned>(ext.Label));
      RaiseGifError(gifUnknownExtension, text);
    }
  }
}

const TGifImage& TGif::ImageAt(int index) const {
  if (index < 0 || index >= ImageCount()) RaiseGifError(gifValueOutOfRange);
  return Images[static_cast<size_t>(index)];
}

uint32_t TGif::ImageColor(int index, int colorIndex) const {
  const TGifImage& image = ImageAt(index);
  if (colorIndex < 0 || colorIndex > 255 || image.ColorTable < 0) RaiseGifError(gifValueOutOfRange);
  return ColorTables[static_cast<size_t>(image.ColorTable)].Colors[static_cast<size_t>(colorIndex)];
}

const TGifExtension* TGif::GraphicControl(int index) const {
  for (const TGifExtension& ext : ImageAt(index).Extensions)
    if (ext.Label == 0xF9) return &ext;
  return nullptr;
}

int TGif::FrameDelay(int index) const {
  const TGifExtension* gce = GraphicControl(index);
  return gce && gce->Delay > 0 ? gce->Delay : 1;
}

int TGif::FrameDisposal(int index) const {
  const TGifExtension* gce = GraphicControl(index);
  return gce ? gce->Disposal & 3 : 0;
}

int TGif::FrameTransparentIndex(int index) const {
  const TGifExtension* gce = GraphicControl(index);
  return gce && gce->HasTransparency ? gce->TransparentIndex : -1;
}

bool TGif::HasTransparency() const {
  for (int i = 0; i < ImageCount(); ++i)
    if (FrameTransparentIndex(i) >= 0) return true;
  return false;
}
