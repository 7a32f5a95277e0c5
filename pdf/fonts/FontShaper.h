// Shaping a run of text with HarfBuzz in the font file of a realised font.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

typedef struct hb_blob_t hb_blob_t;
typedef struct hb_face_t hb_face_t;
typedef struct hb_font_t hb_font_t;

struct TShapedGlyph {
  uint16_t Glyph;
  uint32_t Cluster;  // index of the first UTF-16 unit of the glyph's cluster in the text
};

class TFontShaper {
 public:
  // fontFile: a standalone font file (a collection member already extracted).
  explicit TFontShaper(std::string fontFile);
  ~TFontShaper();
  TFontShaper(const TFontShaper&) = delete;
  TFontShaper& operator=(const TFontShaper&) = delete;

  // The glyphs of text[start, start + length) in visual order (left to right), shaped
  // with the whole text as context; rightToLeft sets the direction, the script is guessed
  // from the run.
  std::vector<TShapedGlyph> Shape(std::u16string_view text, size_t start, size_t length, bool rightToLeft) const;

 private:
  std::string file_;
  hb_blob_t* blob_;
  hb_face_t* face_;
  hb_font_t* font_;
};
