#include "platform/gdi/dc/RasterDC.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/dc/GlyphCache.h"
#include "platform/gdi/dc/RasterOps.h"
#include "platform/rtl/Unicode.h"

namespace {

// Blends the text colour (0x00RRGGBB) into n pixels by their coverage (0..255): each
// channel becomes (colour * coverage + pixel * (255 - coverage) + 127) / 255, red and blue
// side by side in one 32-bit product. Fully covered pixels take the colour as it is.
void BlendCoverage(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color) {
  const uint32_t colorRB = color & 0x00FF00FF, colorG = color & 0x0000FF00;
  for (int i = 0; i < n; ++i) {
    const uint32_t a = coverage[i];
    if (a == 0) continue;
    if (a == 255) {
      dst[i] = color;
      continue;
    }
    const uint32_t d = dst[i];
    // Each sum is at most 255 * 255 + 127, so x / 255 is (x + 1 + (x >> 8)) >> 8 exactly.
    uint32_t rb = colorRB * a + (d & 0x00FF00FF) * (255 - a) + 0x007F007F;
    rb = ((rb + 0x00010001 + ((rb >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
    uint32_t g = (colorG >> 8) * a + ((d >> 8) & 0xFF) * (255 - a) + 127;
    g = (g + 1 + (g >> 8)) >> 8;
    dst[i] = rb | g << 8;
  }
}

}  // namespace

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
  // Grey-scale coverage is blended only for the plain pen on a colour picture; raster
  // operations and monochrome pictures take the pixels at least half covered.
  const bool blend = rop2 == R2_COPYPEN && !mono;
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
    if (glyphIndices) {
      glyph = RenderGlyph(font, static_cast<unsigned>(c), sizeX, sizeY, escapement, mono);
    } else if (c > 32) {
      // A character the font lacks comes from the fallback font that measured it; an
      // invisible formatting character it lacks is not drawn.
      const unsigned index = font.GlyphIndex(c);
      const bool invisible = index == 0 && IsInvisibleFormatting(c);
      const TRealizedFont* fallback = index == 0 && !invisible ? font.FallbackFont(c) : nullptr;
      if (fallback)
        glyph = RenderGlyph(*fallback, fallback->GlyphIndex(c), std::lround(fallback->EmPixelsX() * std::abs(ScaleX()) * 64),
                            std::lround(fallback->EmPixels() * std::abs(ScaleY()) * 64), escapement, mono);
      else if (!invisible)
        glyph = RenderGlyph(font, index, sizeX, sizeY, escapement, mono);
    }
    if (glyph) {
      int left = static_cast<int>(std::lround(penX)) + glyph->Left;
      int top = static_cast<int>(std::lround(penY)) - glyph->Top;
      for (int row = 0; row < glyph->Rows; ++row) {
        int py = top + row;
        const uint8_t* src = glyph->Coverage.data() + static_cast<size_t>(row) * static_cast<size_t>(glyph->Width);
        ForClippedSpan(py, left, left + glyph->Width, clip, [&](int a, int b) {
          uint32_t* dst = buffer_.Row(py);
          if (blend)
            BlendCoverage(dst + a, src + (a - left), b - a, color);
          else
            for (int px = a; px < b; ++px) {
              if (src[px - left] < 128) continue;
              uint32_t d = dst[px] & 0xFFFFFF;
              dst[px] = mono ? ToMonochromePixel(ApplyRop2(rop2, color, d)) : ApplyRop2(rop2, color, d);
            }
        });
      }
    }
    penX += advance * cosA;
    penY -= advance * sinA;
    i += units - 1;
  }
}
