#include "pdf/fonts/FontShaper.h"

#include <hb-ot.h>
#include <hb.h>

#include <memory>

TFontShaper::TFontShaper(std::string fontFile)
    : file_(std::move(fontFile)),
      blob_(hb_blob_create(file_.data(), static_cast<unsigned>(file_.size()), HB_MEMORY_MODE_READONLY, nullptr, nullptr)),
      face_(hb_face_create(blob_, 0)),
      font_(hb_font_create(face_)) {
  hb_ot_font_set_funcs(font_);
}

TFontShaper::~TFontShaper() {
  hb_font_destroy(font_);
  hb_face_destroy(face_);
  hb_blob_destroy(blob_);
}

std::vector<TShapedGlyph> TFontShaper::Shape(std::u16string_view text, size_t start, size_t length,
                                             bool rightToLeft) const {
  std::unique_ptr<hb_buffer_t, void (*)(hb_buffer_t*)> buffer(hb_buffer_create(), hb_buffer_destroy);
  hb_buffer_add_utf16(buffer.get(), reinterpret_cast<const uint16_t*>(text.data()), static_cast<int>(text.size()),
                      static_cast<unsigned>(start), static_cast<int>(length));
  hb_buffer_set_direction(buffer.get(), rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_guess_segment_properties(buffer.get());
  hb_shape(font_, buffer.get(), nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer.get(), &count);
  std::vector<TShapedGlyph> glyphs;
  glyphs.reserve(count);
  for (unsigned i = 0; i < count; ++i) glyphs.push_back({static_cast<uint16_t>(info[i].codepoint), info[i].cluster});
  return glyphs;
}
