// Drawing through the recorder and playing the metafile onto a raster device context gives
// the pixels that drawing on the raster device context directly gives.
#include <gtest/gtest.h>

#include <functional>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/metafile/EmfPlayer.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/gdi/dc/RasterTestSupport.h"

namespace {

constexpr int W = 160, H = 120;

TFontHandle Font(const char* face, int height, int weight = FW_NORMAL, bool italic = false, bool underline = false,
                 int escapement = 0) {
  TLogFont f;
  f.lfFaceName = Utf8ToString(face);
  f.lfHeight = height;
  f.lfWeight = weight;
  f.lfItalic = italic;
  f.lfUnderline = underline;
  f.lfEscapement = escapement;
  return TFontHandle::Create(f);
}

void Text(TDeviceContext& dc) {
  dc.SelectFont(Font("Arial", -16));
  dc.SetTextColor(0x0000C0);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(4, 4, u"Wendrel Hg");
  dc.SelectFont(Font("Times New Roman", -22, FW_BOLD, true, true));
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(0xC0FFC0);
  dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
  dc.TextOut(150, 60, u"Äpfel €");
  dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
  dc.SetTextCharacterExtra(2);
  dc.TextOut(80, 90, u"Ab cd");
  dc.SetTextCharacterExtra(0);
  dc.SetTextAlign(TA_LEFT | TA_TOP | TA_UPDATECP);
  dc.MoveToEx(4, 92);
  dc.TextOut(0, 0, u"one ");
  dc.TextOut(0, 0, u"two");
  dc.SetTextAlign(TA_LEFT | TA_TOP);
  dc.SelectFont(Font("Arial", -14, FW_NORMAL, false, false, 900));
  dc.TextOut(140, 110, u"up");
}

// Characters beyond the Basic Multilingual Plane, with the advances of the font and with
// advances given per unit.
void SurrogatePairs(TDeviceContext& dc) {
  dc.SelectFont(Font("DejaVu Sans", -28));
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(4, 4, u"a\U0001F600b");
  const int dx[] = {16, 20, 14, 16};
  dc.ExtTextOut(4, 60, 0, nullptr, u"a\U0001F600b", dx);
}

void TextBoxes(TDeviceContext& dc) {
  dc.SelectFont(Font("Arial", -13));
  TRect clip{10, 10, 70, 26};
  const int dx[] = {9, 9, 9, 9, 9, 9, 9, 9};
  dc.ExtTextOut(12, 8, ETO_OPAQUE | ETO_CLIPPED, &clip, u"spaced o", dx);
  TRect box{10, 40, 90, 110};
  dc.SetBkMode(TRANSPARENT);
  dc.DrawText(u"A &longer text that wraps onto lines", box, DT_WORDBREAK | DT_CENTER);
}

void Pens(TDeviceContext& dc) {
  const uint32_t styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  int y = 6;
  for (uint32_t style : styles) {
    dc.SelectPen(CreatePen(style, style == PS_INSIDEFRAME ? 3 : 0, 0x800000));
    dc.MoveToEx(4, y);
    dc.LineTo(70, y + 4);
    y += 9;
  }
  dc.SetBkMode(TRANSPARENT);
  dc.SelectPen(CreatePen(PS_DASH, 1, 0x008000));
  dc.Polyline({{80, 5}, {150, 20}, {90, 40}});
  dc.SelectPen(CreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER, 5, 0x0000FF));
  dc.Polyline({{80, 50}, {150, 60}, {100, 75}});
  dc.SelectPen(CreatePen(PS_SOLID, 4, 0x404040));
  dc.PolyBezier({{10, 80}, {40, 60}, {70, 120}, {100, 90}});
  dc.SetROP2(R2_NOTXORPEN);
  dc.SelectPen(CreatePen(PS_SOLID, 3, 0x00FFFF));
  dc.MoveToEx(0, 100);
  dc.LineTo(159, 110);
}

void Shapes(TDeviceContext& dc) {
  dc.SelectBrush(CreateSolidBrush(0x00C0FF));
  dc.SelectPen(CreatePen(PS_SOLID, 2, 0x000080));
  dc.Rectangle(4, 4, 50, 30);
  dc.SelectBrush(CreateHatchBrush(HS_DIAGCROSS, 0xFF0000));
  dc.Ellipse(55, 4, 110, 40);
  dc.SelectBrush(NullBrush());
  dc.RoundRect(115, 4, 155, 40, 12, 8);
  dc.SelectBrush(CreateSolidBrush(0x808000));
  dc.SelectPen(NullPen());
  dc.Pie(4, 45, 60, 100, 60, 60, 4, 45);
  dc.SelectPen(CreatePen(PS_DOT, 0, 0));
  dc.Arc(60, 45, 110, 100, 110, 70, 60, 70);
  dc.SetPolyFillMode(WINDING);
  dc.SelectBrush(CreateSolidBrush(0x40A040));
  dc.Polygon({{115, 50}, {155, 110}, {110, 80}, {158, 80}, {120, 110}});
  dc.SetPixel(2, 115, 0x0000FF);
  dc.PatBlt(20, 104, 30, 10, DSTINVERT);
}

