#include "platform/gdi/dc/RasterDC.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/dc/GlyphCache.h"
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

  const long sizeX = std::lround(font.EmPixelsX() * std::abs(ScaleX()) * 64);
  const long sizeY = std::lround(font.EmPixels() * std::abs(ScaleY()) * 64);
  const int escapement = font.LogFont().lfEscapement;

  double penX = x, penY = baseline;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    size_t units = 1;
    if (!glyphIndices && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      units = 2;
    }
    double advance = advances[i] + (units == 2 ? advances[i + 1] : 0);  // a pair's advance may be split
    std::shared_ptr<const TGlyphImage> glyph;
    if (glyphIndices || c > 32)
      glyph = RenderGlyph(font, glyphIndices ? static_cast<unsigned>(c) : font.GlyphIndex(c), sizeX, sizeY, escapement, mono);
    if (glyph) {
      int left = static_cast<int>(std::lround(penX)) + glyph->Left;
      int top = static_cast<int>(std::lround(penY)) - glyph->Top;
      for (int row = 0; row < glyph->Rows; ++row) {
        int py = top + row;
        const uint8_t* src = glyph->Coverage.data() + static_cast<size_t>(row) * static_cast<size_t>(glyph->Width);
        ForClippedSpan(py, left, left + glyph->Width, clip, [&](int a, int b) {
          uint32_t* dst = buffer_.Row(py);
          for (int px = a; px < b; ++px) {
            unsigned coverage = src[px - left];
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
    penX += advance * cosA;
    penY -= advance * sinA;
    i += units - 1;
  }
}
