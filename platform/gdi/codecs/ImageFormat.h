// Recognising an image's format from its first bytes.
#pragma once

#include <string_view>

enum class TImageFormat {
  Unknown,
  Bmp,   // "BM"
  Gif,   // "GIF8"
  Png,   // 89 "PNG" 0D 0A 1A 0A
  Jpeg,  // FF D8
  Tiff,  // "II" 2A 00 or "MM" 00 2A
  Emf,   // EMR_HEADER record (type 1) with the " EMF" signature at offset 40
  Wmf,   // placeable metafile key D7 CD C6 9A, or a standard metafile header
};

// The format of the data whose first bytes are `head` (passing the whole file is fine;
// 44 bytes are enough for every format).
TImageFormat DetectImageFormat(std::string_view head);
