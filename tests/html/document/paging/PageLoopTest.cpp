// The page loop on documents built in code: background fills, where pages end, elements
// taller than a page, pages that cannot end below their top, table part records that a pass
// leaves behind, failures while a page is made, and measuring.
#include <algorithm>
#include <functional>
#include <map>

#include "html/document/paging/DocumentMeasure.h"
#include "html/document/paging/Printing.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Timer.h"
#include "tests/html/document/paging/PagingFixture.h"

namespace {

constexpr TColor PageBackground = 0xCCFFCC;  // light green

// A band of fixed height that fills what it paints in its colour and names every 20-pixel
// row whose top lies on the page ("row0", "row1", ...), one text record each. Printed, a
// band with Moves that the page bottom would cut goes to the next page whatever its height
// (an element that may move but is taller than a page), unless the page is cut by force.
class TBandSection : public TSectionBase {
 public:
  TBandSection(ThtDocument* document, int height, TColor color) : TSectionBase(document), color_(color) {
    SectionHeight = height;
  }
  TBandSection(ThtDocument* document, const TBandSection& source)
      : TSectionBase(document, source),
        Moves(source.Moves),
        ThrowOnPage(source.ThrowOnPage),
        AskForBody(source.AskForBody),
        Wide(source.Wide),
        Layouts(source.Layouts),
        color_(source.color_) {}
  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override {
    return std::make_unique<TBandSection>(document, *this);
  }

  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override {
    if (Layouts) ++*Layouts;
    const int height = TSectionBase::Layout(canvas, x, cursor, maxWidth, indents, availableHeight,
                                            containingHeight, availableWidth, originY, originX, y);
    maxWidth = Wide;
    return height;
  }

  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager&, int, int, int) override {
    ThtDocument& d = *Document;
    const int bottom = SectionTop + SectionHeight;
    if (d.PageNumber == ThrowOnPage) throw EInvalidOperation(u"the device is gone");
    if (AskForBody && !asked_ && d.Viewer) {
      // As a table would after drawing its header: the body continues below on this page.
      asked_ = true;
      part_.PartKind = tpBody;
      part_.PartStart = d.PageBottom;
      d.Viewer->TablePartRec = &part_;
    }
    if (Moves && !d.PageCutForced && bottom > d.PageBottom && SectionTop < d.PageBottom) {
      d.PageBottom = std::min(d.PageBottom, SectionTop);
      return bottom;
    }
    const int pageTop = d.YOffset + clip.Top, pageEnd = std::min(d.PageBottom, d.YOffset + clip.Bottom);
    const int top = std::max(SectionTop, pageTop), end = std::min(bottom, pageEnd);
    if (top >= end) return bottom;
    canvas.Brush().SetColor(color_);
    canvas.FillRect(TRect{0, top - d.YOffset, 50, end - d.YOffset});
    for (int row = 0; row * 20 < SectionHeight; ++row) {
      const int y = SectionTop + row * 20;
      if (y >= pageTop && y < pageEnd) canvas.TextOut(60, y - d.YOffset, u"row" + IntToString16(row));
    }
    return bottom;
  }

  bool Moves = false;
  int ThrowOnPage = -1;
  bool AskForBody = false;
  int Wide = 0;
  int* Layouts = nullptr;

 private:
  static String IntToString16(int n) { return Utf8ToString(std::to_string(n)); }
  TColor color_;
  bool asked_ = false;
  TTablePartRec part_;
};

struct PageLoop : PagingFixture {
  PagingViewer viewer;

  void SetUp() override {
    PagingFixture::SetUp();
    document.BackgroundColor = PageBackground;
  }
  TBandSection& Band(int height, TColor color = clRed) {
    auto band = std::make_unique<TBandSection>(&document, height, color);
    TBandSection& result = *band;
    document.AddSection(std::move(band), 0);
    return result;
  }
  // How often each text record occurs over all pages.
  static std::map<String, int> RecordCounts(const TPageMetafileList& pages) {
    std::map<String, int> counts;
    for (const auto& page : pages)
      for (const String& text : TextRecords(*page)) ++counts[text];
    return counts;
  }
  static std::map<String, int> Rows(int count) {
    std::map<String, int> rows;
    for (int i = 0; i < count; ++i) ++rows[u"row" + Utf8ToString(std::to_string(i))];
    return rows;
  }
};

TEST_F(PageLoop, ShortDocumentIsOnePageWithBackgroundBelowTheText) {
  Paragraph(document, u"A short paragraph.");
  const TPageMetafileList pages = RenderPageMetafiles(document, 300, 200);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0]->Width(), 300);
  EXPECT_EQ(pages[0]->Height(), 200);
  EXPECT_EQ(PageText(*pages[0]), u"A short paragraph.");
  auto raster = Raster(*pages[0]);
  EXPECT_TRUE(RowsHaveOtherThan(*raster, 0, 20, PageBackground));
  EXPECT_TRUE(RowsAre(*raster, 20, 200, PageBackground));
}

