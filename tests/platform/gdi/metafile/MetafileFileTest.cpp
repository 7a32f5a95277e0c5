// Recorded metafiles as files: the header agrees with the records, the object table is used
// consistently, an independent reader (emf2svg from libemf2svg) converts them, and TMetafile
// saves, loads, draws and refuses what is not a metafile.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileCanvas.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/gdi/codecs/ImageOracle.h"

namespace {

uint32_t U32At(const std::string& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

// Walks the records by hand (not through TEmfReader) and checks what a reader relies on.
void ExpectConsistentHeaderAndHandles(const std::string& emf) {
  ASSERT_GE(emf.size(), 108u);
  EXPECT_EQ(U32At(emf, 0), EMR_HEADER);
  EXPECT_EQ(U32At(emf, 40), ENHMETA_SIGNATURE);
  const uint32_t handles = U32At(emf, 56) & 0xFFFF;
  size_t at = 0;
  uint32_t records = 0, lastType = 0;
  std::set<uint32_t> live;
  while (at < emf.size()) {
    uint32_t type = U32At(emf, at), size = U32At(emf, at + 4);
    ASSERT_TRUE(size >= 8 && size % 4 == 0 && size <= emf.size() - at) << "record at " << at;
    ++records;
    lastType = type;
    uint32_t handle = size >= 12 ? U32At(emf, at + 8) : 0;
    switch (type) {
      case EMR_CREATEPEN: case EMR_CREATEBRUSHINDIRECT: case EMR_EXTCREATEFONTINDIRECTW:
        EXPECT_LT(handle, handles);
        EXPECT_NE(handle, 0u);
        EXPECT_TRUE(live.insert(handle).second) << "handle " << handle << " created while in use";
        break;
      case EMR_SELECTOBJECT:
        if (!(handle & ENHMETA_STOCK_OBJECT)) {
          EXPECT_TRUE(live.count(handle)) << "selects a deleted handle";
        }
        break;
      case EMR_DELETEOBJECT: EXPECT_EQ(live.erase(handle), 1u) << "deletes an unknown handle"; break;
      default: break;
    }
    at += size;
  }
  EXPECT_EQ(at, U32At(emf, 48)) << "record sizes add up to the header's byte count";
  EXPECT_EQ(records, U32At(emf, 52));
  EXPECT_EQ(lastType, EMR_EOF);
}

TFontHandle Font(const char* face, int height) {
  TLogFont f;
  f.lfFaceName = Utf8ToString(face);
  f.lfHeight = height;
  return TFontHandle::Create(f);
}

// A page as the HTML engine draws one: background, a border region, clipped cell text in two
// fonts, a picture, a comment.
void DrawPage(TMetafile& mf) {
  mf.SetWidth(300);
  mf.SetHeight(200);
  TMetafileCanvas canvas(mf);
  canvas.Brush().SetColor(0xF0F8FF);
  canvas.FillRect(Rect(0, 0, 301, 200));
  TDeviceContext& dc = canvas.Handle();
  dc.FillRgn(TRegion::FromPolygon({{10, 10}, {290, 10}, {288, 12}, {12, 12}}, ALTERNATE), CreateSolidBrush(0x808080));
  dc.SaveDC();
  dc.IntersectClipRect({10, 20, 150, 60});
  dc.SelectFont(Font("Arial", -14));
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(12, 22, u"Wendrel Seite");
  dc.RestoreDC(-1);
  dc.SelectFont(Font("Times New Roman", -18));
  dc.TextOut(12, 70, u"Zweite Schrift");
  for (int i = 0; i < 5; ++i) {
    dc.SelectPen(CreatePen(PS_SOLID, i + 1, 0x100000u * static_cast<uint32_t>(i)));
    dc.Rectangle(160 + i * 20, 100, 175 + i * 20, 120);
  }
  dc.SelectBrush(CreateSolidBrush(0x00A000));
  dc.Ellipse(20, 120, 80, 180);
  TBitmap picture(8, 8, pf24bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) picture.SetPixel(x, y, (x + y) % 2 ? 0x0000FF : 0xFFFF00);
  canvas.Draw(100, 130, picture);
  canvas.Recorder().GdiComment(std::string("\0\x01Kapitel", 9));
}

TEST(MetafileFile, HeaderAndObjectTableAreConsistent) {
  TMetafile mf;
  DrawPage(mf);
  ExpectConsistentHeaderAndHandles(mf.Data());
  TEmfReader reader(mf.Data());
  EXPECT_EQ(reader.Header().FramePixels(), Rect(0, 0, 300, 200));
  EXPECT_EQ(reader.Header().Device, (TSize{1920, 1080}));
  EXPECT_EQ(reader.Header().Bounds, Rect(0, 0, 300, 199)) << "inclusive bounds of the background fill (x to 300)";
}

TEST(MetafileFile, Emf2svgConvertsTheRecordedPage) {
  TMetafile mf;
  DrawPage(mf);
  TScratchFolder folder;
  mf.SaveToFile(Utf8ToString(folder.PathOf("page.emf")));
  RunTool("emf2svg-conv -i " + folder.PathOf("page.emf") + " -o " + folder.PathOf("page.svg") + " 2>&1");
  std::string svg = ReadFileBytes(folder.PathOf("page.svg"));
  EXPECT_NE(svg.find("Wendrel Seite"), std::string::npos) << svg.substr(0, 2000);
  EXPECT_NE(svg.find("Zweite Schrift"), std::string::npos);
  EXPECT_NE(svg.find("Times New Roman"), std::string::npos) << "the font record's face name";
  EXPECT_NE(svg.find("<image width=\"8.0000\" height=\"8.0000\" x=\"100.0000\" y=\"130.0000\""), std::string::npos)
      << "the picture as an embedded image in its place";
  EXPECT_NE(svg.find("<ellipse cx=\"50.0000\" cy=\"150.0000\" rx=\"30.0000\" ry=\"30.0000\"  fill=\"#00A000\""),
            std::string::npos);
  EXPECT_NE(svg.find("fill=\"#FFF8F0\" stroke=\"#000040\""), std::string::npos) << "pen colours in their order";
  EXPECT_NE(svg.find("x=\"12.0000\""), std::string::npos) << "text at its reference point";
  EXPECT_EQ(svg.find("nan"), std::string::npos);
}

TEST(MetafileFile, SaveAndLoadKeepTheBytesAndTheSize) {
  TMetafile mf;
  DrawPage(mf);
  TScratchFolder folder;
  const String path = Utf8ToString(folder.PathOf("a.emf"));
  mf.SaveToFile(path);
  TMetafile loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.Data(), mf.Data());
  EXPECT_EQ(loaded.Width(), 300);
  EXPECT_EQ(loaded.Height(), 200);

  // A new size goes into the frame of the saved file.
  loaded.SetWidth(150);
  loaded.SetHeight(100);
  loaded.SaveToFile(path);
  TMetafile resized;
  resized.LoadFromFile(path);
  EXPECT_EQ(resized.Width(), 150);
  EXPECT_EQ(resized.Height(), 100);
}

TEST(MetafileFile, BrokenDataIsRefusedAndLeavesThePictureAsItWas) {
  TMetafile mf;
  DrawPage(mf);
  const std::string before = mf.Data();
  TStringStream bmp(std::string("BM\0\0\0\0", 6));
  EXPECT_THROW(mf.LoadFromStream(bmp), EInvalidGraphic);
  EXPECT_EQ(mf.Data(), before);
  EXPECT_EQ(mf.Width(), 300);

  TMetafile empty;
  TStringStream out;
  EXPECT_THROW(empty.SaveToStream(out), EInvalidGraphicOperation);
}

TEST(MetafileFile, DrawsOntoABitmapCanvasScaledAndAsABitmapCopy) {
  TMetafile mf;
  mf.SetWidth(20);
  mf.SetHeight(10);
  {
    TMetafileCanvas canvas(mf);
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 10, 10));
  }
  TBitmap copy;
  mf.AssignTo(copy);
  ASSERT_EQ(copy.Width(), 20);
  EXPECT_EQ(copy.GetPixel(9, 9), clRed);
  EXPECT_EQ(copy.GetPixel(10, 0), clWhite);

  TBitmap target(40, 40, pf24bit);
  target.Canvas().Brush().SetColor(clBlack);
  target.Canvas().FillRect(Rect(0, 0, 40, 40));
  target.Canvas().StretchDraw(Rect(0, 0, 40, 20), mf);
  EXPECT_EQ(target.GetPixel(19, 19), clRed);
  EXPECT_EQ(target.GetPixel(20, 0), clBlack) << "a metafile leaves what it does not draw on";
}

TEST(MetafileFile, FrameFollowsTheDrawingWhenNoSizeWasGiven) {
  TMetafile mf;
  {
    TMetafileCanvas canvas(mf);
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(Rect(5, 5, 45, 25));
  }
  EXPECT_EQ(mf.Width(), 40);
  EXPECT_EQ(mf.Height(), 20);
}

}  // namespace