void Regions(TDeviceContext& dc) {
  dc.FillRect({0, 0, W, H}, CreateSolidBrush(0xF0F0F0));
  TRegion border = TRegion::FromPolygon({{10, 10}, {150, 10}, {140, 20}, {20, 20}}, ALTERNATE);
  dc.FillRgn(border, CreateSolidBrush(0x204080));
  TRegion ring = TRegion::Combine(TRegion::FromEllipse({20, 30, 90, 100}), TRegion::FromEllipse({35, 45, 75, 85}), RGN_DIFF);
  dc.FillRgn(ring, CreateHatchBrush(HS_CROSS, 0x008000));
  dc.FrameRect({100, 40, 150, 90}, CreateSolidBrush(0xFF));
  dc.FillRect({105, 45, 145, 85}, CreateSolidBrush(0xFF00FF));
}

void Clipping(TDeviceContext& dc) {
  TRegion ellipse = TRegion::FromEllipse({10, 10, 150, 110});
  dc.SelectClipRgn(&ellipse);
  dc.FillRect({0, 0, W, H}, CreateSolidBrush(0xC0C0FF));
  int saved = dc.SaveDC();
  dc.IntersectClipRect({0, 0, 80, 120});
  dc.ExcludeClipRect({30, 30, 50, 50});
  dc.SelectBrush(CreateSolidBrush(0x0000FF));
  dc.Rectangle(0, 20, 160, 100);
  dc.RestoreDC(saved);
  dc.SelectFont(Font("Arial", -30, FW_BOLD));
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(60, 40, u"Clip");
  TRegion band = TRegion::FromRect({0, 50, 160, 70});
  dc.ExtSelectClipRgn(&band, RGN_OR);
  dc.SelectPen(CreatePen(PS_SOLID, 3, 0x008000));
  dc.MoveToEx(0, 0);
  dc.LineTo(160, 120);
  dc.SelectClipRgn(nullptr);
  dc.LineTo(0, 119);
}

void Paths(TDeviceContext& dc) {
  dc.SelectBrush(CreateSolidBrush(0x3070F0));
  dc.SelectPen(CreatePen(PS_SOLID, 3, 0x101010));
  dc.BeginPath();
  dc.MoveToEx(10, 10);
  dc.LineTo(70, 20);
  dc.LineTo(40, 60);
  dc.CloseFigure();
  dc.Ellipse(80, 10, 150, 60);
  dc.EndPath();
  dc.StrokeAndFillPath();
  dc.BeginPath();
  dc.Rectangle(10, 70, 150, 110);
  dc.EndPath();
  dc.FillPath();
}

// Text is left out here: under a scaling map mode the player selects the font at its scaled
// size and rounds the advances to whole pixels, which may move a glyph by a pixel.
void Mapping(TDeviceContext& dc) {
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExtEx(100, 100);
  dc.SetViewportExtEx(200, 150);
  dc.SetWindowOrgEx(10, 0);
  dc.SetViewportOrgEx(5, 5);
  dc.SelectBrush(CreateSolidBrush(0x00FF00));
  dc.SelectPen(CreatePen(PS_SOLID, 2, 0xFF0000));
  dc.Rectangle(12, 2, 50, 40);
  dc.SelectBrush(CreateHatchBrush(HS_VERTICAL, 0x800080));
  dc.Ellipse(12, 45, 60, 70);
  TRegion region = TRegion::FromRect({20, 72, 40, 80});
  dc.FillRgn(region, CreateSolidBrush(0x008080));
  dc.FillRect({55, 5, 70, 30}, CreateSolidBrush(0x0000FF));
}

// A picture with a transparent colour and the classic mask blit: AND with a 1-bit mask
// (white where the picture is transparent), then OR with the picture.
void MaskedBitmaps(TDeviceContext& dc) {
  dc.FillRect({0, 0, W, H}, CreateHatchBrush(HS_BDIAGONAL, 0x808080));
  TBitmap picture(24, 16, pf24bit);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x)
      picture.SetPixel(x, y, (x - 12) * (x - 12) + (y - 8) * (y - 8) * 2 < 64 ? 0x0000FF - x * 8 : 0x00FF00);
  picture.SetTransparent(true);
  picture.SetTransparentColor(0x00FF00);
  TCanvas canvas(&dc);
  canvas.Draw(5, 5, picture);
  canvas.StretchDraw({40, 5, 112, 53}, picture);

  TPixelImage mask(24, 16, 0xFFFFFF, true), colour(24, 16, 0x000000);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x)
      if (x + y < 24) {
        mask.Set(x, y, 0x000000);
        colour.Set(x, y, 0xFF8000 + static_cast<uint32_t>(y));
      }
  TRasterDC maskDC(mask.Buffer()), colourDC(colour.Buffer());
  dc.SetTextColor(0);
  dc.SetBkColor(0xFFFFFF);
  dc.BitBlt(10, 70, 24, 16, &maskDC, 0, 0, SRCAND);
  dc.BitBlt(10, 70, 24, 16, &colourDC, 0, 0, SRCPAINT);
  dc.StretchBlt(60, 60, 48, 32, &maskDC, 0, 0, 24, 16, SRCAND);
  dc.StretchBlt(60, 60, 48, 32, &colourDC, 0, 0, 24, 16, SRCPAINT);
  dc.StretchBlt(150, 60, -30, 40, &colourDC, 4, 2, 12, 10, SRCCOPY);  // mirrored part
}

