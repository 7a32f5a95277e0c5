// What the recorder writes: object records with freed handles reused and selected objects
// kept alive across saved states, state records only on change, text with the advances the
// device context measures, metrics of the reference device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

namespace {

// The records between header and end of file as "type:first field" (or "type" alone).
std::vector<std::string> Summary(const std::string& emf) {
  TEmfReader reader(emf);
  std::vector<std::string> out;
  const auto& records = reader.Records();
  for (size_t i = 1; i + 1 < records.size(); ++i) {
    const TEmfRecord& r = records[i];
    std::string s = std::to_string(r.Type());
    if (r.Size() >= 12) s += ":" + std::to_string(r.I32(8));
    out.push_back(s);
  }
  return out;
}

std::string T(uint32_t type, int64_t field) { return std::to_string(type) + ":" + std::to_string(field); }
std::string T(uint32_t type) { return std::to_string(type); }

TEST(Recorder, ReusesFreedHandlesAndKeepsSavedSelectionsAlive) {
  TMetafileRecorder r;
  r.SelectPen(CreatePen(PS_SOLID, 2, 0xFF));        // handle 1
  r.SelectBrush(CreateSolidBrush(0xFF00));          // handle 2
  r.SaveDC();
  r.SelectPen(CreatePen(PS_DASH, 1, 0xFF0000));     // handle 3; 1 stays (saved state)
  r.RestoreDC(-1);                                  // 3 goes, 1 is back
  r.SelectPen(CreatePen(PS_SOLID, 5, 0));           // reuses 3; 1 goes
  r.SelectPen(NullPen());                           // stock; 3 goes
  const uint32_t stockNullPen = ENHMETA_STOCK_OBJECT | NULL_PEN;
  std::string emf = r.Finish(10, 10);
  EXPECT_EQ(Summary(emf),
            (std::vector<std::string>{T(EMR_CREATEPEN, 1), T(EMR_SELECTOBJECT, 1), T(EMR_CREATEBRUSHINDIRECT, 2),
                                      T(EMR_SELECTOBJECT, 2), T(EMR_SAVEDC), T(EMR_CREATEPEN, 3),
                                      T(EMR_SELECTOBJECT, 3), T(EMR_RESTOREDC, -1), T(EMR_DELETEOBJECT, 3),
                                      T(EMR_CREATEPEN, 3), T(EMR_SELECTOBJECT, 3), T(EMR_DELETEOBJECT, 1),
                                      T(EMR_SELECTOBJECT, static_cast<int32_t>(stockNullPen)),
                                      T(EMR_DELETEOBJECT, 3)}));
  EXPECT_EQ(TEmfReader(emf).Header().Handles, 4) << "the metafile's own entry and three handles";
}

TEST(Recorder, FillRectSelectsItsBrushForTheMomentOnly) {
  TMetafileRecorder r;
  r.SelectBrush(CreateSolidBrush(0x123456));
  r.FillRect({0, 0, 5, 5}, CreateSolidBrush(0x654321));
  r.FillRect({0, 0, 5, 5}, CreateSolidBrush(0x123456));
  std::string emf = r.Finish(10, 10);
  EXPECT_EQ(Summary(emf), (std::vector<std::string>{T(EMR_CREATEBRUSHINDIRECT, 1), T(EMR_SELECTOBJECT, 1),
                                                    T(EMR_CREATEBRUSHINDIRECT, 2), T(EMR_SELECTOBJECT, 2),
                                                    T(EMR_BITBLT, 0), T(EMR_SELECTOBJECT, 1), T(EMR_DELETEOBJECT, 2),
                                                    T(EMR_BITBLT, 0)}));
  TEmfReader reader(emf);
  const TEmfRecord& blt = reader.Records()[5];
  EXPECT_EQ(blt.U32(40), PATCOPY);
  EXPECT_EQ(blt.U32(84), 0u) << "no bitmap";
}

TEST(Recorder, WritesStateRecordsOnlyWhenTheValueChanges) {
  TMetafileRecorder r;
  r.SetTextColor(0);         // the default: nothing
  r.SetBkMode(OPAQUE);       // the default: nothing
  r.SetTextColor(0xFF);
  r.SetTextColor(0xFF);
  r.SetBkMode(TRANSPARENT);
  r.SetTextAlign(TA_BASELINE);
  r.SetROP2(R2_XORPEN);
  r.SetPolyFillMode(WINDING);
  r.SetStretchBltMode(HALFTONE);
  r.SetTextCharacterExtra(3);  // goes into the advances of the text records instead
  EXPECT_EQ(Summary(r.Finish(10, 10)),
            (std::vector<std::string>{T(EMR_SETTEXTCOLOR, 0xFF), T(EMR_SETBKMODE, TRANSPARENT),
                                      T(EMR_SETTEXTALIGN, TA_BASELINE), T(EMR_SETROP2, R2_XORPEN),
                                      T(EMR_SETPOLYFILLMODE, WINDING), T(EMR_SETSTRETCHBLTMODE, HALFTONE)}));
}

TEST(Recorder, TextCarriesTheMeasuredAdvances) {
  TLogFont f;
  f.lfFaceName = S("Arial");
  f.lfHeight = -17;
  TMetafileRecorder r;
  TMeasureDC measure;
  for (TDeviceContext* dc : {static_cast<TDeviceContext*>(&r), static_cast<TDeviceContext*>(&measure)}) {
    dc->SelectFont(TFontHandle::Create(f));
    dc->SetTextCharacterExtra(1);
    dc->SetTextJustification(5, 2);
  }
  const String text = u"Ab c d€";
  TTextFit fit = measure.GetTextExtentExPoint(text, -1);
  r.TextOut(7, 9, text);
  std::string emf = r.Finish(100, 40);
  TEmfReader reader(emf);
  const TEmfRecord* rec = nullptr;
  for (const TEmfRecord& x : reader.Records())
    if (x.Type() == EMR_EXTTEXTOUTW) rec = &x;
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(rec->PointL(36), (TPoint{7, 9}));
  ASSERT_EQ(rec->U32(44), text.size());
  String stored;
  for (uint32_t i = 0; i < text.size(); ++i) stored.push_back(rec->U16(rec->U32(48) + i * 2));
  EXPECT_EQ(stored, text);
  int running = 0;
  for (uint32_t i = 0; i < text.size(); ++i) {
    running += rec->I32(rec->U32(72) + i * 4);
    EXPECT_EQ(running, fit.PartialExtents[i]) << "character " << i;
  }

  // The font record names the face the caller asked for.
  for (const TEmfRecord& x : reader.Records())
    if (x.Type() == EMR_EXTCREATEFONTINDIRECTW) {
      EXPECT_EQ(x.Size(), 12 + LOGFONTPANOSE_SIZE);
      EXPECT_EQ(x.I32(12), -17);
      EXPECT_EQ(x.U16(40), u'A');
      EXPECT_EQ(x.U16(50), 0);
    }
}

TEST(Recorder, AnswersMetricsFromTheReferenceDevice) {
  TMetafileRecorder screen;
  EXPECT_EQ(screen.GetDeviceCaps(LOGPIXELSX), 96);
  EXPECT_EQ(screen.GetDeviceCaps(HORZRES), 1920);
  EXPECT_EQ(screen.GetPixel(0, 0), CLR_INVALID);
  EXPECT_EQ(screen.Pixels(), nullptr);
  TMeasureDC small({640, 480}, 8);
  TMetafileRecorder onSmall(&small);
  EXPECT_EQ(onSmall.GetDeviceCaps(HORZRES), 640);
  EXPECT_EQ(onSmall.GetDeviceCaps(BITSPIXEL), 8);
  TEmfReader reader(onSmall.Finish(64, 48));
  EXPECT_EQ(reader.Header().Device, (TSize{640, 480}));
  EXPECT_EQ(reader.Header().FramePixels(), (TRect{0, 0, 64, 48}));
}

TEST(Recorder, KeepsCommentBytesAndRefusesToRecordAfterFinishing) {
  TMetafileRecorder r;
  const std::string data("\x02\x0A\0\0\0\x0B\0\0\0\x14\0\0\0\x15\0\0\0anchor", 23);
  r.GdiComment(data);
  EXPECT_FALSE(r.DrawFocusRect({0, 0, 4, 4})) << "not expressible, so not recorded";
  std::string emf = r.Finish(10, 10);
  TEmfReader reader(emf);
  ASSERT_EQ(reader.Records().size(), 3u);
  const TEmfRecord& comment = reader.Records()[1];
  EXPECT_EQ(comment.Type(), EMR_GDICOMMENT);
  EXPECT_EQ(comment.Span(12, comment.U32(8)), data);
  EXPECT_THROW(r.Finish(10, 10), EInvalidOperation);
  EXPECT_THROW(r.Rectangle(0, 0, 1, 1), EInvalidOperation);
}

TEST(Recorder, WritesWideCoordinatesIn32Bits) {
  TMetafileRecorder r;
  r.Polyline({{0, 0}, {40000, 5}});
  r.Polyline({{0, 0}, {-32768, 32767}});
  auto s = Summary(r.Finish(10, 10));
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].substr(0, s[0].find(':')), std::to_string(EMR_POLYLINE));
  EXPECT_EQ(s[1].substr(0, s[1].find(':')), std::to_string(EMR_POLYLINE16));
}

}  // namespace
