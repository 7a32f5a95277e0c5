#include "platform/gdi/dc/RasterDC.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/dc/RasterOps.h"

bool TRasterDC::ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::u16string_view text, const int* dx) {
  const TRealizedFont& font = state_.Font.Realized();
  const TTextMetric& tm = font.TextMetric();
  TTextPlacement place = PlaceText(x, y, options, text, dx);
  const int start = place.Left, width = place.Width, baseline = place.Baseline;

  if ((options & ETO_OPAQUE) && rect) FillRect(*rect, CreateSolidBrush(state_.BkColor));
  std::optional<TRegion> clip = state_.Clip;
  if ((options & ETO_CLIPPED) && rect) {
    TRegion r = TRegion::FromRect(ToDeviceRect(*rect));
    clip = clip ? TRegion::Combine(*clip, r, RGN_AND) : r;
  }
  std::swap(state_.Clip, clip);
  if (state_.BkMode == OPAQUE && font.LogFont().lfEscapement == 0)
    FillRect({start, baseline - tm.tmAscent, start + width, baseline + tm.tmDescent}, CreateSolidBrush(state_.BkColor));

  std::vector<double> deviceAdvances;
  for (int a : place.Advances) deviceAdvances.push_back(a * ScaleX());
  TPointF begin = ToDevice(start, baseline);
  if (!text.empty()) RenderText(begin.X, begin.Y, text, options & ETO_GLYPH_INDEX, deviceAdvances, state_.Clip);

  const TOutlineTextMetric& otm = font.OutlineMetric();
  TLogBrush line = CreateSolidBrush(state_.TextColor);
  if (font.LogFont().lfUnderline) {
    int size = std::max(1, otm.otmsUnderscoreSize);
    int top = baseline - otm.otmsUnderscorePosition - size / 2;
    FillRect({start, top, start + width, top + size}, line);
  }
  if (font.LogFont().lfStrikeOut) {
    int size = std::max(1, static_cast<int>(otm.otmsStrikeoutSize));
    int top = baseline - otm.otmsStrikeoutPosition;
    FillRect({start, top, start + width, top + size}, line);
  }
  std::swap(state_.Clip, clip);
  return true;
}

void TRasterDC::RenderText(double x, double baseline, std::u16string_view text, bool glyphIndices,
                           const std::vector<double>& advances, const std::optional<TRegion>& clip) {
  if (buffer_.IsEmpty()) return;
  const TRealizedFont& font = state_.Font.Realized();
  const bool mono = buffer_.Monochrome;
  const uint32_t color = buffer_.Monochrome ? ToMonochromePixel(ColorRefToPixel(state_.TextColor))
                                            : ColorRefToPixel(state_.TextColor);
  const int rop2 = state_.Rop2;
  double angle = font.LogFont().lfEscapement / 10.0 * std::numbers::pi / 180.0;
  double cosA = std::cos(angle), sinA = std::sin(angle);

  std::lock_guard<std::mutex> lock(font.FaceMutex());
  FT_Face face = font.Face();
  FT_F26Dot6 sizeX = static_cast<FT_F26Dot6>(std::lround(font.EmPixelsX() * std::abs(ScaleX()) * 64));
  FT_F26Dot6 sizeY = static_cast<FT_F26Dot6>(std::lround(font.EmPixels() * std::abs(ScaleY()) * 64));
  if (FT_Set_Char_Size(face, std::max<FT_F26Dot6>(sizeX, 1), std::max<FT_F26Dot6>(sizeY, 1), 72, 72) != 0) return;
  // Rotation (counter-clockwise on the screen) after the slant of a simulated italic.
  double shear = font.SimulatedItalic() ? 0.2 : 0.0;
  FT_Matrix matrix;
  matrix.xx = static_cast<FT_Fixed>(cosA * 65536);
  matrix.xy = static_cast<FT_Fixed>((cosA * shear - sinA) * 65536);
  matrix.yx = static_cast<FT_Fixed>(sinA * 65536);
  matrix.yy = static_cast<FT_Fixed>((sinA * shear + cosA) * 65536);
  FT_Set_Transform(face, &matrix, nullptr);

  double penX = x, penY = baseline;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    size_t units = 1;
    if (!glyphIndices && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      units = 2;
    }
    double advance = advances[i];
    FT_UInt glyph = glyphIndices ? static_cast<FT_UInt>(c) : FT_Get_Char_Index(face, c);
    FT_Int32 flags = FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
    if ((glyphIndices || c > 32) && FT_Load_Glyph(face, glyph, flags) == 0) {
      FT_GlyphSlot slot = face->glyph;
      if (font.SimulatedBold() && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_Outline_Embolden(&slot->outline, face->size->metrics.y_ppem * 2);
      if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) {
        const FT_Bitmap& bm = slot->bitmap;
        int left = static_cast<int>(std::lround(penX)) + slot->bitmap_left;
        int top = static_cast<int>(std::lround(penY)) - slot->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row) {
          int py = top + static_cast<int>(row);
          const uint8_t* src = bm.buffer + static_cast<ptrdiff_t>(row) * bm.pitch;
          ForClippedSpan(py, left, left + static_cast<int>(bm.width), clip, [&](int a, int b) {
            uint32_t* dst = buffer_.Row(py);
            for (int px = a; px < b; ++px) {
              unsigned col = static_cast<unsigned>(px - left);
              unsigned coverage = bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((src[col >> 3] >> (7 - (col & 7))) & 1) * 255
                                                                      : src[col];
              if (coverage == 0) continue;
              uint32_t d = dst[px] & 0xFFFFFF;
              if (rop2 != R2_COPYPEN || mono) {
                if (coverage >= 128) dst[px] = mono ? ToMonochromePixel(ApplyRop2(rop2, color, d)) : ApplyRop2(rop2, color, d);
                continue;
              }
              uint32_t out = 0;
              for (int shift = 0; shift < 24; shift += 8) {
                uint32_t cs = (color >> shift) & 0xFF, ds = (d >> shift) & 0xFF;
                out |= ((cs * coverage + ds * (255 - coverage) + 127) / 255) << shift;
              }
              dst[px] = out;
            }
          });
        }
      }
    }
    penX += advance * cosA;
    penY -= advance * sinA;
    i += units - 1;
  }
  FT_Set_Transform(face, nullptr, nullptr);
}
