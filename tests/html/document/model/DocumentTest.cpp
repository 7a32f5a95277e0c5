#include "html/document/model/Document.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "html/document/floats/PanelObj.h"
#include "html/document/model/TabControl.h"
#include "html/foundation/gif/GifImage.h"
#include "html/foundation/images/ImageCache.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Base64.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Timer.h"
#include "platform/ui/app/Wait.h"
#include "platform/ui/controls/CustomControl.h"
#include "tests/html/document/TestSections.h"

namespace {

// A section that paints a band of its colour over its height, at its document Y less the
// document's scroll offset, where that lies in the clip rectangle.
class TBandSection : public TFixedSection {
 public:
  TBandSection(ThtDocument* document, int height, TColor color) : TFixedSection(document, height), color_(color) {}
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager&, int x, int, int) override {
    const int top = SectionTop - Document->YOffset;
    if (top < clip.Bottom && top + SectionHeight > clip.Top) {
      canvas.Brush().SetColor(color_);
      canvas.FillRect(TRect{x, top, x + 10, top + SectionHeight});
    }
    return SectionTop + SectionHeight;
  }

 private:
  TColor color_;
};

// A section holding a host panel, as a text section holds the panels of its text.
class TPanelSection : public TFixedSection {
 public:
  TPanelSection(ThtDocument* document, int height)
      : TFixedSection(document, height), Panel(std::make_unique<TPanelObj>(document, false, TAttributeList(), 0)) {}
  std::unique_ptr<TPanelObj> Panel;
};

struct DocumentTest : ::testing::Test {
  TCustomControl paintPanel{nullptr};
  ThtDocument document{nullptr, &paintPanel};
  TCanvas canvas{std::make_unique<TMeasureDC>()};

  template <class T, class... Args>
  T* Add(Args&&... args) {
    auto* section = new T(&document, std::forward<Args>(args)...);
    document.AddSection(section, 0);
    return section;
  }
  int LayOut(int width = 300, int* scrollWidth = nullptr) {
    int cursor = 0, widest = 0;
    const int height = document.DoLogic(canvas, 0, width, 400, widest, cursor);
    if (scrollWidth) *scrollWidth = widest;
    return height;
  }
};

TEST_F(DocumentTest, DoLogicStacksTheSectionsAndFillsThePositionList) {
  TFixedSection* a = Add<TFixedSection>(20, 3);
  TFixedSection* b = Add<TFixedSection>(30, 5);
  TFixedSection* c = Add<TFixedSection>(50, 2);
  b->MaxWidth = 420;
  int scrollWidth = 0;
  EXPECT_EQ(LayOut(300, &scrollWidth), 100);
  EXPECT_EQ(scrollWidth, 420);
  EXPECT_EQ(a->SectionTop, 0);
  EXPECT_EQ(b->SectionTop, 20);
  EXPECT_EQ(c->SectionTop, 50);
  EXPECT_EQ(c->StartCursor, 8);
  EXPECT_EQ(document.CursorLength, 10);
  EXPECT_EQ(document.LayoutPass, 1);
  ASSERT_EQ(document.PositionList.Count(), 3);
  EXPECT_EQ(document.PositionList.Items(1), b);

  // A second layout from another Y moves everything; the position list is kept.
  int cursor = 0, widest = 0;
  EXPECT_EQ(document.DoLogic(canvas, 7, 300, 400, widest, cursor), 100);
  EXPECT_EQ(c->SectionTop, 57);
  EXPECT_EQ(document.LayoutPass, 2);
  EXPECT_EQ(document.PositionList.Count(), 3);
}

TEST_F(DocumentTest, FindSectionAtYAnswersTheLastPositionAtOrAbove) {
  Add<TFixedSection>(20);
  Add<TFixedSection>(30);
  Add<TFixedSection>(50);
  LayOut();
  struct Case {
    int y;
    int index, sectionY;
  };
  for (Case c : {Case{-1, -1, 0}, Case{0, 0, 0}, Case{19, 0, 0}, Case{20, 1, 20}, Case{49, 1, 20},
                 Case{5000, 2, 50}}) {
    SCOPED_TRACE(c.y);
    int sectionY = -7, index = -7;
    TSectionBase* found = document.FindSectionAtY(c.y, sectionY, index);
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(found, c.index < 0 ? nullptr : document.PositionList.Items(c.index));
    EXPECT_EQ(sectionY, c.sectionY);
  }
}