struct Scene {
  const char* Name;
  std::function<void(TDeviceContext&)> Draw;
};

class RoundTrip : public ::testing::TestWithParam<Scene> {};

void ExpectSamePixels(const TPixelImage& direct, const TPixelImage& played) {
  int differing = 0;
  TPoint first{-1, -1};
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (direct.At(x, y) != played.At(x, y) && differing++ == 0) first = {x, y};
  EXPECT_EQ(differing, 0) << "first difference at " << first.X << "," << first.Y << ": direct " << std::hex
                          << direct.At(first.X, first.Y) << ", played " << played.At(first.X, first.Y);
}

// Also played onto a second recorder first: what the player draws records into the same
// picture again.
TEST_P(RoundTrip, PlayedMetafileGivesTheDirectPixels) {
  TPixelImage direct(W, H), played(W, H), replayed(W, H);
  TRasterDC directDC(direct.Buffer()), playedDC(played.Buffer()), replayedDC(replayed.Buffer());
  GetParam().Draw(directDC);
  EXPECT_NE(InkBox(direct), TRect{}) << "the scene draws something";

  TMetafileRecorder recorder;
  GetParam().Draw(recorder);
  std::string emf = recorder.Finish(W, H);
  PlayEnhMetafile(playedDC, emf, {0, 0, W, H});
  ExpectSamePixels(direct, played);

  TMetafileRecorder second;
  PlayEnhMetafile(second, emf, {0, 0, W, H});
  PlayEnhMetafile(replayedDC, second.Finish(W, H), {0, 0, W, H});
  ExpectSamePixels(direct, replayed);
}

INSTANTIATE_TEST_SUITE_P(Scenes, RoundTrip,
                         ::testing::Values(Scene{"Text", Text}, Scene{"SurrogatePairs", SurrogatePairs},
                                           Scene{"TextBoxes", TextBoxes}, Scene{"Pens", Pens},
                                           Scene{"Shapes", Shapes}, Scene{"Regions", Regions},
                                           Scene{"Clipping", Clipping}, Scene{"Paths", Paths},
                                           Scene{"Mapping", Mapping}, Scene{"MaskedBitmaps", MaskedBitmaps}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Played into a rectangle twice the size, a rectangle fill lands where a direct fill at twice
// the coordinates lands; the target's clip region bounds everything the metafile draws.
TEST(PlayScaled, FillsScaleWithTheDestinationAndStayInsideTheTargetClip) {
  TMetafileRecorder recorder;
  recorder.FillRect({5, 5, 20, 15}, CreateSolidBrush(0xFF));
  TRegion none;
  recorder.SelectClipRgn(nullptr);  // the metafile's "no clipping" is the target's clip
  recorder.FillRect({30, 0, 40, 40}, CreateSolidBrush(0xFF0000));
  std::string emf = recorder.Finish(40, 40);

  TPixelImage img(100, 100);
  TRasterDC dc(img.Buffer());
  TRegion clip = TRegion::FromRect({0, 0, 100, 50});
  dc.SelectClipRgn(&clip);
  dc.SetTextColor(0x123456);
  PlayEnhMetafile(dc, emf, {10, 10, 90, 90});

  EXPECT_EQ(img.At(19, 19), 0xFFFFFFu);
  EXPECT_EQ(img.At(20, 20), 0xFF0000u);  // (5,5) * 2 + 10, red in the pixel layout
  EXPECT_EQ(img.At(49, 39), 0xFF0000u);
  EXPECT_EQ(img.At(50, 40), 0xFFFFFFu);
  EXPECT_EQ(img.At(75, 49), 0x0000FFu);
  EXPECT_EQ(img.At(75, 50), 0xFFFFFFu);  // outside the target's clip
  EXPECT_EQ(dc.GetTextColor(), 0x123456u) << "the target's state comes back";
  TRegion after;
  ASSERT_TRUE(dc.GetClipRgn(after));
  EXPECT_EQ(after, clip);
}

}  // namespace
