#include "platform/gdi/dc/GlyphCache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <mutex>
#include <numbers>
#include <tuple>

namespace {

constexpr size_t kMaxGlyphs = 20000;
// Glyphs of more coverage bytes than this are not kept in a thread's table of recent glyphs,
// which would otherwise hold up to 256 of them alive past the shared cache's bound.
constexpr size_t kMaxRecentGlyphBytes = 16 * 1024;

using TKey = std::tuple<uint64_t, unsigned, long, long, int, bool>;

std::mutex& CacheMutex() {
  static std::mutex m;
  return m;
}

std::map<TKey, std::shared_ptr<const TGlyphImage>>& Cache() {
  static std::map<TKey, std::shared_ptr<const TGlyphImage>> cache;
  return cache;
}

// The coverage bytes of the glyphs in Cache().
size_t& CacheBytes() {
  static size_t bytes = 0;
  return bytes;
}

size_t BytesOf(const std::shared_ptr<const TGlyphImage>& image) { return image ? image->Coverage.size() : 0; }

std::shared_ptr<const TGlyphImage> Render(const TRealizedFont& font, unsigned glyph, long sizeX, long sizeY,
                                          int escapement, bool mono) {
  std::lock_guard<std::mutex> lock(font.FaceMutex());
  FT_Face face = font.Face();
  if (FT_Set_Char_Size(face, std::max(sizeX, 1L), std::max(sizeY, 1L), 72, 72) != 0) return nullptr;
  // Rotation (counter-clockwise on the screen) after the slant of a simulated italic.
  double angle = escapement / 10.0 * std::numbers::pi / 180.0;
  double cosA = std::cos(angle), sinA = std::sin(angle);
  double shear = font.SimulatedItalic() ? 0.2 : 0.0;
  FT_Matrix matrix;
  matrix.xx = static_cast<FT_Fixed>(cosA * 65536);
  matrix.xy = static_cast<FT_Fixed>((cosA * shear - sinA) * 65536);
  matrix.yx = static_cast<FT_Fixed>(sinA * 65536);
  matrix.yy = static_cast<FT_Fixed>((sinA * shear + cosA) * 65536);
  FT_Set_Transform(face, &matrix, nullptr);
  auto image = std::make_shared<TGlyphImage>();
  FT_Int32 flags = FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
  bool ok = FT_Load_Glyph(face, glyph, flags) == 0;
  if (ok) {
    FT_GlyphSlot slot = face->glyph;
    if (font.SimulatedBold() && slot->format == FT_GLYPH_FORMAT_OUTLINE)
      FT_Outline_Embolden(&slot->outline, face->size->metrics.y_ppem * 2);
    ok = FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0;
    if (ok) {
      const FT_Bitmap& bm = slot->bitmap;
      image->Left = slot->bitmap_left;
      image->Top = slot->bitmap_top;
      image->Width = static_cast<int>(bm.width);
      image->Rows = static_cast<int>(bm.rows);
      image->Coverage.resize(static_cast<size_t>(bm.width) * bm.rows);
      for (unsigned row = 0; row < bm.rows; ++row) {
        const uint8_t* src = bm.buffer + static_cast<ptrdiff_t>(row) * bm.pitch;
        uint8_t* dst = image->Coverage.data() + static_cast<size_t>(row) * bm.width;
        for (unsigned col = 0; col < bm.width; ++col)
          dst[col] = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (((src[col >> 3] >> (7 - (col & 7))) & 1) ? 255 : 0)
                                                          : src[col];
      }
    }
  }
  FT_Set_Transform(face, nullptr, nullptr);
  return ok ? image : nullptr;
}

// The glyph from the process-wide cache, rendered and added when it is not there.
std::shared_ptr<const TGlyphImage> Shared(const TKey& key, const TRealizedFont& font, unsigned glyph, long sizeX,
                                          long sizeY, int escapement, bool mono) {
  {
    std::lock_guard<std::mutex> lock(CacheMutex());
    auto it = Cache().find(key);
    if (it != Cache().end()) return it->second;
  }
  std::shared_ptr<const TGlyphImage> image = Render(font, glyph, sizeX, sizeY, escapement, mono);
  const size_t bytes = BytesOf(image);
  // A glyph bigger than the whole budget is drawn and not kept.
  if (bytes > kGlyphCacheBytes) return image;
  std::lock_guard<std::mutex> lock(CacheMutex());
  if (Cache().size() >= kMaxGlyphs || CacheBytes() + bytes > kGlyphCacheBytes) {
    Cache().clear();
    CacheBytes() = 0;
  }
  if (Cache().emplace(key, image).second) CacheBytes() += bytes;
  return image;
}

}  // namespace

std::shared_ptr<const TGlyphImage> RenderGlyph(const TRealizedFont& font, unsigned glyph, long sizeX, long sizeY,
                                               int escapement, bool mono) {
  TKey key{font.Serial(), glyph, sizeX, sizeY, escapement, mono};
  // Each thread keeps the glyphs it drew last in a small direct-mapped table: a line of
  // text repeats its letters, and these need neither the lock nor the shared search.
  struct TRecent {
    TKey Key;
    std::shared_ptr<const TGlyphImage> Image;
  };
  thread_local std::array<TRecent, 256> recent{};
  TRecent& slot = recent[(glyph ^ static_cast<unsigned>(sizeY) ^ static_cast<unsigned>(font.Serial())) & 255];
  if (slot.Image && slot.Key == key) return slot.Image;
  std::shared_ptr<const TGlyphImage> image = Shared(key, font, glyph, sizeX, sizeY, escapement, mono);
  if (BytesOf(image) <= kMaxRecentGlyphBytes) {
    slot.Key = key;
    slot.Image = image;
  }
  return image;
}

size_t GlyphCacheBytes() {
  std::lock_guard<std::mutex> lock(CacheMutex());
  return CacheBytes();
}

