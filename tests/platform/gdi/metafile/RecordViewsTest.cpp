// The typed views of metafile records that the raster player and the PDF renderer share: the
// fields they give for hand-made records, and what they make of fields that disagree with
// each other.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecordViews.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/gdi/metafile/EmfRecords.h"

namespace {

using W = TEmfRecordWriter;

// A record as the reader hands it out (the bytes must outlive the view).
struct Held {
  explicit Held(std::string bytes) : Bytes(std::move(bytes)), Record(Bytes, 0) {}
  std::string Bytes;
  TEmfRecord Record;
};

TEST(RecordViews, PointsOf16And32BitRecordsAreTheSame) {
  Held wide(W(EMR_POLYLINE).Rect({}).U32(2).Point({-3, 4}).Point({500, -600}).Finish());
  Held small(W(EMR_POLYLINE16).Rect({}).U32(2).I16(-3).I16(4).I16(500).I16(-600).Finish());
  std::vector<TPoint> expected{{-3, 4}, {500, -600}};
  EXPECT_EQ(ReadEmfPolyPoints(wide.Record), expected);
  EXPECT_EQ(ReadEmfPolyPoints(small.Record), expected);
}

TEST(RecordViews, PolyPolygonFiguresStopWhereTheCountsOutrunThePoints) {
  Held r(W(EMR_POLYPOLYGON16).Rect({}).U32(3).U32(4).U32(2).U32(2).U32(5)
             .I16(0).I16(0).I16(1).I16(1).I16(2).I16(2).I16(3).I16(3).Finish());
  std::vector<std::vector<TPoint>> figures = ReadEmfPolyPolyPoints(r.Record);
  ASSERT_EQ(figures.size(), 2u);
  EXPECT_EQ(figures[1], (std::vector<TPoint>{{2, 2}, {3, 3}}));
}

// Bounds, graphics mode and scales, then the EMRTEXT with the string at 76 and the advances
// after it.
std::string TextRecord(uint32_t type, std::string_view string, uint32_t chars, uint32_t options,
                       const std::vector<int32_t>& dx) {
  const uint32_t dxAt = 76 + static_cast<uint32_t>((string.size() + 3) / 4 * 4);
  W w(type);
  w.Rect({}).U32(GM_COMPATIBLE).F32(1).F32(1).Point({10, 20}).U32(chars).U32(76).U32(options).Rect({1, 2, 3, 4});
  w.U32(dx.empty() ? 0 : dxAt).Bytes(string).Pad();
  for (int32_t d : dx) w.I32(d);
  return w.Finish();
}

TEST(RecordViews, AnsiTextIsConvertedAndKeepsItsAdvances) {
  Held r(TextRecord(EMR_EXTTEXTOUTA, "Gr\xFC\xDF" "e", 5, ETO_CLIPPED | ETO_GLYPH_INDEX, {7, 8, 9, 10, 11}));
  TEmfText t = ReadEmfText(r.Record);
  EXPECT_EQ(t.Text, u"Grüße");
  EXPECT_EQ(t.Dx, (std::vector<int32_t>{7, 8, 9, 10, 11}));
  EXPECT_EQ(t.Reference, (TPoint{10, 20}));
  EXPECT_EQ(t.Rect, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(t.Options, uint32_t{ETO_CLIPPED}) << "the bytes of ANSI text are characters, never glyph indexes";
}

TEST(RecordViews, WideTextWithXAndYAdvancesGivesTheXOnes) {
  constexpr uint32_t ETO_PDY = 0x2000;
  Held r(TextRecord(EMR_EXTTEXTOUTW, std::string("A\0\xAC\x20", 4), 2, ETO_PDY | ETO_GLYPH_INDEX, {5, 1, 6, 2}));
  TEmfText t = ReadEmfText(r.Record);
  EXPECT_EQ(t.Text, u"A€");
  EXPECT_EQ(t.Dx, (std::vector<int32_t>{5, 6}));
  EXPECT_EQ(t.Options, ETO_PDY | ETO_GLYPH_INDEX);
}

TEST(RecordViews, PensFromBothPenRecords) {
  Held plain(W(EMR_CREATEPEN).U32(3).U32(PS_DASH).I32(2).I32(0).U32(0x01123456).Finish());
  TEmfPen p = ReadEmfPen(plain.Record);
  EXPECT_EQ(p.Handle, 3u);
  EXPECT_EQ(p.Pen, (TLogPen{PS_DASH, 2, 0x123456}));

  auto extended = [](uint32_t style, uint32_t width, uint32_t brushStyle, std::vector<uint32_t> entries) {
    W w(EMR_EXTCREATEPEN);
    w.U32(4).U32(0).U32(0).U32(0).U32(0).U32(style).U32(width).U32(brushStyle).U32(0xFF).U32(0);
    w.U32(static_cast<uint32_t>(entries.size()));
    for (uint32_t e : entries) w.U32(e);
    return w.Finish();
  };
  Held user(extended(PS_GEOMETRIC | PS_USERSTYLE, 6, BS_SOLID, {9, 3}));
  TEmfPen u = ReadEmfPen(user.Record);
  EXPECT_EQ(u.Pen, (TLogPen{PS_GEOMETRIC | PS_USERSTYLE, 6, 0xFF}));
  EXPECT_EQ(u.StyleEntries, (std::vector<uint32_t>{9, 3}));
  Held hollow(extended(PS_GEOMETRIC | PS_DASH, 6, BS_NULL, {}));
  EXPECT_TRUE(ReadEmfPen(hollow.Record).Pen.IsNull()) << "drawn with a null brush, the pen draws nothing";
  Held huge(extended(PS_GEOMETRIC, 0xFFFFFFFF, BS_SOLID, {}));
  EXPECT_EQ(ReadEmfPen(huge.Record).Pen.Width, std::numeric_limits<int>::max());
  // More entries announced than the record holds.
  Held cut(W(EMR_EXTCREATEPEN).U32(4).U32(0).U32(0).U32(0).U32(0).U32(PS_USERSTYLE).U32(1).U32(BS_SOLID).U32(0)
               .U32(0).U32(1000).Finish());
  EXPECT_THROW(ReadEmfPen(cut.Record), EInvalidMetafile);
}

// A 2 x 4 bitmap of 24 bits, its height positive (bottom-up) or negative (top-down).
std::string StretchDib(int height) {
  W w(EMR_STRETCHDIBITS);
  w.Rect({}).I32(5).I32(6).I32(0).I32(1).I32(2).I32(2).U32(80).U32(40).U32(120).U32(32);
  w.U32(DIB_RGB_COLORS).U32(SRCCOPY).I32(20).I32(30);
  w.U32(40).I32(2).I32(height).U16(1).U16(24).U32(0).U32(32).I32(0).I32(0).U32(0).U32(0);
  w.Bytes(std::string(32, '\x7F'));
  return w.Finish();
}

TEST(RecordViews, StretchDibSourceRowsCountFromTheTop) {
  Held bottomUp(StretchDib(4)), topDown(StretchDib(-4));
  TEmfStretchDib a = ReadEmfStretchDib(bottomUp.Record), b = ReadEmfStretchDib(topDown.Record);
  EXPECT_EQ(a.Source, (TPoint{0, 1})) << "rows 1 and 2 from the bottom of 4 are rows 1 and 2 from the top";
  EXPECT_EQ(b.Source, (TPoint{0, 1}));
  EXPECT_EQ(a.Dest, (TPoint{5, 6}));
  EXPECT_EQ(a.DestSize, (TSize{20, 30}));
  EXPECT_EQ(a.Info.size(), 40u);
  EXPECT_EQ(a.Bits.size(), 32u);
  Held none(W(EMR_BITBLT).Rect({}).I32(0).I32(0).I32(4).I32(4).U32(PATCOPY).I32(0).I32(0).F32(1).F32(0).F32(0)
                .F32(1).F32(0).F32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).Finish());
  EXPECT_FALSE(ReadEmfBlt(none.Record).HasBitmap());
}

TEST(RecordViews, WorldTransformsThatCollapseOrAreNotFiniteAreRefused) {
  auto modify = [](float m11, float m22, float dx, uint32_t mode) {
    return W(EMR_MODIFYWORLDTRANSFORM).F32(m11).F32(0).F32(0).F32(m22).F32(dx).F32(0).U32(mode).Finish();
  };
  const TXForm shifted{1, 0, 0, 1, 10, 0};
  Held left(modify(2, 2, 0, 2)), right(modify(2, 2, 0, 3)), flat(modify(0, 2, 0, 4)),
      infinite(modify(2, 2, std::numeric_limits<float>::infinity(), 4)), unknown(modify(2, 2, 0, 9));
  EXPECT_EQ(ApplyEmfWorldTransform(left.Record, shifted)->eDx, 10) << "scaled first, then shifted";
  EXPECT_EQ(ApplyEmfWorldTransform(right.Record, shifted)->eDx, 20) << "shifted first, then scaled";
  EXPECT_FALSE(ApplyEmfWorldTransform(flat.Record, shifted));
  EXPECT_FALSE(ApplyEmfWorldTransform(infinite.Record, shifted));
  EXPECT_FALSE(ApplyEmfWorldTransform(unknown.Record, shifted));
}

}  // namespace
