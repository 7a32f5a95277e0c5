// The viewer's side of images and panels in the document: image handlers that hand out a
// bitmap or a stream, or say the image comes later or not at all; the background image;
// the host's events for PANEL windows.
#include <gtest/gtest.h>

#include "html/document/floats/PanelObj.h"
#include "html/document/model/Document.h"
#include "html/foundation/gif/GifImage.h"
#include "html/foundation/images/ImageCache.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/controls/CustomControl.h"

namespace {

String Fixture(const char* name) { return Utf8ToString(std::string(WENDREL_FIXTURES) + "/gif/" + name); }

struct ImageHandlers : ::testing::Test {
  TCustomControl paintPanel{nullptr};
  TStringBitmapList cache;
  ThtDocument document{nullptr, &paintPanel};
  ImageHandlers() { document.ImageCache = &cache; }

  std::shared_ptr<TImageObject> Get(const String& source, bool& delayed, std::shared_ptr<TBitmap>& mask, uint8_t transparency = 0) {
    bool fromCache = false;
    String key;
    return document.GetImage(source, transparency, mask, fromCache, key, &delayed);
  }
};

TEST_F(ImageHandlers, TheStreamAnswerDecidesWhereTheImageComesFrom) {
  TFileStream gif(Fixture("bomb.gif"), fmOpenRead);
  struct Case {
    const char* what;
    TStream* answer;
    bool image, delayed, requested;
  } cases[] = {
      {"a stream is read and handed back", &gif, true, false, true},
      {"the wait stream: the image comes later", ThtDocument::WaitStream(), false, true, false},
      {"the none stream: there is no image", ThtDocument::NoImageStream(), false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cache.Clear();
    gif.SetPosition(0);
    TStream* handedBack = nullptr;
    document.ImageRequest = [&](const String& source, TStream*& stream) {
      EXPECT_EQ(source, u"pics/bomb.gif");
      stream = c.answer;
    };
    document.ImageRequested = [&](const String&, TStream* stream) { handedBack = stream; };
    bool delayed = false;
    std::shared_ptr<TBitmap> mask;
    std::shared_ptr<TImageObject> image = Get(u" pics/bomb.gif ", delayed, mask);
    EXPECT_EQ(image != nullptr, c.image);
    EXPECT_EQ(delayed, c.delayed);
    EXPECT_EQ(handedBack == c.answer, c.requested);
    EXPECT_EQ(cache.Count(), c.image ? 1 : 0);
  }
}

TEST_F(ImageHandlers, WithoutAStreamTheFileIsRead) {
  document.ImageRequest = [](const String&, TStream*&) {};
  bool delayed = true;
  std::shared_ptr<TBitmap> mask;
  ASSERT_NE(Get(Fixture("bomb.gif"), delayed, mask), nullptr);
  EXPECT_FALSE(delayed);
}

TEST_F(ImageHandlers, ABitmapWithATransparentColourGetsItsMask) {
  int streamsAsked = 0;
  document.BitmapRequest = [](const String&, std::unique_ptr<TBitmap>& bitmap, TColor& color) {
    bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(4, 2);
    for (int x = 0; x < 4; ++x)
      for (int y = 0; y < 2; ++y) bitmap->SetPixel(x, y, x == 0 && y == 0 ? clLime : clRed);
    color = clLime;
  };
  document.ImageRequest = [&](const String&, TStream*&) { ++streamsAsked; };
  bool delayed = false;
  std::shared_ptr<TBitmap> mask;
  uint8_t transparency = 0;
  bool fromCache = false;
  String key;
  std::shared_ptr<TImageObject> image = document.GetImage(u"made-by-host", transparency, mask, fromCache, key, &delayed);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(streamsAsked, 0);
  EXPECT_EQ(transparency, itrMask);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->GetPixel(0, 0), clWhite);  // transparent
  EXPECT_EQ(mask->GetPixel(1, 0), clBlack);
}

TEST_F(ImageHandlers, ABackgroundThatComesLaterWaitsInTheMissingImages) {
  document.ImageRequest = [](const String&, TStream*& stream) { stream = ThtDocument::WaitStream(); };
  document.SetBackgroundImage(u"back.png", TBackgroundPos{});
  document.LoadBackground();
  EXPECT_TRUE(document.BackgroundProcessed);
  EXPECT_EQ(document.BackgroundImage, nullptr);
  ASSERT_EQ(document.MissingImages.Count(), 1);
  EXPECT_EQ(document.MissingImages[0], u"BACK.PNG");
  EXPECT_EQ(document.MissingImages.Objects(0), &document);
}

TEST_F(ImageHandlers, AnAnimatedBackgroundAnimatesUntilTheDocumentIsCleared) {
  int expanded = 0;
  document.ImageRequest = [](const String&, TStream*&) {};
  document.ExpandName = [&](String&) { ++expanded; };
  document.SetBackgroundImage(Fixture("spinner.gif"), TBackgroundPos{});
  document.LoadBackground();
  EXPECT_EQ(expanded, 1);
  ASSERT_NE(document.BackgroundImage, nullptr);
  ASSERT_NE(document.BackgroundGif, nullptr);
  EXPECT_TRUE(document.BackgroundGif->Animating());
  EXPECT_EQ(document.AnimatedImages.Count(), 1);
  EXPECT_EQ(cache.ItemAt(0).UseCount, 1);
  document.LoadBackground();  // once only
  EXPECT_EQ(cache.ItemAt(0).UseCount, 1);
  document.Clear();
  EXPECT_EQ(document.BackgroundImage, nullptr);
  EXPECT_EQ(document.BackgroundGif, nullptr);
  EXPECT_EQ(cache.ItemAt(0).UseCount, 0);  // the cache may drop it now
}

TEST_F(ImageHandlers, ABackgroundIsNotLookedUpWhileImagesAreHidden) {
  document.ShowImages = false;
  document.SetBackgroundImage(Fixture("spinner.gif"), TBackgroundPos{});
  document.LoadBackground();
  EXPECT_EQ(document.BackgroundImage, nullptr);
  EXPECT_FALSE(document.BackgroundProcessed);
}

TEST(PanelEvents, TheHostFillsPanelsAndLearnsWhenTheyGo) {
  TCustomControl paintPanel{nullptr};
  ThtDocument document{nullptr, &paintPanel};
  std::vector<std::string> events;
  document.PanelCreate = [&](const String& name, ThvPanel& panel, const String& source, const String& type) {
    events.push_back("create " + StringToUtf8(name) + " " + StringToUtf8(source) + " " + StringToUtf8(type));
    panel.SetBounds(panel.Left(), panel.Top(), 120, 60);  // the host sizes its window
  };
  document.PanelDestroy = [&](ThvPanel& panel) { events.push_back("destroy " + StringToUtf8(panel.Name())); };
  TAttributeList attributes;
  attributes.Add(new TAttribute(NameAttrSy, 0, u"NAME", u"chart", 1252));
  attributes.Add(new TAttribute(SrcAttrSy, 0, u"SRC", u"c.dat", 1252));
  attributes.Add(new TAttribute(TypeAttrSy, 0, u"TYPE", u"x/chart", 1252));
  {
    TPanelObj panel(&document, false, attributes, 0);
    TPanelObj object(&document, true, attributes, 1);  // OBJECT elements are not announced
    TCanvas canvas{std::make_unique<TMeasureDC>()};
    panel.MeasureBox(canvas, 300, 400, nullptr);
    EXPECT_EQ(panel.BoxWidth, 120);  // the size the host gave is the natural size
    EXPECT_EQ(panel.BoxHeight, 60);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"create chart c.dat x/chart", "destroy chart", "destroy chart"}));
}

}  // namespace
