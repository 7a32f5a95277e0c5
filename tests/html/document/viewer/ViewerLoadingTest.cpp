// Loading documents of every kind from files, streams and strings; what a failed load
// leaves (everything as it was); loads refused while one runs; painting what was loaded.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "html/document/model/Document.h"
#include "html/document/viewer/FileTypes.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/charsets/Buffer.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/TempDirectory.h"

namespace {

const std::string GifFixture = std::string(WENDREL_FIXTURES) + "/gif/Libxslt-Logo-90x34.gif";  // 90 x 34

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Paragraphs(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "<p>Paragraph " + std::to_string(i) + " of the long page.</p>\n";
  return text;
}

struct ViewerLoading : ::testing::Test {
  TTempDirectory folder{"wendrel-viewer"};
  TMarkupViewer viewer{nullptr};

  void SetUp() override { viewer.SetBounds(0, 0, 400, 300); }
  String Path(const std::string& name) const { return Utf8ToString(folder.PathOf(name)); }
  String Write(const std::string& name, const std::string& bytes) const {
    folder.WriteFile(name, bytes);
    return Path(name);
  }
  // The paint panel's pixels as the viewer paints them now.
  TPixelImage Paint() {
    TPixelImage image(viewer.PaintPanel().Width(), viewer.PaintPanel().Height(), 0x123456);
    TRasterDC dc(image.Buffer());
    TCanvas canvas(&dc);
    viewer.PaintPanel().PaintTo(canvas, TRect{0, 0, image.Width(), image.Height()});
    return image;
  }
};

struct KindCase {
  const char* file;
  std::string bytes;
  THtmlFileType kind;
  const char16_t* title;
  int minHeight;  // what the document needs at least
};

class EachKind : public ViewerLoading, public ::testing::WithParamInterface<KindCase> {};

TEST_P(EachKind, LoadsFromItsFile) {
  const KindCase& c = GetParam();
  const String name = Write(c.file, c.bytes);
  ASSERT_EQ(GetFileType(name), c.kind);
  viewer.LoadDocumentFile(name, GetFileType(name));
  EXPECT_EQ(viewer.CurrentFile, name);
  EXPECT_EQ(viewer.CurrentDocType, c.kind);
  EXPECT_EQ(viewer.DocumentTitle, c.title);
  EXPECT_GT(viewer.Document().Count(), 0);
  EXPECT_GE(viewer.MaxVertical, c.minHeight);
  EXPECT_FALSE(viewer.Processing());
  EXPECT_FALSE(viewer.HasState(TMarkupViewer::vsPaintSuspended));
}

INSTANTIATE_TEST_SUITE_P(
    Files, EachKind,
    ::testing::Values(
        KindCase{"page.html", "<html><head><title>Start</title></head><body><h1>Hello</h1>" + Paragraphs(3) + "</body>",
                 HtmlType, u"Start", 60},
        KindCase{"page.xhtml",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"><head>"
                 "<title>X \xC3\xA9</title></head><body><p>XHTML</p></body></html>",
                 XhtmlType, u"X \u00e9", 10},
        KindCase{"notes.txt", "first line\r\nsecond <b>line</b>\r\nthird line\r\n", TextType, u"", 30},
        KindCase{"logo.gif", ReadBytes(GifFixture), ImgType, u"", 34},
        KindCase{"logo.bin", ReadBytes(GifFixture), OtherType, u"", 34}));

TEST_F(ViewerLoading, TextIsShownAsItStands) {
  const String shown = u"a < b && c > d";
  viewer.LoadDocumentString(shown, u"", TextType);
  String text(64, u'\0');
  viewer.Document().SelectionStart = 0;
  viewer.Document().SelectionEnd = 100;
  viewer.Document().SelectionText(text.data(), 64);
  EXPECT_EQ(text.substr(0, shown.size()), shown);
}

TEST_F(ViewerLoading, AnImageFileIsReadThroughItsStream) {
  TFileStream stream(Utf8ToString(GifFixture), fmOpenRead);
  int asked = 0;
  viewer.Events.OnImageRequest = [&](TComponent*, const String&, TStream*&) { ++asked; };
  viewer.LoadDocumentStream(u"shown.gif", &stream, ImgType);
  EXPECT_EQ(asked, 0);  // the stream answers while the image file loads
  EXPECT_GE(viewer.MaxVertical, 34);
  EXPECT_EQ(viewer.CurrentFile, u"shown.gif");
}

TEST_F(ViewerLoading, FailuresNameTheFile) {
  const String page = Write("page.html", "<title>Old</title><p>kept</p>");
  viewer.LoadDocumentFile(page);
  const int sections = viewer.Document().Count();
  const int height = viewer.MaxVertical;
  const std::string missing = folder.PathOf("missing.html");
  std::filesystem::create_directory(folder.PathOf("folder.html"));
  ASSERT_EQ(::mkfifo(folder.PathOf("fifo.html").c_str(), 0600), 0);
  {
    std::ofstream huge(folder.PathOf("huge.html"));
  }
  std::filesystem::resize_file(folder.PathOf("huge.html"), (uint64_t(256) << 20) + 1);  // sparse

  struct Case {
    String name;
    std::string message;
  } cases[] = {
      {Utf8ToString(missing), "Can't locate '" + missing + "'."},
      {Utf8ToString(missing) + u"#part", "Can't locate '" + missing + "'."},
      {u"#fragment-only", "Can't locate ''."},
      {Path("folder.html"), "Can't locate '" + folder.PathOf("folder.html") + "'."},
      {Path("fifo.html"), "Can't locate '" + folder.PathOf("fifo.html") + "'."},
      {u"/dev/null", "Can't locate '/dev/null'."},
      {Path("huge.html"), "'" + folder.PathOf("huge.html") + "' is too large to show (more than 256 MB)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      viewer.LoadDocumentFile(c.name);
      ADD_FAILURE() << "no error";
    } catch (const EhtLoadError& e) {
      EXPECT_EQ(StringToUtf8(e.Message()), c.message);
    }
    // The shown document and its name stay as they were.
    EXPECT_EQ(viewer.CurrentFile, page);
    EXPECT_EQ(viewer.DocumentTitle, u"Old");
    EXPECT_EQ(viewer.Document().Count(), sections);
    EXPECT_EQ(viewer.MaxVertical, height);
    EXPECT_FALSE(viewer.Processing());
  }
}

TEST_F(ViewerLoading, LoadDocumentRefusesImagesAndMissingBuffersBeforeChangingAnything) {
  viewer.LoadDocumentString(u"<title>Old</title>", u"/x/old.html");
  try {
    viewer.LoadDocument(TBuffer::CreateFromText(u"<p>x", u"new.gif"), u"new.gif", ImgType);
    ADD_FAILURE();
  } catch (const EhtException& e) {
    EXPECT_EQ(e.Message(), u"LoadDocument with DocType = 'ImgType' not supported.");
  }
  try {
    viewer.LoadDocument(nullptr, u"new.html", HtmlType);
    ADD_FAILURE();
  } catch (const EhtException& e) {
    EXPECT_EQ(e.Message(), u"LoadDocument requires document to load. Parameter 'Document' must not be nil.");
  }
  EXPECT_EQ(viewer.CurrentFile, u"/x/old.html");
  EXPECT_EQ(viewer.DocumentTitle, u"Old");
}

TEST_F(ViewerLoading, ALoadWhileOneRunsIsRefused) {
  const String first = Write("first.html", "<title>First</title><p>one</p>");
  const String second = Write("second.html", "<title>Second</title><p>two</p>");
  std::vector<std::string> events;
  viewer.Events.OnProcessing = [&](TComponent*, bool on) { events.push_back(on ? "busy" : "idle"); };
  viewer.Events.OnProgress = [&](TComponent*, TProgressStage stage, int percent) {
    if (stage != TProgressStage::psRunning) events.push_back("progress " + std::to_string(percent));
  };
  viewer.Events.OnParseBegin = [&](TComponent*, std::unique_ptr<TBuffer>&) {
    EXPECT_TRUE(viewer.Processing());
    viewer.LoadDocumentFile(second);  // refused: the parser is not entered again
    viewer.LoadDocumentString(u"<title>Third</title>");
    viewer.Reformat();
    events.push_back("parse");
  };
  viewer.LoadDocumentFile(first);
  EXPECT_EQ(viewer.CurrentFile, first);
  EXPECT_EQ(viewer.DocumentTitle, u"First");
  EXPECT_EQ(events, (std::vector<std::string>{"busy", "progress 0", "parse", "progress 100", "idle"}));
}

TEST_F(ViewerLoading, TheParseBeginHandlerMayReplaceTheSource) {
  viewer.Events.OnParseBegin = [](TComponent*, std::unique_ptr<TBuffer>& source) {
    source = TBuffer::CreateFromText(u"<title>Replaced</title>", u"r");
  };
  viewer.LoadDocumentString(u"<title>Original</title>");
  EXPECT_EQ(viewer.DocumentTitle, u"Replaced");
}

TEST_F(ViewerLoading, AMetaRefreshIsReportedAfterTheLoad) {
  int delay = -1;
  String url;
  viewer.Events.OnMetaRefresh = [&](TComponent*, int d, const String& u) {
    EXPECT_FALSE(viewer.Processing());
    delay = d;
    url = u;
  };
  viewer.LoadDocumentString(u"<head><meta http-equiv=\"Refresh\" content=\"0; URL=next.html\"></head><p>x");
  EXPECT_EQ(delay, 1);
  EXPECT_EQ(url, u"next.html");
}

TEST_F(ViewerLoading, ReloadingTheSameFileKeepsItsPlaceAnotherStartsAtTheTop) {
  const String longPage = Write("long.html", Paragraphs(200));
  const String other = Write("other.html", Paragraphs(200));
  viewer.LoadDocumentFile(longPage);
  viewer.ScrollTo(1500);
  ASSERT_EQ(viewer.GetScrollPos(), 1500);
  viewer.LoadDocumentFile(longPage);
  EXPECT_EQ(viewer.GetScrollPos(), 1500);
  viewer.Reload();
  EXPECT_EQ(viewer.GetScrollPos(), 1500);
  viewer.LoadDocumentFile(other);
  EXPECT_EQ(viewer.GetScrollPos(), 0);
}

TEST_F(ViewerLoading, ClearingShowsAnEmptyDocumentAndKeepsTheName) {
  const String page = Write("page.html", "<title>T</title>" + Paragraphs(50));
  viewer.LoadDocumentFile(page);
  viewer.ClearDocument();
  EXPECT_EQ(viewer.Document().Count(), 0);
  EXPECT_EQ(viewer.DocumentTitle, u"");
  EXPECT_EQ(viewer.CurrentFile, page);
  EXPECT_FALSE(viewer.VScrollBar().Visible());
}

TEST_F(ViewerLoading, PaintingShowsTheBackgroundAndTheScrolledPart) {
  viewer.SetBorderStyle(THTMLBorderStyle::htNone);
  viewer.LoadDocumentString(u"<body bgcolor=\"#00ff00\" style=\"margin:0\">" + Utf8ToString(Paragraphs(40)) +
                            u"<div style=\"background-color:#0000ff;height:50px\"></div></body>");
  ASSERT_GT(viewer.MaxVertical, 300);
  TPixelImage top = Paint();
  EXPECT_EQ(top.At(395 - 17, 5), 0x00FF00u);  // the document's background, right of the text
  viewer.ScrollTo(viewer.MaxVertical);
  TPixelImage bottom = Paint();
  EXPECT_EQ(bottom.At(5, bottom.Height() - 10), 0x0000FFu);  // the last block, now in view
}

TEST_F(ViewerLoading, ABackgroundImageIsTiledUnderTheDocument) {
  const String gif = Write("tile.gif", ReadBytes(GifFixture));
  viewer.SetBorderStyle(THTMLBorderStyle::htNone);
  viewer.LoadDocumentString(u"<body background=\"tile.gif\"><p>x</p></body>", Path("page.html"));
  ASSERT_NE(viewer.Document().BackgroundImage, nullptr);
  TPixelImage painted = Paint();
  // The tiles repeat every 90 x 34 pixels.
  for (auto [x, y] : {std::pair{200, 100}, std::pair{5, 70}})
    EXPECT_EQ(painted.At(x, y), painted.At(x + 90, y + 34)) << x << "," << y;
  viewer.SetViewImages(false);
  EXPECT_FALSE(viewer.Document().ShowImages);
  TPixelImage plain = Paint();
  EXPECT_EQ(plain.At(200, 100), plain.At(250, 120));
}

}  // namespace
