// Comment records for outlines, bookmarks and links; saved states to any depth and levels
// that were never saved; broken and empty metafiles.
#include <gtest/gtest.h>

#include "pdf/document/PdfCanvas.h"
#include "pdf/emf/PdfEnum.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/objects/PdfWrite.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Unicode.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/pdf/emf/EmfTestTools.h"
#include "tests/support/TempDirectory.h"

namespace {

using json = nlohmann::json;
using W = TEmfRecordWriter;

std::string LinkComment(TRect r, std::string_view name) {
  W w(0);
  w.U8(2).Rect(r).Bytes(name);
  return std::string(w.Finish().substr(8, 1 + 16 + name.size()));
}

TEST(Comments, MakeOutlineEntriesBookmarksAndBorderlessLinks) {
  TMetafileRecorder recorder;
  recorder.MoveToEx(0, 100);  // 842 - 75 = 767 points
  recorder.GdiComment(std::string("\x00\x01  Chapter One \t", 17));
  recorder.GdiComment("\x01" "chap1");
  recorder.GdiComment("\x01" "chap1");  // a duplicate name: left out, the page goes on
  recorder.GdiComment(LinkComment({10, 20, 110, 40}, "chap1"));
  recorder.GdiComment(LinkComment({10, 20, 110, 40}, "").substr(0, 17));  // 16 data bytes: ignored
  recorder.GdiComment(std::string("\x00", 1));  // nothing but the kind: ignored
  recorder.Rectangle(0, 0, 10, 10);
  auto doc = NewTestDocument(true);
  std::string content = RenderedContent(*doc, recorder.Finish(200, 200));
  EXPECT_NE(content.find("re\nB\n"), std::string::npos) << "drawing goes on after the comments";

  TTempDirectory dir;
  std::string path = dir.PathOf("links.pdf");
  ASSERT_TRUE(doc->WriteToFile(Utf8ToString(path)));
  ExpectQpdfCheckPasses(path);
  json objects = QpdfObjects(path);
  int links = 0, outlines = 0;
  for (const auto& [key, object] : objects.items()) {
    if (!object.contains("value") || !object["value"].is_object()) continue;
    const json& v = object["value"];
    if (v.value("/Subtype", "") == "/Link") {
      ++links;
      EXPECT_EQ(v.at("/Border"), json::array({0, 0, 0}));
      EXPECT_EQ(v.at("/Rect"), json::array({7.5, 812, 82.5, 827}));
      ASSERT_TRUE(v.contains("/Dest"));
      EXPECT_EQ(v.at("/Dest").at(3), 767);
    }
    if (v.contains("/Title") && v.contains("/Parent")) {
      ++outlines;
      EXPECT_NE(v.at("/Title").dump().find("Chapter One\""), std::string::npos) << v.dump();
      EXPECT_EQ(v.at("/Dest").at(3), 767);
    }
  }
  EXPECT_EQ(links, 1);
  EXPECT_EQ(outlines, 1);
}

TEST(SavedStates, AnyDepthRelativeAndAbsoluteLevelsAndLevelsNeverSaved) {
  std::vector<std::string> records;
  auto pen = [](uint32_t handle, uint32_t color) {
    return W(EMR_CREATEPEN).U32(handle).U32(PS_SOLID).I32(1).I32(0).U32(color).Finish();
  };
  records.push_back(W(EMR_RESTOREDC).I32(-1).Finish());  // nothing saved
  records.push_back(pen(1, 0x0000FF));
  records.push_back(pen(2, 0x00FF00));
  records.push_back(W(EMR_SELECTOBJECT).U32(1).Finish());
  for (int i = 0; i < 20; ++i) records.push_back(W(EMR_SAVEDC).Finish());  // red saved at levels 1..20
  records.push_back(W(EMR_SELECTOBJECT).U32(2).Finish());
  records.push_back(W(EMR_RESTOREDC).I32(25).Finish());  // never saved
  records.push_back(W(EMR_LINETO).Point({1, 1}).Finish());  // green
  records.push_back(W(EMR_RESTOREDC).I32(-3).Finish());
  records.push_back(W(EMR_LINETO).Point({2, 2}).Finish());  // red
  records.push_back(W(EMR_RESTOREDC).I32(1).Finish());  // back to before the first save: red
  records.push_back(W(EMR_RESTOREDC).I32(-1).Finish());  // nothing left
  records.push_back(W(EMR_LINETO).Point({3, 3}).Finish());
  std::string c = RenderedContent(Records(records));
  EXPECT_NE(c.find("0 1 0 RG\n"), std::string::npos) << c;
  EXPECT_NE(c.find("S\n1 0 0 RG\n"), std::string::npos) << c;
  EXPECT_EQ(Occurrences(c, "1 0 0 RG\n"), 1) << "red stays selected through the last restore\n" << c;
  EXPECT_EQ(Occurrences(c, "S\n"), 3) << c;
}

TEST(BrokenMetafiles, ABadRecordRaisesAndLeavesThePageBalanced) {
  // A polyline that claims more points than its record holds.
  std::string emf = Records({W(EMR_RECTANGLE).Rect({0, 0, 10, 10}).Finish(),
                             W(EMR_INTERSECTCLIPRECT).Rect({0, 0, 5, 5}).Finish(),
                             W(EMR_POLYLINE).Rect({0, 0, 1, 1}).U32(1000).Point({0, 0}).Finish()});
  auto doc = NewTestDocument();
  TMetafile metafile;
  metafile.SetData(emf);
  EXPECT_THROW(RenderEmfToCanvas(doc->Canvas(), metafile, 1, 0, 0), EInvalidMetafile);
  std::string c = doc->Canvas().Contents()->Writer().ContentText();
  EXPECT_NE(c.find("re\nB\n"), std::string::npos) << "what came before stays drawn\n" << c;
  EXPECT_EQ(Occurrences(c, "q\n"), Occurrences(c, "Q\n")) << c;

}

TEST(BrokenMetafiles, AnEmptyMetafileIsAnEmptyPairAndNoPageDrawsNothing) {
  auto doc = NewTestDocument();
  TMetafile empty;
  RenderEmfToCanvas(doc->Canvas(), empty, 1, 0, 0);
  EXPECT_EQ(doc->Canvas().Contents()->Writer().ContentText(), "q\nQ\n");

  TPdfDocument pageless(false, 0, false, FixedPdfEnvironment());
  TMetafile metafile;
  metafile.SetData(Records({W(EMR_RECTANGLE).Rect({0, 0, 10, 10}).Finish()}));
  EXPECT_NO_THROW(RenderEmfToCanvas(pageless.Canvas(), metafile, 1, 0, 0));
}

TEST(Placement, ScaleAndOffsetsOfThePageMetafile) {
  // Pixel (96, 0) at scale 1 lies 72 points right of the x offset, on the top line of the area.
  auto doc = NewTestDocument();
  std::string c = RenderedContent(*doc, Records({W(EMR_MOVETOEX).Point({96, 0}).Finish(), W(EMR_LINETO).Point({96, 10}).Finish()}),
                                  0.5, 50, -40);
  EXPECT_NE(c.find("86 802 m\n86 798.25 l\nS\n"), std::string::npos) << c;
}

}  // namespace