TEST_F(DocumentTest, CursorAtTheEndLiesRightOfTheLastCharacterAndSourcesAfterTheTextAnswerTheEnd) {
  Add<TFixedSection>(20, 4);
  LayOut();
  int x = 0, y = 0;
  ASSERT_TRUE(document.CursorToXY(canvas, 3, x, y));
  EXPECT_EQ(x, 30);
  ASSERT_TRUE(document.CursorToXY(canvas, 4, x, y));
  EXPECT_EQ(x, 45);
  ASSERT_TRUE(document.CursorToXY(canvas, 4000000, x, y));  // documents may be longer than a million
  EXPECT_EQ(x, 45);
  EXPECT_EQ(document.SourceToCursor(102, false), 2);
  EXPECT_EQ(document.SourceToCursor(900, false), 4);
}

TEST_F(DocumentTest, DrawingWithAScrollOffsetPaintsTheVisibleBandsAndSetsThePageBottom) {
  Add<TBandSection>(20, clRed);
  Add<TBandSection>(30, clLime);
  Add<TBandSection>(50, clBlue);
  LayOut();
  TBitmap target(10, 40, pf24bit);
  TCanvas& raster = target.Canvas();
  raster.Brush().SetColor(clWhite);
  raster.FillRect(TRect{0, 0, 10, 40});
  document.SetYOffset(30);
  const TRect clip{0, 0, 10, 25};
  EXPECT_EQ(document.Draw(raster, clip, 6000, 0, 0, 0, 0), 100);
  EXPECT_EQ(document.PageBottom, 55);
  EXPECT_TRUE(document.NothingPaintedYet);
  EXPECT_FALSE(document.PositionsChanged);
  target.Canvas();
  // Window Y = document Y - 30: the green band (20 .. 50) ends at 20, blue follows; the clip
  // ends at 25.
  EXPECT_EQ(target.GetPixel(5, 0), clLime);
  EXPECT_EQ(target.GetPixel(5, 19), clLime);
  EXPECT_EQ(target.GetPixel(5, 20), clBlue);
  EXPECT_EQ(target.GetPixel(5, 24), clBlue);
}

TEST_F(DocumentTest, PanelsNotPlacedAfterAScrollAreHidden) {
  TPanelSection* section = Add<TPanelSection>(20);
  LayOut();
  ThvPanel& panel = *section->Panel->Panel;
  panel.Show();
  section->Panel->Shown = true;
  document.SetYOffset(10);
  EXPECT_FALSE(section->Panel->Shown);
  EXPECT_TRUE(document.PositionsChanged);
  document.Draw(canvas, TRect{0, 0, 100, 100}, 6000, 0, 0, 0, 0);
  EXPECT_FALSE(panel.Visible());
}