TEST_F(PageLoop, LineThatWouldBeCutStartsTheNextPage) {
  String text;
  for (int i = 10; i < 70; ++i) text += u"w" + Utf8ToString(std::to_string(i)) + u" ";
  // The block's background reaches down to the page's end unless the loop fills below the
  // page bottom again.
  document.PrintBackground = true;
  TBlock& paragraph = Paragraph(document, text, u"margin: 0px; background-color: yellow");
  // The lines as the page loop lays them out.
  LayOut(200);
  auto& section = static_cast<TSection&>(*paragraph.ContentCell->Items(0));
  ASSERT_GT(section.Lines.size(), 6u);
  const int lineHeight = section.Lines[0]->TotalHeight();
  const int pageHeight = 3 * lineHeight + lineHeight / 2;  // the fourth line would be cut

  const TPageMetafileList pages = RenderPageMetafiles(document, 200, pageHeight);
  ASSERT_GE(pages.size(), 2u);
  auto first = Raster(*pages[0]);
  EXPECT_TRUE(RowsHaveOtherThan(*first, 2 * lineHeight, 3 * lineHeight, PageBackground));
  EXPECT_TRUE(RowsAre(*first, 3 * lineHeight, pageHeight, PageBackground));
  const String fourthLine = WithoutSpaces(section.Text.substr(static_cast<size_t>(section.Lines[3]->Start),
                                                                  static_cast<size_t>(section.Lines[3]->CharCount)));
  EXPECT_EQ(WithoutSpaces(PageText(*pages[1])).rfind(fourthLine, 0), 0u);
  // Every line is on exactly one page.
  String all;
  for (const auto& page : pages) all += PageText(*page);
  EXPECT_EQ(WithoutSpaces(all), WithoutSpaces(text));
}

struct TallCase {
  const char16_t* style;
};
class TallElement : public PageLoop, public ::testing::WithParamInterface<TallCase> {};

TEST_P(TallElement, IsDrawnAcrossThePagesAndTheTextAfterItFollows) {
  document.PrintBackground = true;
  AddBlock(document, u"div", GetParam().style);
  Paragraph(document, u"after the tall block");
  const TPageMetafileList pages = RenderPageMetafiles(document, 200, 100);
  ASSERT_EQ(pages.size(), 3u);
  for (int i = 0; i < 2; ++i) {
    auto raster = Raster(*pages[i]);
    EXPECT_EQ(raster->Canvas().Pixel(10, 0), clRed) << i;
    EXPECT_EQ(raster->Canvas().Pixel(10, 99), clRed) << i;
  }
  auto last = Raster(*pages[2]);
  EXPECT_EQ(last->Canvas().Pixel(10, 49), clRed);
  EXPECT_NE(last->Canvas().Pixel(10, 51), clRed);
  EXPECT_EQ(PageText(*pages[2]), u"after the tall block");
}

INSTANTIATE_TEST_SUITE_P(Blocks, TallElement,
                         ::testing::Values(TallCase{u"height: 250px; background-color: red"},
                                           TallCase{u"height: 250px; background-color: red; page-break-inside: avoid"}));

TEST_F(PageLoop, PageThatCannotEndBelowItsTopIsCutAtItsFullHeight) {
  Band(30, clBlue);
  Band(250).Moves = true;
  Band(30, clBlue);
  const TPageMetafileList pages = RenderPageMetafiles(document, 200, 100);
  // 0..30 (the band waits), then 30..130, 130..230 and 230..330 cut by force or as usual.
  ASSERT_EQ(pages.size(), 4u);
  auto counts = RecordCounts(pages);
  auto expected = Rows(13);  // the moving band's rows, each on exactly one page
  expected[u"row0"] += 2;    // and the two rows of each blue band
  expected[u"row1"] += 2;
  EXPECT_EQ(counts, expected);
  auto second = Raster(*pages[1]);
  EXPECT_EQ(second->Canvas().Pixel(10, 0), clRed);
  EXPECT_EQ(second->Canvas().Pixel(10, 99), clRed);
}

TEST_F(PageLoop, PassThatLeavesTheTableInItsSecondPassEndsThePage) {
  document.Viewer = &viewer;
  Band(30, clBlue);
  Band(150).AskForBody = true;
  Band(30, clBlue);
  const TPageMetafileList pages = RenderPageMetafiles(document, 200, 100);
  ASSERT_FALSE(pages.empty());
  auto counts = RecordCounts(pages);
  for (const auto& [row, count] : Rows(8)) EXPECT_GE(counts[row], count) << StringToUtf8(row);
  EXPECT_EQ(viewer.TablePartRec, nullptr);
}

