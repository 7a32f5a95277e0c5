// Each record kind the renderer handles, as the fragment of the content stream it writes. The
// metafiles are hand-made: one pixel is 0.75 point and the page is A4 (842 points high), so
// pixel (x, y) lies at (0.75 x, 842 - 0.75 y).
#include <gtest/gtest.h>

#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/regions/Region.h"
#include "pdf/emf/PdfEnum.h"
#include "tests/pdf/emf/EmfTestTools.h"
#include "tests/support/CaseNames.h"

namespace {

using W = TEmfRecordWriter;

std::string Select(uint32_t handle) { return W(EMR_SELECTOBJECT).U32(handle).Finish(); }
std::string Stock(uint32_t index) { return Select(ENHMETA_STOCK_OBJECT | index); }
std::string Pen(uint32_t handle, uint32_t style, int width, uint32_t color) {
  return W(EMR_CREATEPEN).U32(handle).U32(style).I32(width).I32(0).U32(color).Finish();
}
std::string Brush(uint32_t handle, uint32_t style, uint32_t color) {
  return W(EMR_CREATEBRUSHINDIRECT).U32(handle).U32(style).U32(color).U32(0).Finish();
}
std::string Box(uint32_t type, TRect r) { return W(type).Rect(r).Finish(); }
std::string MoveTo(int x, int y) { return W(EMR_MOVETOEX).Point({x, y}).Finish(); }
std::string LineTo(int x, int y) { return W(EMR_LINETO).Point({x, y}).Finish(); }
std::string Poly(uint32_t type, const std::vector<TPoint>& points) {
  bool small = type >= EMR_POLYBEZIER16;
  W w(type);
  w.Rect({0, 0, 100, 100}).U32(static_cast<uint32_t>(points.size()));
  for (TPoint p : points) small ? w.I16(static_cast<int16_t>(p.X)).I16(static_cast<int16_t>(p.Y)) : w.Point(p);
  return w.Finish();
}
// Region data of rectangles.
std::string RegionData(const std::vector<TRect>& rects) {
  W w(0);  // a scratch writer: its first 8 bytes are dropped
  TRect box = rects.front();
  w.U32(32).U32(1).U32(static_cast<uint32_t>(rects.size())).U32(static_cast<uint32_t>(rects.size() * 16)).Rect(box);
  for (const TRect& r : rects) w.Rect(r);
  return w.Finish().substr(8);
}
std::string FillRgn(uint32_t brush, const std::vector<TRect>& rects) {
  std::string data = RegionData(rects);
  return W(EMR_FILLRGN).Rect({0, 0, 100, 100}).U32(static_cast<uint32_t>(data.size())).U32(brush).Bytes(data).Finish();
}
std::string ClipRgn(const std::vector<TRect>& rects, int mode) {
  if (rects.empty()) return W(EMR_EXTSELECTCLIPRGN).U32(0).U32(static_cast<uint32_t>(mode)).Finish();
  std::string data = RegionData(rects);
  return W(EMR_EXTSELECTCLIPRGN).U32(static_cast<uint32_t>(data.size())).U32(static_cast<uint32_t>(mode)).Bytes(data).Finish();
}
// A 2 x 2 bitmap of 24 bits (red, green / blue, white) as STRETCHDIBITS to dest.
std::string StretchDib(TRect dest) {
  W w(EMR_STRETCHDIBITS);
  w.Rect(dest).I32(dest.Left).I32(dest.Top).I32(0).I32(0).I32(2).I32(2);
  w.U32(80).U32(40).U32(120).U32(16).U32(DIB_RGB_COLORS).U32(SRCCOPY).I32(dest.Width()).I32(dest.Height());
  w.U32(40).I32(2).I32(2).U16(1).U16(24).U32(0).U32(16).I32(0).I32(0).U32(0).U32(0);
  // Bottom row first: blue, white; then red, green (B, G, R bytes), rows padded to 8 bytes.
  w.Bytes(std::string("\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 8)).Bytes(std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8));
  return w.Finish();
}

struct Case {
  const char* Name;
  std::vector<std::string> Records;
  const char* Expected;      // a fragment of the content stream
  const char* Absent = "";   // must not occur (when not empty)
};

const TRect kBox{10, 10, 20, 20};  // 7.5 827 7.5 7.5 re

Case kCases[] = {
    {"rectangle in the initial black hairline pen and white brush", {Box(EMR_RECTANGLE, kBox)},
     "0 0 0 RG\n[] 0 d\n0 w\n1 1 1 rg\n7.5 827 7.5 7.5 re\nB\n"},
    {"reversed rectangle is normalized", {Box(EMR_RECTANGLE, {20, 20, 10, 10})}, "7.5 827 7.5 7.5 re\nB\n"},
    {"ellipse filled without a pen", {Stock(NULL_PEN), Stock(BLACK_BRUSH), Box(EMR_ELLIPSE, {0, 0, 20, 20})},
     "0 0 0 rg\n0 834.5 m\n", "RG"},
    {"ellipse is painted with f", {Stock(NULL_PEN), Box(EMR_ELLIPSE, {0, 0, 20, 20})}, "c\nf\n"},
    {"round rectangle", {Stock(NULL_BRUSH), W(EMR_ROUNDRECT).Rect({0, 0, 20, 20}).Size({4, 4}).Finish()}, "1.5 842 m\n"},
    {"polygon16 without brush is closed and stroked", {Stock(NULL_BRUSH), Poly(EMR_POLYGON16, {{0, 0}, {20, 0}, {20, 20}})},
     "0 842 m\n15 842 l\n15 827 l\nh\nS\n"},
    {"polygon with both is filled and stroked", {Poly(EMR_POLYGON, {{0, 0}, {20, 0}, {20, 20}})}, "15 827 l\nh\nB\n"},
    {"polygon with null pen and brush draws nothing", {Stock(NULL_PEN), Stock(NULL_BRUSH), Poly(EMR_POLYGON, {{0, 0}, {20, 0}, {20, 20}})},
     "q\nQ\n"},
    {"polyline", {Poly(EMR_POLYLINE, {{0, 0}, {20, 20}})}, "0 842 m\n15 827 l\nS\n"},
    {"polyline16 with the null pen draws nothing", {Stock(NULL_PEN), Poly(EMR_POLYLINE16, {{0, 0}, {20, 20}})}, "q\nQ\n"},
    {"polybezier16", {Poly(EMR_POLYBEZIER16, {{0, 0}, {4, 0}, {8, 0}, {12, 0}})}, "0 842 m\n3 842 6 842 9 842 c\nS\n"},
    {"polybezierto starts at the current position",
     {MoveTo(4, 4), Poly(EMR_POLYBEZIERTO, {{4, 0}, {8, 0}, {12, 0}})}, "3 839 m\n3 842 6 842 9 842 c\nS\n"},
    {"polylineto16 from the current position", {MoveTo(4, 4), Poly(EMR_POLYLINETO16, {{8, 4}, {8, 8}})},
     "3 839 m\n6 839 l\n6 836 l\nS\n"},
    {"a move to (0, 0) starts a LineTo chain, stroked before the rectangle's path",
     {MoveTo(0, 0), LineTo(20, 0), LineTo(20, 20), Box(EMR_RECTANGLE, kBox)},
     "0 842 m\n15 842 l\n15 827 l\nS\n1 1 1 rg\n7.5 827 7.5 7.5 re\nB\n"},
    {"a LineTo after another record goes on from where the last line ended",
     {LineTo(20, 0), W(EMR_SETTEXTCOLOR).U32(0xFF).Finish(), LineTo(20, 20)}, "15 842 m\n15 827 l\nS\n"},
    {"dashed red pen two pixels wide", {Pen(1, PS_DASH, 2, 0x0000FF), Select(1), LineTo(20, 0)},
     "1 0 0 RG\n[4 4 ] 0 d\n1.5 w\n0 842 m\n15 842 l\nS\n"},
    {"dotted, dash-dot and dash-dot-dot pens",
     {Pen(1, PS_DOT, 1, 0), Select(1), LineTo(1, 0), Pen(2, PS_DASHDOT, 1, 0), Select(2), LineTo(2, 0),
      Pen(3, PS_DASHDOTDOT, 1, 0), Select(3), LineTo(3, 0)},
     "[1 1 ] 0 d\n"},
    {"a table pen of width 0 is a hairline", {Pen(1, PS_SOLID, 0, 0x00FF00), Select(1), LineTo(20, 0)},
     "0 1 0 RG\n[] 0 d\n0 w\n0 842 m\n15 842 l\nS\n"},
    {"a PS_NULL pen draws nothing; the brush still fills", {Pen(1, PS_NULL, 1, 0), Select(1), Box(EMR_RECTANGLE, kBox)},
     "1 1 1 rg\n7.5 827 7.5 7.5 re\nf\n", "RG"},
    {"a null brush from the table fills nothing", {Brush(1, BS_NULL, 0xFF), Select(1), Box(EMR_RECTANGLE, kBox)},
     "7.5 827 7.5 7.5 re\nS\n", "rg"},
    {"a deleted brush cannot be selected", {Brush(1, BS_SOLID, 0xFF), W(EMR_DELETEOBJECT).U32(1).Finish(), Select(1),
      Box(EMR_RECTANGLE, kBox)}, "1 1 1 rg\n", "1 0 0 rg"},
    {"handles outside the table are ignored", {Brush(500, BS_SOLID, 0xFF), Select(500), Box(EMR_RECTANGLE, kBox)},
     "1 1 1 rg\n", "1 0 0 rg"},
    {"stock grey brush", {Stock(LTGRAY_BRUSH), Box(EMR_RECTANGLE, kBox)}, "0.67 0.67 0.67 rg\n"},
    {"FILLRGN with a stock brush", {FillRgn(ENHMETA_STOCK_OBJECT | BLACK_BRUSH, {{2, 2, 6, 6}})},
     "0 0 0 rg\n1.5 837.5 3 3 re\nf\n"},
    {"FILLRGN with a table brush", {Brush(2, BS_SOLID, 0xFF0000), FillRgn(2, {{2, 2, 6, 6}})}, "0 0 1 rg\n1.5 837.5 3 3 re\nf\n"},
    {"PAINTRGN with the current brush",
     {[] { std::string d = RegionData({{2, 2, 6, 6}});
           return W(EMR_PAINTRGN).Rect({0, 0, 100, 100}).U32(static_cast<uint32_t>(d.size())).Bytes(d).Finish(); }()},
     "1 1 1 rg\n1.5 837.5 3 3 re\nf\n"},
    {"FRAMERGN paints the region's rim",
     {[] { std::string d = RegionData({{0, 0, 10, 10}});
           return W(EMR_FRAMERGN).Rect({0, 0, 100, 100}).U32(static_cast<uint32_t>(d.size())).U32(ENHMETA_STOCK_OBJECT | BLACK_BRUSH)
               .I32(1).I32(1).Bytes(d).Finish(); }()},
     "0 0 0 rg\n0 841.25 7.5 0.75 re\n0 835.25 0.75 6 re\n6.75 835.25 0.75 6 re\n0 834.5 7.5 0.75 re\nf\n"},
    {"intersecting clip rectangle", {W(EMR_INTERSECTCLIPRECT).Rect({0, 0, 10, 10}).Finish(), Box(EMR_RECTANGLE, kBox)},
     "q\nq\n0 834.5 7.5 7.5 re\nW\nn\n0 0 0 RG\n"},
    {"restoring the state ends its clip, and colours are written again",
     {W(EMR_SAVEDC).Finish(), W(EMR_INTERSECTCLIPRECT).Rect({0, 0, 10, 10}).Finish(), Box(EMR_RECTANGLE, kBox),
      W(EMR_RESTOREDC).I32(-1).Finish(), Box(EMR_RECTANGLE, kBox)},
     "B\nQ\n0 0 0 RG\n[] 0 d\n0 w\n1 1 1 rg\n7.5 827 7.5 7.5 re\nB\nQ\n"},
    {"excluding a clip rectangle from an intersected one",
     {W(EMR_INTERSECTCLIPRECT).Rect({0, 0, 20, 10}).Finish(), W(EMR_EXCLUDECLIPRECT).Rect({0, 0, 10, 10}).Finish(),
      Box(EMR_RECTANGLE, kBox)},
     "Q\nq\n7.5 834.5 7.5 7.5 re\nW\nn\n"},
    {"a selected clip region, then none",
     {ClipRgn({{0, 0, 10, 10}}, RGN_COPY), Box(EMR_RECTANGLE, kBox), ClipRgn({}, RGN_COPY), Box(EMR_RECTANGLE, kBox)},
     "q\n0 834.5 7.5 7.5 re\nW\nn\n0 0 0 RG\n[] 0 d\n0 w\n1 1 1 rg\n7.5 827 7.5 7.5 re\nB\nQ\n0 0 0 RG\n"},
    {"an empty clip region hides everything", {ClipRgn({{0, 0, 10, 10}}, RGN_COPY), ClipRgn({{50, 50, 60, 60}}, RGN_AND)},
     "q\n0 842 0 0 re\nW\nn\n"},
    {"anisotropic window and viewport extents",
     {W(EMR_SETMAPMODE).U32(MM_ANISOTROPIC).Finish(), W(EMR_SETWINDOWEXTEX).Size({200, 200}).Finish(),
      W(EMR_SETVIEWPORTEXTEX).Size({100, 100}).Finish(), Box(EMR_RECTANGLE, {20, 20, 40, 40})},
     "7.5 827 7.5 7.5 re\n"},
    {"window and viewport origins (GDI: (x - window) * ratio + viewport)",
     {W(EMR_SETMAPMODE).U32(MM_ANISOTROPIC).Finish(), W(EMR_SETWINDOWEXTEX).Size({2, 2}).Finish(),
      W(EMR_SETVIEWPORTEXTEX).Size({1, 1}).Finish(), W(EMR_SETWINDOWORGEX).Point({-10, -10}).Finish(),
      W(EMR_SETVIEWPORTORGEX).Point({5, 5}).Finish(), Box(EMR_RECTANGLE, {0, 0, 20, 20})},
     "7.5 827 7.5 7.5 re\n"},
    {"extents are ignored in MM_TEXT", {W(EMR_SETWINDOWEXTEX).Size({200, 200}).Finish(), Box(EMR_RECTANGLE, kBox)},
     "7.5 827 7.5 7.5 re\n"},
    {"world transform scale and offset",
     {W(EMR_SETWORLDTRANSFORM).F32(0.5f).F32(0).F32(0).F32(0.5f).F32(5).F32(5).Finish(), Box(EMR_RECTANGLE, {10, 10, 30, 30})},
     "7.5 827 7.5 7.5 re\n"},
    {"pen width follows the world transform", {Pen(1, PS_SOLID, 2, 0), Select(1),
      W(EMR_MODIFYWORLDTRANSFORM).F32(2).F32(0).F32(0).F32(2).F32(0).F32(0).U32(4).Finish(), LineTo(10, 0)},
     "3 w\n"},
    {"a pattern blt fills with the brush",
     {Stock(BLACK_BRUSH), W(EMR_BITBLT).Rect(kBox).I32(10).I32(10).I32(10).I32(10).U32(PATCOPY).I32(0).I32(0)
                              .F32(1).F32(0).F32(0).F32(1).F32(0).F32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).Finish()},
     "0 0 0 rg\n7.5 827 7.5 7.5 re\nf\n"},
    {"a DIB becomes an image XObject", {StretchDib(kBox)}, "7.500000 0.000000 0.000000 7.500000 7.500000 827.000000 cm\n/VevImg0 Do\n"},
    {"an extended pen: style, width and colour of its EXTLOGPEN",
     {W(EMR_EXTCREATEPEN).U32(1).U32(0).U32(0).U32(0).U32(0).U32(PS_GEOMETRIC | PS_DOT).U32(4).U32(BS_SOLID).U32(0xFF0000)
          .U32(0).U32(0).Finish(), Select(1), LineTo(20, 0)},
     "0 0 1 RG\n[0 6 ] 0 d\n3 w\n1 J\n1 j\n"},
    {"a user-styled pen dashes by its own lengths",
     {W(EMR_EXTCREATEPEN).U32(1).U32(0).U32(0).U32(0).U32(0).U32(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT).U32(2)
          .U32(BS_SOLID).U32(0).U32(0).U32(2).U32(8).U32(4).Finish(), Select(1), LineTo(20, 0)},
     "[6 3 ] 0 d\n1.5 w\n1 j\n"},
    {"a path bracket is stroked with the pen selected after it ends",
     {W(EMR_BEGINPATH).Finish(), MoveTo(0, 0), LineTo(20, 0), LineTo(20, 20), W(EMR_CLOSEFIGURE).Finish(),
      W(EMR_ENDPATH).Finish(), Pen(1, PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 4, 0xFF), Select(1),
      W(EMR_STROKEPATH).Rect({}).Finish()},
     "1 0 0 RG\n[6 6 ] 0 d\n3 w\n2 J\n0 842 m\n15 842 l\n15 827 l\nh\nS\n"},
    {"a filled path bracket follows the fill mode",
     {Stock(BLACK_BRUSH), W(EMR_SETPOLYFILLMODE).U32(WINDING).Finish(), W(EMR_BEGINPATH).Finish(),
      Poly(EMR_POLYGON16, {{0, 0}, {20, 0}, {20, 20}}), W(EMR_ENDPATH).Finish(), W(EMR_FILLPATH).Rect({}).Finish()},
     "0 0 0 rg\n0 842 m\n15 842 l\n15 827 l\nh\nf\n"},
    {"stroked and filled, every figure of a path is closed, overlaps alternate",
     {W(EMR_BEGINPATH).Finish(), Poly(EMR_POLYLINE16, {{0, 0}, {20, 0}, {20, 20}}), Box(EMR_RECTANGLE, {4, 4, 8, 8}),
      Poly(EMR_POLYLINE16, {{0, 20}, {4, 24}}), W(EMR_ENDPATH).Finish(), W(EMR_STROKEANDFILLPATH).Rect({}).Finish()},
     "0 842 m\n15 842 l\n15 827 l\nh\n3 839 m\n6 839 l\n6 836 l\n3 836 l\nh\n0 827 m\n3 824 l\nh\nB*\n"},
    {"an aborted path bracket draws nothing",
     {W(EMR_BEGINPATH).Finish(), LineTo(20, 0), W(EMR_ABORTPATH).Finish(), W(EMR_STROKEPATH).Rect({}).Finish()},
     "q\nQ\n"},
    {"a path is painted once", {W(EMR_BEGINPATH).Finish(), LineTo(20, 0), W(EMR_ENDPATH).Finish(),
                                W(EMR_STROKEPATH).Rect({}).Finish(), W(EMR_FILLPATH).Rect({}).Finish()},
     "l\nS\nQ\n", "f*\n"},
    {"an extended pen with a null brush draws nothing",
     {W(EMR_EXTCREATEPEN).U32(1).U32(0).U32(0).U32(0).U32(0).U32(PS_GEOMETRIC).U32(4).U32(BS_NULL).U32(0xFF0000)
          .U32(0).U32(0).Finish(), Select(1), LineTo(20, 0)},
     "q\nQ\n"},
    {"polypolygon16: each polygon closed, one paint",
     {W(EMR_POLYPOLYGON16).Rect({0, 0, 100, 100}).U32(2).U32(6).U32(3).U32(3).I16(0).I16(0).I16(4).I16(0).I16(4).I16(4)
          .I16(8).I16(8).I16(12).I16(8).I16(12).I16(12).Finish()},
     "0 842 m\n3 842 l\n3 839 l\nh\n6 836 m\n9 836 l\n9 833 l\nh\nB\n"},
    {"polypolyline: open figures, stroked",
     {W(EMR_POLYPOLYLINE).Rect({0, 0, 100, 100}).U32(2).U32(4).U32(2).U32(2).Point({0, 0}).Point({4, 0}).Point({8, 8})
          .Point({12, 8}).Finish()},
     "0 842 m\n3 842 l\n6 836 m\n9 836 l\nS\n"},
    {"a polypolygon whose counts exceed its points draws what they hold",
     {W(EMR_POLYPOLYGON16).Rect({0, 0, 100, 100}).U32(2).U32(3).U32(3).U32(9).I16(0).I16(0).I16(4).I16(0).I16(4).I16(4).Finish()},
     "3 839 l\nh\nB\n"},
    {"moving the clip region",
     {W(EMR_INTERSECTCLIPRECT).Rect({0, 0, 10, 10}).Finish(), W(EMR_OFFSETCLIPRGN).Point({10, 10}).Finish()},
     "Q\nq\n7.5 827 7.5 7.5 re\nW\nn\n"},
    {"text in a font of an absurd height is left out, without a fault",
     {[] {
        W w(EMR_EXTCREATEFONTINDIRECTW);
        w.U32(1).I32(INT32_MIN).I32(INT32_MIN).I32(0).I32(0).I32(400).U32(0).U32(0);
        std::u16string face = u"Arial";
        face.resize(32);
        for (char16_t c : face) w.U16(c);
        return w.Finish();
      }(),
      Select(1),
      W(EMR_EXTTEXTOUTW).Rect({}).U32(GM_COMPATIBLE).F32(1).F32(1).Point({10, 10}).U32(1).U32(76).U32(0).Rect({})
          .U32(0).U16(u'A').Finish()},
     "q\nQ\n"},
    {"coordinates at the ends of the 32-bit range, clip offsets that add up beyond it",
     {W(EMR_INTERSECTCLIPRECT).Rect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}).Finish(),
      W(EMR_OFFSETCLIPRGN).Point({INT32_MAX, INT32_MAX}).Finish(), W(EMR_OFFSETCLIPRGN).Point({INT32_MAX, INT32_MAX}).Finish(),
      W(EMR_OFFSETCLIPRGN).Point({INT32_MIN, 0}).Finish(), Box(EMR_RECTANGLE, {INT32_MIN, 0, INT32_MAX, 10}),
      Box(EMR_ELLIPSE, {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}),
      W(EMR_BEGINPATH).Finish(), W(EMR_ROUNDRECT).Rect({INT32_MIN, 0, INT32_MAX, 10}).Size({4, 4}).Finish(), W(EMR_ENDPATH).Finish(),
      W(EMR_STROKEPATH).Rect({}).Finish()},
     "W\nn\n"},
    {"records it does not know", {W(EMR_SETROP2).U32(1).Finish(), W(EMR_BEGINPATH).Finish(), W(EMR_SETSTRETCHBLTMODE).U32(3).Finish()},
     "q\nQ\n"},
    // One pixel of the device, also inside a path bracket (as GDI draws it).
    {"a pixel", {W(EMR_BEGINPATH).Finish(), W(EMR_SETPIXELV).Point({2, 4}).U32(0x0000FF).Finish()},
     "1 0 0 rg\n1.5 838.25 0.75 0.75 re\nf\n"},
};

class RecordFragments : public ::testing::TestWithParam<Case> {};

TEST_P(RecordFragments, AppearInTheContentStream) {
  const Case& c = GetParam();
  std::string content = RenderedContent(Records(c.Records));
  EXPECT_NE(content.find(c.Expected), std::string::npos) << c.Name << "\n--- content:\n" << content;
  if (*c.Absent) {
    EXPECT_EQ(content.find(c.Absent), std::string::npos) << c.Name << "\n--- content:\n" << content;
  }
  EXPECT_EQ(Occurrences(content, "q\n"), Occurrences(content, "Q\n")) << c.Name << "\n" << content;
}

INSTANTIATE_TEST_SUITE_P(Records, RecordFragments, ::testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return CaseName(info.param.Name, info.index); });

}  // namespace