TEST_F(DocumentTest, SelectionTextWithAnEmptySelection) {
  Char buffer[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(document.SelectionText(buffer, 1), 1);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(document.SelectionText(buffer, 0), 0);
  EXPECT_EQ(document.SelectionLength(), 0);
}

TEST_F(DocumentTest, SelectionCopiesTheSectionsInRangeThroughASinkThatIsGoneAfterwards) {
  TFixedSection* a = Add<TFixedSection>(10, 5);
  TFixedSection* b = Add<TFixedSection>(10, 5);
  TFixedSection* c = Add<TFixedSection>(10, 5);
  LayOut();
  document.SelectionStart = 6;
  document.SelectionEnd = 9;
  EXPECT_EQ(document.SelectionLength(), 0);  // the fixed sections feed no characters
  EXPECT_EQ(a->CopyCalls, 0);
  EXPECT_EQ(b->CopyCalls, 1);
  EXPECT_EQ(c->CopyCalls, 0);
  EXPECT_EQ(document.SelectionSink, nullptr);

  document.SelectionEnd = 15;
  Char buffer[8] = {};
  document.SelectionText(buffer, 8);
  EXPECT_EQ(b->CopyCalls, 2);
  EXPECT_EQ(c->CopyCalls, 1);
  EXPECT_EQ(document.SelectionSink, nullptr);
}

TEST_F(DocumentTest, ASectionFreedDuringLayoutLeavesNoEntryBehind) {
  Add<TFixedSection>(10);
  TPanelSection* failing = Add<TPanelSection>(10);
  document.IdList.Register(u"failing", failing);
  document.IdList.Register(u"panel", failing->Panel.get());
  LayOut();
  ASSERT_EQ(document.PositionList.Count(), 2);
  ASSERT_EQ(document.PanelList.Count(), 1);
  TPanelObj* panel = failing->Panel.get();
  document.HoverImage = panel;

  failing->OnLayout = [](TIndentManager&, int) { throw EProcessError(u"bad section"); };
  EXPECT_EQ(LayOut(), 10);
  EXPECT_EQ(document.Count(), 1);
  EXPECT_EQ(document.PositionList.Count(), 1);
  EXPECT_EQ(document.PanelList.Count(), 0);
  EXPECT_EQ(document.IdList.Count(), 0);
  EXPECT_EQ(document.HoverImage, nullptr);
  document.SetYOffset(40);  // walks the panel list: nothing freed is left in it
  document.Draw(canvas, TRect{0, 0, 100, 100}, 6000, 0, 0, 0, 0);
}

TEST_F(DocumentTest, ClearLeavesEveryListEmpty) {
  TPanelSection* section = Add<TPanelSection>(10);
  Add<TFixedSection>(10);
  document.IdList.Register(u"a", section);
  document.MissingImages.AddObject(u"PIC.GIF", section->Panel.get());
  document.MapList.Add(new TMapItem);
  document.OpenInlineBorder(3, TProperties());
  TGIFImage gif;
  document.AnimatedImages.Add(&gif);
  document.SelectionStart = 1;
  document.SelectionEnd = 4;
  LayOut();
  ASSERT_NE(document.AnimationTimer, nullptr);
  ThtTabControl tabStop(nullptr);  // filed after the layout that numbers the tab stops
  document.TabOrderList.AddObject(u"00001000", static_cast<TTabOrderTarget*>(&tabStop));

  document.Clear();
  EXPECT_EQ(document.Count(), 0);
  EXPECT_EQ(document.IdList.Count(), 0);
  EXPECT_EQ(document.PositionList.Count(), 0);
  EXPECT_EQ(document.PanelList.Count(), 0);
  EXPECT_EQ(document.MissingImages.Count(), 0);
  EXPECT_EQ(document.MapList.Count(), 0);
  EXPECT_EQ(document.TabOrderList.Count(), 0);
  EXPECT_EQ(document.InlineList.Count(), 0);
  EXPECT_EQ(document.AnimatedImages.Count(), 0);
  EXPECT_EQ(document.LinkList.Count(), 0);
  EXPECT_EQ(document.ImageDrawList.Count(), 0);
  EXPECT_EQ(document.AnimationTimer, nullptr);
  EXPECT_EQ(document.SelectionStart, 0);
  EXPECT_EQ(document.SelectionEnd, 0);
}

TEST_F(DocumentTest, LayoutGivesTabOrderNumbersInKeyOrder) {
  TWinControl parent(nullptr);
  ThtTabControl first(nullptr), second(nullptr), third(nullptr);
  for (ThtTabControl* c : {&first, &second, &third}) c->SetParent(&parent);
  document.TabOrderList.AddObject(u"00002000", static_cast<TTabOrderTarget*>(&first));
  document.TabOrderList.AddObject(u"00001001", static_cast<TTabOrderTarget*>(&second));
  document.TabOrderList.AddObject(u"00003002", static_cast<TTabOrderTarget*>(&third));
  LayOut();
  EXPECT_EQ(second.TabOrder(), 0);
  EXPECT_EQ(first.TabOrder(), 1);
  EXPECT_EQ(third.TabOrder(), 2);
  EXPECT_EQ(document.TabOrderList.Count(), 0);
}

TEST_F(DocumentTest, SetDefaultsBuildsTheSheetAndTellsTheViewerTheBackground) {
  TColor told = clNone;
  document.BackgroundChanged = [&] { told = document.BackgroundColor; };
  document.SetDefaults(u"Arial", u"Courier New", 10, 5, 1, 1252, true, true, clYellow, clBlue, clPurple, clNavy,
                       clBlack, 12);
  EXPECT_EQ(told, clYellow);
  EXPECT_TRUE(document.OverLinksActive);
  EXPECT_EQ(document.PreFontName, u"Courier New");
  ASSERT_NE(document.StyleList->DefaultProperties, nullptr);
  EXPECT_NE(document.StyleList->Find(u"::link"), nullptr);
  document.Clear();
  EXPECT_EQ(document.StyleList->Count(), 0);
}

TEST_F(DocumentTest, ImagesWrittenIntoTheirSourceDecodeWithOrWithoutEncodedLineBreaks) {
  TStringBitmapList cache;
  document.ImageCache = &cache;
  std::ifstream in(std::string(WENDREL_FIXTURES) + "/gif/bomb.gif", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(bytes.empty());
  uint8_t transparency = 0;
  std::unique_ptr<TBitmap> fileMask;
  const TSize expected =
      ImageSizeOf(ReadImageFile(Utf8ToString(std::string(WENDREL_FIXTURES) + "/gif/bomb.gif"), transparency, fileMask));
  std::string plain;
  for (char ch : EncodeBase64(bytes))
    if (ch != '\r' && ch != '\n') plain += ch;
  std::string broken;
  for (size_t i = 0; i < plain.size(); i += 16) broken += plain.substr(i, 16) + "%0A";

  for (const std::string& text : {plain, broken}) {
    String key;
    std::shared_ptr<TBitmap> mask;
    bool fromCache = true;
    transparency = 0;
    std::shared_ptr<TImageObject> image =
        document.GetImage(Utf8ToString("data:image/gif;base64," + text), transparency, mask, fromCache, key);
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(fromCache);
    const TSize size = ImageSizeOf(*image);
    EXPECT_EQ(size.cx, expected.cx);
    EXPECT_EQ(size.cy, expected.cy);
  }
  EXPECT_EQ(cache.Count(), 2);
}

// The animation timer runs on the platform's clock; a manual clock drives it here.
struct AnimationTest : DocumentTest {
  TManualClock clock;
  ScopedClock useClock{clock};
  TApplication app;

  static std::unique_ptr<TGIFImage> Spinner() {
    TFileStream stream(Utf8ToString(std::string(WENDREL_FIXTURES) + "/gif/spinner.gif"), fmOpenRead);
    return DecodeGifToImage(stream);
  }
};

TEST_F(AnimationTest, TheTimerFirstTicksAfter50MsThenEvery40WhileAnimatedImagesExist) {
  Add<TFixedSection>(10);
  LayOut();
  ASSERT_NE(document.AnimationTimer, nullptr);
  EXPECT_FALSE(document.AnimationTimer->Enabled());  // nothing animates
  EXPECT_EQ(document.AnimationTimer->Interval(), 50);

  std::unique_ptr<TGIFImage> gif = Spinner();
  ASSERT_GT(gif->FrameCount, 1);
  document.AnimatedImages.Add(gif.get());
  LayOut();
  EXPECT_TRUE(gif->Animating());
  EXPECT_TRUE(document.AnimationTimer->Enabled());
  WaitProcessingMessages(49);
  EXPECT_EQ(document.AnimationTimer->Interval(), 50);
  WaitProcessingMessages(2);
  EXPECT_EQ(document.AnimationTimer->Interval(), 40);

  // Only images painted since the last paint move on.
  const int frame = gif->FrameIndex;
  WaitProcessingMessages(400);
  EXPECT_EQ(gif->FrameIndex, frame);
  gif->Drawn = true;
  WaitProcessingMessages(400);
  EXPECT_NE(gif->FrameIndex, frame);

  // Without animated images the paint leaves the timer off.
  document.AnimatedImages.Clear();
  document.Draw(canvas, TRect{0, 0, 100, 100}, 6000, 0, 0, 0, 0);
  EXPECT_FALSE(document.AnimationTimer->Enabled());
}

TEST_F(AnimationTest, APrintingCopySharesTheCacheHasItsOwnInlineListAndNeverAnimates) {
  TStringBitmapList cache;
  document.ImageCache = &cache;
  document.YOffset = 12;
  document.PrintBackground = true;
  document.BackgroundColor = clYellow;
  document.OpenInlineBorder(0, TProperties());
  Add<TFixedSection>(20, 2);
  Add<TPanelSection>(30);
  document.IdList.Register(u"x", document.Items(0));
  std::unique_ptr<TGIFImage> gif = Spinner();
  document.AnimatedImages.Add(gif.get());
  LayOut();

  {
    ThtDocument copy(document);
    EXPECT_TRUE(copy.IsCopy);
    EXPECT_EQ(copy.ImageCache, &cache);
    // The copy's inline records are its own, converted through its own sections.
    ASSERT_EQ(copy.InlineList.Count(), 1);
    EXPECT_NE(copy.InlineList.Items(0), document.InlineList.Items(0));
    EXPECT_EQ(copy.InlineList.Document, &copy);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.YOffset, 12);
    EXPECT_TRUE(copy.PrintBackground);
    EXPECT_EQ(copy.BackgroundColor, clYellow);
    EXPECT_EQ(copy.StyleList, nullptr);
    EXPECT_EQ(copy.IdList.Count(), 0);
    EXPECT_EQ(copy.AnimatedImages.Count(), 0);

    copy.AnimatedImages.Add(gif.get());
    gif->SetAnimating(false);
    int cursor = 0, widest = 0;
    EXPECT_EQ(copy.DoLogic(canvas, 0, 300, 400, widest, cursor), 50);
    EXPECT_EQ(copy.AnimationTimer, nullptr);
    EXPECT_FALSE(gif->Animating());
    EXPECT_EQ(copy.PositionList.Count(), 0);
    copy.AnimatedImages.Clear();
    copy.Clear();
  }
  // The copy went without taking the source's lists along.
  EXPECT_EQ(document.InlineList.Count(), 1);
  EXPECT_EQ(document.IdList.Count(), 1);
  EXPECT_EQ(document.PositionList.Count(), 2);
  EXPECT_EQ(document.PanelList.Count(), 1);
}

}  // namespace