struct FailureCase {
  const char* name;
  int throwOnPage;
};
class ViewerRecord : public PageLoop, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ViewerRecord, RefersToNothingOfTheCopyAfterPaging) {
  document.Viewer = &viewer;
  document.YOffset = 40;
  TBandSection& band = Band(250);
  band.AskForBody = true;
  band.ThrowOnPage = GetParam().throwOnPage;
  if (GetParam().throwOnPage < 0) {
    EXPECT_FALSE(RenderPageMetafiles(document, 200, 100).empty());
  } else {
    EXPECT_THROW(RenderPageMetafiles(document, 200, 100), EInvalidOperation);
  }
  EXPECT_EQ(viewer.TablePartRec, nullptr);
  EXPECT_EQ(document.YOffset, 40);
}

INSTANTIATE_TEST_SUITE_P(Runs, ViewerRecord,
                         ::testing::Values(FailureCase{"Finished", -1}, FailureCase{"FailedOnTheSecondPage", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// The copy shares the viewer's image cache and inline list: a handler run between pages
// could load or clear the viewer's document under it.
TEST_F(PageLoop, NoMessageIsHandledWhilePagesAreMade) {
  TManualClock clock;
  ScopedClock useClock(clock);
  TApplication app;
  int ticks = 0;
  TTimer timer(nullptr);
  timer.SetInterval(1);
  timer.SetOnTimer([&](TComponent*) { ++ticks; });
  clock.Advance(10);
  Band(250);
  EXPECT_EQ(RenderPageMetafiles(document, 200, 100).size(), 3u);
  EXPECT_EQ(ticks, 0);
  app.ProcessMessages();
  EXPECT_EQ(ticks, 1);
}

TEST_F(PageLoop, RendererIsDoneAfterAPageFailed) {
  Band(250).ThrowOnPage = 1;
  TPageRenderer renderer(document, 200, 100);
  EXPECT_NE(renderer.NextPage(), nullptr);
  EXPECT_THROW(renderer.NextPage(), EInvalidOperation);
  EXPECT_TRUE(renderer.Done());
  EXPECT_EQ(renderer.NextPage(), nullptr);
}

TEST_F(PageLoop, PagesLeaveTheDocumentsOwnLayoutAlone) {
  String text;
  for (int i = 0; i < 40; ++i) text += u"word ";
  TBlock& paragraph = Paragraph(document, text);
  LayOut(500);
  const int height = paragraph.SectionHeight;
  document.YOffset = 12;
  document.SelectionStart = 3;
  document.SelectionEnd = 9;
  EXPECT_GT(RenderPageMetafiles(document, 120, 60).size(), 1u);
  EXPECT_EQ(paragraph.SectionHeight, height);
  EXPECT_EQ(document.YOffset, 12);
  EXPECT_EQ(document.SelectionStart, 3);
  EXPECT_EQ(document.SelectionEnd, 9);
}

struct NoPagesCase {
  const char* name;
  bool content;
  int width, height;
};
class NoPages : public PageLoop, public ::testing::WithParamInterface<NoPagesCase> {};

TEST_P(NoPages, ForAnEmptyDocumentOrAnEmptyPage) {
  if (GetParam().content) Band(50);
  EXPECT_TRUE(RenderPageMetafiles(document, GetParam().width, GetParam().height).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, NoPages,
                         ::testing::Values(NoPagesCase{"EmptyDocument", false, 200, 100},
                                           NoPagesCase{"NoWidth", true, 0, 100},
                                           NoPagesCase{"NoHeight", true, 200, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageLoop, MeasuringBelowOnePixelLaysNothingOut) {
  int layouts = 0;
  Band(50).Layouts = &layouts;
  for (int width : {0, -5}) EXPECT_EQ(MeasureDocumentCopy(document, width), std::make_pair(0, 0)) << width;
  EXPECT_EQ(layouts, 0);
}

TEST_F(PageLoop, MeasuringAnswersTheWidestContentAndTheHeightOfACopy) {
  int layouts = 0;
  TBandSection& band = Band(50);
  band.Wide = 450;
  band.Layouts = &layouts;
  Band(70);
  EXPECT_EQ(MeasureDocumentCopy(document, 300), std::make_pair(450, 120));
  EXPECT_EQ(layouts, 1);
  EXPECT_EQ(band.ContentTop, NotLaidOutTop);  // the document itself was not laid out
}

struct Printer : TPrinter {
  String ClassName() const override { return u"TPlainPrinter"; }
};

TEST(Printing, EveryRequestIsRefusedWithItsMessage) {
  Printer printer;
  const struct {
    const TPrinter* printer;
    TPrintMode mode;
    const char16_t* message;
  } cases[] = {
      {nullptr, pmCountPages, u"No printer to print or preview to."},
      {nullptr, pmPreview, u"No printer to print or preview to."},
      {&printer, pmCountPages,
       u"Getting the total number of pages to print requires a printer based on TMetaFilePrinter but not a "
       u"TPlainPrinter"},
      {&printer, pmPreview,
       u"Previewing a print requires a printer based on TMetaFilePrinter but not a TPlainPrinter"},
  };
  for (const auto& c : cases) {
    try {
      RefusePrinter(c.printer, c.mode);
      ADD_FAILURE() << "no exception";
    } catch (const EIllegalArgument& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

}  // namespace
