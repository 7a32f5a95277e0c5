// Draws a 600 x 400 picture through the layer (text in three fonts, shapes, pens and brushes,
// a masked bitmap) and compares it with the reviewed picture tests/fixtures/pictures/gdi/
// snapshot.png; it also checks a few pixels whose colour is certain.
#include <gtest/gtest.h>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/RasterDC.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PictureReference.h"

namespace {

void DrawText(TCanvas& c) {
  struct TLine {
    const char16_t* Face;
    int Size;
    TFontStyles Style;
    TColor Color;
    const char16_t* Text;
  };
  const TLine lines[] = {
      {u"Arial", 16, fsBold, clNavy, u"Arial 16 pt fett: Größenänderung"},
      {u"Times New Roman", 14, fsItalic, clMaroon, u"Times New Roman 14 pt kursiv – „Anführung“"},
      {u"Courier New", 11, fsUnderline, clBlack, u"Courier New 11 pt: 0123456789 {}[]"},
  };
  int y = 12;
  c.Brush().SetStyle(bsClear);
  for (const TLine& l : lines) {
    c.Font().SetName(l.Face);
    c.Font().SetSize(l.Size);
    c.Font().SetStyle(l.Style);
    c.Font().SetColor(l.Color);
    c.TextOut(16, y, l.Text);
    y += c.TextHeight(l.Text) + 6;
  }
  // Opaque text, rotated text and centred text in a frame.
  c.Font().SetName(u"Arial");
  c.Font().SetSize(10);
  c.Font().SetStyle(0);
  c.Font().SetColor(clWhite);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clTeal);
  c.TextOut(16, y + 4, u" weiß auf blaugrün ");
  c.Font().SetOrientation(900);
  c.Font().SetColor(clPurple);
  c.Brush().SetStyle(bsClear);
  c.TextOut(572, 200, u"senkrecht");
  c.Font().SetOrientation(0);
  c.Font().SetColor(clBlack);
  TRect box{330, 92, 560, 146};
  c.Brush().SetColor(clCream);
  c.Brush().SetStyle(bsSolid);
  c.FillRect(box);
  c.Brush().SetColor(clGray);
  c.FrameRect(box);
  c.Brush().SetStyle(bsClear);
  c.Handle().SelectFont(c.Font().Handle());
  c.Handle().SetBkMode(TRANSPARENT);
  c.Handle().SetTextColor(0x000000);
  c.Handle().DrawText(u"DrawText mit Zeilenumbruch: zentriert in einem Rahmen, der zu schmal ist", box,
                      DT_CENTER | DT_WORDBREAK);
  c.DrawFocusRect({box.Left + 4, box.Bottom - 16, box.Right - 4, box.Bottom - 3});
}

void DrawShapes(TCanvas& c) {
  c.Pen().SetColor(clBlack);
  c.Pen().SetWidth(1);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clSkyBlue);
  c.Rectangle(16, 150, 116, 220);
  c.Brush().SetColor(clMoneyGreen);
  c.Ellipse(130, 150, 230, 220);
  c.Brush().SetColor(clYellow);
  c.RoundRect(244, 150, 344, 220, 24, 24);
  c.Brush().SetColor(clRed);
  c.Pie(358, 150, 448, 240, 448, 195, 403, 150);
  c.Brush().SetColor(clLime);
  c.Polygon({{470, 220}, {500, 150}, {530, 220}, {460, 175}, {540, 175}});
  // Pens: dashed, dotted, wide, inside frame, geometric with square caps.
  c.Brush().SetStyle(bsClear);
  const TPenStyle styles[] = {psDash, psDot, psDashDot, psDashDotDot};
  for (int i = 0; i < 4; ++i) {
    c.Pen().SetStyle(styles[i]);
    c.MoveTo(16, 250 + 8 * i);
    c.LineTo(216, 250 + 8 * i);
  }
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(5);
  c.Pen().SetColor(clBlue);
  c.MoveTo(16, 300);
  c.LineTo(216, 320);
  c.Pen().SetStyle(psInsideFrame);
  c.Brush().SetStyle(bsDiagCross);
  c.Brush().SetColor(clGreen);
  c.Rectangle(230, 250, 330, 330);
  c.Brush().SetStyle(bsHorizontal);
  c.Pen().SetStyle(psClear);
  c.Ellipse(340, 250, 420, 330);
  TDeviceContext& dc = c.Handle();
  dc.SelectPen(CreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 4, 0x0080FF));
  dc.Polyline({{16, 350}, {120, 390}, {220, 350}});
  dc.SelectPen(CreatePen(PS_SOLID, 2, 0x800080));
  dc.MoveToEx(240, 390);
  dc.PolyBezier({{240, 390}, {280, 330}, {330, 400}, {380, 345}});
}

// A 64 x 48 bitmap with a magenta background and a smiling face, drawn with its background
// transparent over a striped area: the stripes must show through.
void DrawMaskedBitmap(TCanvas& c) {
  c.Brush().SetStyle(bsSolid);
  for (int i = 0; i < 8; ++i) {
    c.Brush().SetColor(i % 2 ? clSilver : clWhite);
    c.FillRect({440 + 18 * i, 250, 458 + 18 * i, 390});
  }
  TBitmap face(64, 48, pf24bit);
  TCanvas& fc = face.Canvas();
  fc.Brush().SetColor(clFuchsia);
  fc.FillRect({0, 0, 64, 48});
  fc.Brush().SetColor(clYellow);
  fc.Pen().SetColor(clBlack);
  fc.Ellipse(8, 0, 56, 48);
  fc.Brush().SetColor(clBlack);
  fc.Ellipse(20, 12, 26, 20);
  fc.Ellipse(38, 12, 44, 20);
  fc.Arc(18, 16, 46, 40, 18, 30, 46, 30);
  face.SetTransparentColor(clFuchsia);
  face.SetTransparent(true);
  c.Draw(460, 270, face);
  c.StretchDraw({500, 320, 596, 392}, face);
}

TEST(Snapshot, MatchesTheReviewedPicture) {
  TPixelImage img(600, 400);
  TRasterDC dc(img.Buffer());
  TCanvas canvas(&dc);
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect({0, 0, 600, 400});
  DrawText(canvas);
  DrawShapes(canvas);
  DrawMaskedBitmap(canvas);

  // Shapes are drawn without anti-aliasing; the text's grey edges may shift a little with
  // another FreeType.
  EXPECT_TRUE(MatchesReference(PictureOf(img), "gdi/snapshot", {.Channel = 48, .Pixels = 150}));

  EXPECT_EQ(img.At(17, 151), ColorRefToPixel(ColorToRGB(clSkyBlue)));  // inside the rectangle
  EXPECT_EQ(img.At(16, 150), 0x000000u);                                // its outline
  EXPECT_EQ(img.At(462, 272), ColorRefToPixel(ColorToRGB(clSilver)));   // a corner of the face: transparent
  EXPECT_EQ(img.At(478, 272), ColorRefToPixel(ColorToRGB(clWhite)));    // ... over the next stripe
  EXPECT_EQ(img.At(492, 305), ColorRefToPixel(ColorToRGB(clYellow)));   // the face itself
}

}  // namespace
