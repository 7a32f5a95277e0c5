// The reader's checks on malformed metafiles, and the player's on records whose fields point
// outside them: a clear exception, no read out of bounds (the sanitizers watch), and the target
// gets its state back.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/metafile/EmfPlayer.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/MetafileRecorder.h"

namespace {

void Put32(std::string& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }
uint32_t Get32(const std::string& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

// A small valid metafile: a red rectangle on 20 x 20 pixels.
std::string Valid() {
  TMetafileRecorder r;
  r.SelectBrush(CreateSolidBrush(0xFF));
  r.Rectangle(2, 2, 10, 10);
  return r.Finish(20, 20);
}

// The metafile with extra records before its end-of-file record, header counts adjusted.
std::string WithRecords(std::string emf, const std::vector<std::string>& records) {
  size_t eof = emf.size() - 20;
  std::string all;
  for (const std::string& rec : records) all += rec;
  emf.insert(eof, all);
  Put32(emf, 48, static_cast<uint32_t>(emf.size()));
  Put32(emf, 52, Get32(emf, 52) + static_cast<uint32_t>(records.size()));
  return emf;
}

struct Broken {
  const char* Name;
  std::function<std::string()> Make;
  bool FieldOnly = false;  // the chain of records is sound; a field points outside its record
};

class ReaderRefuses : public ::testing::TestWithParam<Broken> {};

TEST_P(ReaderRefuses, WithAnInvalidMetafileError) {
  std::string data = GetParam().Make();
  if (GetParam().FieldOnly)
    EXPECT_NO_THROW(TEmfReader{data});
  else
    EXPECT_THROW(TEmfReader{data}, EInvalidMetafile);
  TPixelImage img(20, 20);
  TRasterDC dc(img.Buffer());
  EXPECT_THROW(PlayEnhMetafile(dc, data, {0, 0, 20, 20}), EInvalidMetafile);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, ReaderRefuses,
    ::testing::Values(
        Broken{"Empty", [] { return std::string(); }},
        Broken{"ShorterThanAHeader", [] { return Valid().substr(0, 60); }},
        Broken{"WrongSignature", [] { std::string d = Valid(); d[40] = 'X'; return d; }},
        Broken{"NotAHeaderFirst", [] { std::string d = Valid(); Put32(d, 0, EMR_EOF); return d; }},
        Broken{"HeaderSizeBeyondData", [] { std::string d = Valid(); Put32(d, 4, 1u << 30); return d; }},
        Broken{"HeaderSizeNotAligned", [] { std::string d = Valid(); Put32(d, 4, 110); return d; }},
        Broken{"TruncatedFile", [] { std::string d = Valid(); return d.substr(0, d.size() - 8); }},
        Broken{"RecordOfSizeZero", [] { std::string d = Valid(); Put32(d, 108 + 4, 0); return d; }},
        Broken{"RecordSizeNotAligned", [] { std::string d = Valid(); Put32(d, 108 + 4, Get32(d, 112) + 2); return d; }},
        Broken{"RecordRunsPastTheEnd",
               [] { std::string d = Valid(); Put32(d, d.size() - 20 + 4, 24); return d; }},
        Broken{"NoEndOfFileRecord",
               [] {
                 std::string d = Valid();
                 d.resize(d.size() - 20);
                 Put32(d, 48, static_cast<uint32_t>(d.size()));
                 return d;
               }},
        Broken{"PolygonCountBeyondItsRecord",
               [] {
                 TEmfRecordWriter w(EMR_POLYGON16);
                 w.Rect({}).U32(1000).I16(1).I16(1).I16(5).I16(5).I16(1).I16(9);
                 return WithRecords(Valid(), {w.Finish()});
               },
               true},
        Broken{"TextStringOutsideItsRecord",
               [] {
                 TEmfRecordWriter w(EMR_EXTTEXTOUTW);
                 w.Rect({}).U32(1).F32(0).F32(0).I32(0).I32(0).U32(4).U32(0x7FFFFFF0).U32(0).Rect({}).U32(0);
                 return WithRecords(Valid(), {w.Finish()});
               },
               true},
        Broken{"BitmapOffsetsOutsideTheRecord",
               [] {
                 TEmfRecordWriter w(EMR_STRETCHDIBITS);
                 w.Rect({}).I32(0).I32(0).I32(0).I32(0).I32(2).I32(2).U32(80).U32(40).U32(0xFFFFFFF0).U32(64);
                 w.U32(0).U32(SRCCOPY).I32(2).I32(2);
                 return WithRecords(Valid(), {w.Finish()});
               },
               true},
        Broken{"RegionCountBeyondItsData",
               [] {
                 TEmfRecordWriter w(EMR_EXTSELECTCLIPRGN);
                 w.U32(48).U32(RGN_COPY).U32(32).U32(1).U32(0x10000000).U32(16).Rect({}).Rect({0, 0, 5, 5});
                 return WithRecords(Valid(), {w.Finish()});
               },
               true},
        Broken{"FontRecordShorterThanALogFont",
               [] {
                 TEmfRecordWriter w(EMR_EXTCREATEFONTINDIRECTW);
                 w.U32(1).I32(-12);
                 std::string d = WithRecords(Valid(), {w.Finish()});
                 return d;
               },
               true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Reader, EnumeratesRecordsAsViewsAndStopsAtEndOfFile) {
  std::string data = Valid() + "trailing bytes";
  TEmfReader reader(data);
  const auto& records = reader.Records();
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(records.front().Type(), EMR_HEADER);
  EXPECT_EQ(records.back().Type(), EMR_EOF);
  size_t at = 0;
  for (const TEmfRecord& r : records) {
    EXPECT_EQ(r.Offset(), at);
    at += r.Size();
  }
  EXPECT_EQ(at, reader.Header().Bytes);
  const TEmfRecord& rect = records[records.size() - 2];
  EXPECT_EQ(rect.Type(), EMR_RECTANGLE);
  EXPECT_EQ(rect.RectL(8), (TRect{2, 2, 10, 10}));
  EXPECT_THROW(rect.U32(rect.Size() - 2), EInvalidMetafile);
  EXPECT_THROW(rect.Array(8, SIZE_MAX / 2, 16), EInvalidMetafile);
}

// A header whose frame and reference device lie at the ends of the 32-bit range: the frame in
// pixels needs more than 64 bits on the way (the sanitizers watch) and is cut to the range.
TEST(Reader, FramePixelsOfAHeaderAtTheEndsOfTheRange) {
  std::string data = Valid();
  Put32(data, 28, static_cast<uint32_t>(INT32_MIN));  // Frame.Top
  Put32(data, 36, 2000);                               // Frame.Bottom: 20 mm
  Put32(data, 76, static_cast<uint32_t>(INT32_MAX));  // Device.cy
  Put32(data, 84, 1);                                  // Millimeters.cy
  Put32(data, 104, 0);                                 // no micrometres: the millimetres count
  TEmfReader reader(data);
  TRect frame = reader.Header().FramePixels();
  EXPECT_EQ(frame.Top, INT32_MIN);
  EXPECT_EQ(frame.Bottom, INT32_MAX);
  EXPECT_EQ(frame.Left, 0);
  TPixelImage img(20, 20, 0xFFFFFF);
  TRasterDC dc(img.Buffer());
  EXPECT_NO_THROW(PlayEnhMetafile(dc, data, {0, 0, 20, 20}));
}

// Handles outside the table, restores of states the metafile never saved and a zero window
// extent are ignored; the target keeps its own saved state and gets it back.
TEST(Player, IgnoresOutOfTableHandlesAndUnbalancedRestores) {
  std::string data = WithRecords(
      Valid(), {TEmfRecordWriter(EMR_CREATEPEN).U32(500).U32(PS_SOLID).I32(3).I32(0).U32(0xFF00).Finish(),
                TEmfRecordWriter(EMR_SELECTOBJECT).U32(500).Finish(),
                TEmfRecordWriter(EMR_DELETEOBJECT).U32(0).Finish(),
                TEmfRecordWriter(EMR_RESTOREDC).I32(-3).Finish(),
                TEmfRecordWriter(EMR_RESTOREDC).I32(2).Finish(),
                TEmfRecordWriter(EMR_SETMAPMODE).U32(MM_ANISOTROPIC).Finish(),
                TEmfRecordWriter(EMR_SETWINDOWEXTEX).I32(0).I32(0).Finish(),
                TEmfRecordWriter(EMR_SETTEXTCOLOR).U32(0xFF).Finish(),
                TEmfRecordWriter(EMR_RECTANGLE).Rect({12, 12, 18, 18}).Finish()});
  TPixelImage img(20, 20);
  TRasterDC dc(img.Buffer());
  dc.SetTextColor(0x00FF00);
  int level = dc.SaveDC();
  PlayEnhMetafile(dc, data, {0, 0, 20, 20});
  EXPECT_EQ(dc.GetTextColor(), 0x00FF00u);
  EXPECT_TRUE(dc.RestoreDC(level)) << "the caller's saved state is still there";
  EXPECT_EQ(img.At(12, 12), 0x000000u) << "drawn with the stock black pen, the table pen never existed";
  EXPECT_EQ(img.At(15, 15), 0xFF0000u) << "...and the red brush, at unchanged scale";
}

// Poly-polygons inside a path bracket of the metafile add to its path, which is filled as a
// whole when the metafile says so.
TEST(Player, PolyPolygonsInsideAPathBracketJoinThePath) {
  std::string emf = WithRecords(
      Valid(), {TEmfRecordWriter(EMR_SELECTOBJECT).U32(ENHMETA_STOCK_OBJECT | NULL_PEN).Finish(),
                TEmfRecordWriter(EMR_BEGINPATH).Finish(),
                TEmfRecordWriter(EMR_RECTANGLE).Rect({12, 2, 18, 8}).Finish(),
                TEmfRecordWriter(EMR_POLYPOLYGON16).Rect({}).U32(1).U32(3).U32(3).I16(12).I16(12).I16(18).I16(12)
                    .I16(12).I16(18).Finish(),
                TEmfRecordWriter(EMR_ENDPATH).Finish(),
                TEmfRecordWriter(EMR_FILLPATH).Rect({}).Finish()});
  TPixelImage img(20, 20);
  TRasterDC dc(img.Buffer());
  PlayEnhMetafile(dc, emf, {0, 0, 20, 20});
  EXPECT_EQ(img.At(15, 5), 0xFF0000u) << "the rectangle drawn before the poly-polygon stays in the path";
  EXPECT_EQ(img.At(13, 13), 0xFF0000u);
  EXPECT_EQ(img.At(17, 17), 0xFFFFFFu);
}

// A scaling world transform set inside a saved state moves and scales the shapes drawn
// under it, and is gone with the state.
TEST(Player, AppliesWorldTransformsUntilTheirStateIsRestored) {
  std::string emf = WithRecords(
      Valid(), {TEmfRecordWriter(EMR_SAVEDC).Finish(),
                TEmfRecordWriter(EMR_SETWORLDTRANSFORM).F32(1).F32(0).F32(0).F32(1).F32(10).F32(0).Finish(),
                TEmfRecordWriter(EMR_MODIFYWORLDTRANSFORM).F32(0.5f).F32(0).F32(0).F32(0.5f).F32(0).F32(0).U32(3).Finish(),
                TEmfRecordWriter(EMR_SELECTOBJECT).U32(ENHMETA_STOCK_OBJECT | NULL_PEN).Finish(),
                TEmfRecordWriter(EMR_RECTANGLE).Rect({0, 20, 8, 28}).Finish(),  // (x+10)/2: 5..9, y 10..14
                TEmfRecordWriter(EMR_RESTOREDC).I32(-1).Finish(),
                TEmfRecordWriter(EMR_SELECTOBJECT).U32(ENHMETA_STOCK_OBJECT | NULL_PEN).Finish(),
                TEmfRecordWriter(EMR_RECTANGLE).Rect({14, 14, 18, 18}).Finish()});
  TPixelImage img(20, 20);
  TRasterDC dc(img.Buffer());
  PlayEnhMetafile(dc, emf, {0, 0, 20, 20});
  const uint32_t red = 0xFF0000;
  EXPECT_EQ(img.At(5, 10), red);
  EXPECT_EQ(img.At(7, 12), red);
  EXPECT_EQ(img.At(8, 12), 0xFFFFFFu) << "a rectangle without pen leaves its right edge";
  EXPECT_EQ(img.At(4, 10), 0xFFFFFFu);
  EXPECT_EQ(img.At(14, 14), red) << "no transform after the restore";
  EXPECT_EQ(img.At(16, 16), red);
}

}  // namespace
