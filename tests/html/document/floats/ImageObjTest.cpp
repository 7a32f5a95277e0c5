#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "html/document/floats/FloatingObjList.h"
#include "html/document/floats/Frames.h"
#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/images/ImageCache.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/metafile/MetafileCanvas.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/controls/CustomControl.h"

namespace {
namespace fs = std::filesystem;

struct Attr {
  uint8_t Symbol;
  const char16_t* Value;
  double Number;
};

std::unique_ptr<TAttributeList> Attributes(std::initializer_list<Attr> attrs) {
  auto list = std::make_unique<TAttributeList>();
  for (const Attr& a : attrs) list->Add(new TAttribute(a.Symbol, a.Number, u"X", a.Value, 1252));
  return list;
}

struct ImageObjTest : ::testing::Test {
  ImageObjTest() {
    folder = fs::temp_directory_path() / ("wendrel-images-" + std::to_string(getpid()));
    fs::create_directories(folder);
    document.ImageCache = &cache;
  }
  ~ImageObjTest() override { fs::remove_all(folder); }

  // A BMP of one colour.
  String WriteBitmap(const std::string& name, int width, int height, TColor color) {
    TBitmap bitmap(width, height, pf24bit);
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(TRect{0, 0, width, height});
    const String path = Utf8ToString((folder / name).string());
    bitmap.SaveToFile(path);
    return path;
  }
  std::unique_ptr<TImageObj> Image(std::initializer_list<Attr> attrs) {
    return std::make_unique<TImageObj>(&document, *Attributes(attrs), 0);
  }
  TFontObj& LinkRun() {
    if (!linkRun) {
      auto font = std::make_unique<TMyFont>();
      font->SetName(u"Arial");
      font->SetHeight(-16);
      font->Measure();
      linkRun = std::make_unique<TFontObj>(&section, 0, std::move(font));
      linkRun->OwnLinkTarget().LinkUrl = u"http://127.0.0.1/";
    }
    return *linkRun;
  }

  fs::path folder;
  TStringBitmapList cache;
  TCustomControl paintPanel{nullptr};
  ThtDocument document{nullptr, &paintPanel};
  TSectionBase section{&document};
  std::unique_ptr<TFontObj> linkRun;
  TCanvas canvas{std::make_unique<TMeasureDC>()};
};

TEST_F(ImageObjTest, AttributesOfTheTag) {
  struct Case {
    const char* what;
    std::initializer_list<Attr> attrs;
    bool quirks;
    int floatSide, vertAlign, spaceLeft, spaceRight, spaceTop, spaceBottom;
  } cases[] = {
      {"defaults", {}, false, 0, 4, 0, 0, 0, 0},
      {"HSPACE 60", {{HSpaceAttrSy, u"60", 60}}, false, 0, 4, 40, 0, 0, 0},
      {"HSPACE -5", {{HSpaceAttrSy, u"-5", -5}}, false, 0, 4, 5, 0, 0, 0},
      {"VSPACE 8", {{VSpaceAttrSy, u"8", 8}}, false, 0, 4, 0, 0, 8, 0},
      {"VSPACE huge", {{VSpaceAttrSy, u"-2147483647", -2147483647.0}}, false, 0, 4, 0, 0, 40, 0},
      {"ALIGN top", {{AlignAttrSy, u"top", 0}}, false, 0, 1, 0, 0, 0, 0},
      {"ALIGN absmiddle", {{AlignAttrSy, u"AbsMiddle", 0}}, false, 0, 2, 0, 0, 0, 0},
      {"ALIGN other", {{AlignAttrSy, u"baseline", 0}}, false, 0, 4, 0, 0, 0, 0},
      {"ALIGN RIGHT, standards", {{AlignAttrSy, u"RIGHT", 0}}, false, 6, 0, 0, 0, 0, 0},
      {"ALIGN RIGHT, quirks", {{AlignAttrSy, u"RIGHT", 0}}, true, 6, 0, 3, 0, 0, 0},
      {"ALIGN left, quirks", {{AlignAttrSy, u"left", 0}}, true, 5, 0, 0, 3, 0, 0},
      {"ALIGN left, quirks, HSPACE", {{AlignAttrSy, u"left", 0}, {HSpaceAttrSy, u"7", 7}}, true, 5, 0, 7, 0, 0, 0},
  };
  for (const Case& c : cases) {
    document.UseQuirks = c.quirks;
    auto image = Image(c.attrs);
    EXPECT_EQ(image->FloatSide, c.floatSide) << c.what;
    EXPECT_EQ(image->VertAlignKind, c.vertAlign) << c.what;
    EXPECT_EQ(image->SpaceLeft, c.spaceLeft) << c.what;
    EXPECT_EQ(image->SpaceRight, c.spaceRight) << c.what;
    EXPECT_EQ(image->SpaceTop, c.spaceTop) << c.what;
    EXPECT_EQ(image->SpaceBottom, c.spaceBottom) << c.what;
  }

  auto image = Image({{BorderAttrSy, u"20", 20},
                      {UseMapAttrSy, u" #nav ", 0},
                      {AltAttrSy, u"Logo\r\n", 0},
                      {WidthAttrSy, u"50%", 50},
                      {HeightAttrSy, u"150%", 150},
                      {SrcAttrSy, u"  pic.gif ", 0},
                      {TranspAttrSy, u"", 0},
                      {IsMapAttrSy, u"", 0},
                      {ActiveAttrSy, u"", 0}});
  EXPECT_EQ(image->BorderSize, 10);
  EXPECT_FALSE(image->NoBorder);
  EXPECT_TRUE(image->UsesMap);
  EXPECT_EQ(image->MapName, u"NAV");
  EXPECT_EQ(image->AltText, u"Logo");
  EXPECT_EQ(image->TitleText, u"Logo");
  EXPECT_EQ(image->SpecWidth, 50);
  EXPECT_TRUE(image->WidthIsPercent);
  EXPECT_EQ(image->SpecHeight, -1);  // percentages above 100 are not taken
  EXPECT_FALSE(image->HeightIsPercent);
  EXPECT_EQ(image->Source, u"pic.gif");
  EXPECT_EQ(image->Transparent, 1);
  EXPECT_TRUE(image->IsMap);
  EXPECT_TRUE(image->HoverAnimated);
  EXPECT_TRUE(Image({{BorderAttrSy, u"0", 0}})->NoBorder);
  EXPECT_EQ(Image({{UseMapAttrSy, u"#", 0}})->MapName, u"#");
}

TEST_F(ImageObjTest, CssOfTheElement) {
  TProperties properties(false);
  properties.Values[Float] = String(u"right");
  properties.Values[VerticalAlign] = String(u"top");
  properties.Values[MarginTop] = String(u"6px");
  properties.Values[Width] = String(u"25%");
  properties.Values[Height] = String(u"auto");
  properties.Values[BorderTopStyle] = String(u"solid");
  properties.TitleText = u"from css";
  auto image = Image({{BorderAttrSy, u"4", 4}, {HeightAttrSy, u"30", 30}});
  image->ApplyProperties(properties);
  EXPECT_EQ(image->FloatSide, 6);
  EXPECT_EQ(image->VertAlignKind, 1);  // a floating image keeps a declared vertical-align
  EXPECT_EQ(image->SpaceLeft, 3);
  EXPECT_EQ(image->SpaceRight, 3);
  EXPECT_EQ(image->SpaceTop, 6);
  EXPECT_EQ(image->SpecWidth, 25);
  EXPECT_TRUE(image->WidthIsPercent);
  EXPECT_EQ(image->SpecHeight, -1);
  EXPECT_TRUE(image->NoBorder);  // a CSS border style drops the HTML border
  EXPECT_EQ(image->BorderSize, 0);
  EXPECT_EQ(image->TitleText, u"from css");
}

TEST_F(ImageObjTest, SizesFromTheLoadedPicture) {
  const String wide = WriteBitmap("wide.bmp", 200, 50, clRed);
  struct Case {
    const char* what;
    std::initializer_list<Attr> attrs;
    int availableWidth, availableHeight;
    bool linked;
    int scaledWidth, scaledHeight, boxWidth, boxHeight;
    bool sizeKnown;
  } cases[] = {
      {"own size", {}, 400, 300, false, 200, 50, 200, 50, true},
      {"HEIGHT 100", {{HeightAttrSy, u"100", 100}}, 400, 300, false, 400, 100, 400, 100, true},
      {"WIDTH 50%", {{WidthAttrSy, u"50%", 50}}, 400, 300, false, 200, 50, 200, 50, false},
      {"WIDTH 50% in no room", {{WidthAttrSy, u"50%", 50}}, 0, 0, false, 0, 0, 0, 0, false},
      {"WIDTH 50% with border", {{WidthAttrSy, u"50%", 50}, {BorderAttrSy, u"5", 5}}, 410, 300, false, 200, 50, 210,
       60, false},
      {"linked", {}, 400, 300, true, 200, 50, 202, 52, true},
      {"linked, BORDER 0", {{BorderAttrSy, u"0", 0}}, 400, 300, true, 200, 50, 200, 50, true},
      {"both given", {{WidthAttrSy, u"20", 20}, {HeightAttrSy, u"10", 10}}, 400, 300, false, 20, 10, 20, 10, true},
  };
  for (const Case& c : cases) {
    auto image = Image(c.attrs);
    image->Source = wide;
    image->MeasureBox(canvas, c.availableHeight, c.availableWidth, c.linked ? &LinkRun() : nullptr);
    EXPECT_FALSE(image->ShowsStockImage()) << c.what;
    EXPECT_EQ(image->ScaledWidth, c.scaledWidth) << c.what;
    EXPECT_EQ(image->ScaledHeight, c.scaledHeight) << c.what;
    EXPECT_EQ(image->BoxWidth, c.boxWidth) << c.what;
    EXPECT_EQ(image->BoxHeight, c.boxHeight) << c.what;
    EXPECT_EQ(image->SizeKnown, c.sizeKnown) << c.what;
  }

  // A percentage follows the room at every layout.
  auto image = Image({{WidthAttrSy, u"50%", 50}});
  image->Source = wide;
  image->MeasureBox(canvas, 300, 400, nullptr);
  image->MeasureBox(canvas, 300, 100, nullptr);
  EXPECT_EQ(image->ScaledWidth, 50);
  EXPECT_EQ(image->ScaledHeight, 13);  // 12.5 rounds away from zero
}

TEST_F(ImageObjTest, PicturesThatCannotBeShown) {
  // A missing file: the error image; with ALT text a box for the text in Arial 8 points.
  auto withAlt = Image({{AltAttrSy, u"No picture here", 0}, {SrcAttrSy, u"/nonexistent/x.png", 0}});
  withAlt->MeasureBox(canvas, 300, 400, nullptr);
  EXPECT_TRUE(withAlt->ShowsStockImage());
  EXPECT_EQ(withAlt->GetBitmap(), nullptr);
  TCanvas measure(std::make_unique<TMeasureDC>());
  measure.Font().SetName(u"Arial");
  measure.Font().SetSize(8);
  measure.TextExtent(String());
  TRect text{0, 0, 0, 0};
  measure.Handle().DrawText(u"No picture here\r\n", text, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_GT(text.Right, 40);
  EXPECT_EQ(withAlt->BoxWidth, text.Right + 26);
  EXPECT_EQ(withAlt->BoxHeight, std::max(text.Bottom, 24));

  auto withoutAlt = Image({{SrcAttrSy, u"/nonexistent/x.png", 0}});
  withoutAlt->MeasureBox(canvas, 300, 400, nullptr);
  EXPECT_EQ(withoutAlt->BoxWidth, 24);
  EXPECT_EQ(withoutAlt->BoxHeight, 24);
  EXPECT_FALSE(withoutAlt->SizeKnown);  // the real picture may come later

  auto noSource = Image({});
  noSource->MeasureBox(canvas, 300, 400, nullptr);
  EXPECT_TRUE(noSource->ShowsStockImage());

  // A broken file is no picture either.
  const fs::path broken = folder / "broken.bmp";
  { std::ofstream(broken) << "BM not really a bitmap"; }
  auto brokenImage = Image({{SrcAttrSy, Utf8ToString(broken.string()).c_str(), 0}});
  brokenImage->MeasureBox(canvas, 300, 400, nullptr);
  EXPECT_TRUE(brokenImage->ShowsStockImage());

  // Images off: the placeholder decides, with a given size taken as it is.
  document.ShowImages = false;
  auto off = Image({{WidthAttrSy, u"60", 60}, {HeightAttrSy, u"40", 40}});
  off->MeasureBox(canvas, 300, 400, nullptr);
  EXPECT_EQ(off->BoxWidth, 60);
  EXPECT_EQ(off->BoxHeight, 40);
}

TEST_F(ImageObjTest, DrawnInItsLineAndHitInsideTheBorderOnly) {
  const String red = WriteBitmap("red.bmp", 40, 20, clRed);
  TBitmap target(200, 100, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(TRect{0, 0, 200, 100});
  auto image = Image({{BorderAttrSy, u"3", 3}, {SrcAttrSy, red.c_str(), 0}});
  TFontObj& run = LinkRun();
  run.RunFont->SetColor(clBlue);
  image->MeasureBox(target.Canvas(), 100, 200, &run);
  ASSERT_EQ(image->BoxWidth, 46);
  ASSERT_EQ(image->BoxHeight, 26);
  document.YOffset = 10;
  // Bottom-aligned on a baseline at document Y 90: the box spans window Y 54..80.
  image->Draw(target.Canvas(), 20, &run, 90, 40);
  EXPECT_EQ(image->DrawLeft, 23);
  EXPECT_EQ(image->DrawTop, 67);  // document coordinates
  EXPECT_EQ(target.Canvas().Pixel(20, 54), clBlue);   // border, top left
  EXPECT_EQ(target.Canvas().Pixel(65, 79), clBlue);   // border, bottom right
  EXPECT_EQ(target.Canvas().Pixel(23, 57), clRed);    // picture
  EXPECT_EQ(target.Canvas().Pixel(62, 76), clRed);
  EXPECT_EQ(target.Canvas().Pixel(19, 54), clWhite);  // outside
  EXPECT_EQ(target.Canvas().Pixel(20, 81), clWhite);

  TFloatingObjList list;
  list.Add(image.release());
  struct Case {
    int x, y;
    bool hit;
    int imageX, imageY;
  } cases[] = {{23, 67, true, 0, 0}, {62, 86, true, 39, 19}, {63, 70, false, 0, 0},
               {21, 70, false, 0, 0},  // inside the border, outside the picture
               {30, 66, false, 0, 0}, {30, 87, false, 0, 0}};
  for (const Case& c : cases) {
    int imageX = -1, imageY = -1;
    TImageObj* hit = nullptr;
    EXPECT_EQ(list.HitImage(c.x, c.y, imageY, imageX, hit), c.hit) << c.x << "," << c.y;
    if (c.hit) {
      EXPECT_EQ(hit, list.Items(0));
      EXPECT_EQ(imageX, c.imageX);
      EXPECT_EQ(imageY, c.imageY);
    }
  }
}

TEST_F(ImageObjTest, ImageMapsByName) {
  auto* map = new TMapItem;
  map->NameKey = u"NAV";
  document.MapList.Add(map);
  TFloatingObjList list;
  auto* image = new TImageObj(&document, *Attributes({{UseMapAttrSy, u"#nav", 0}, {IsMapAttrSy, u"", 0}}), 7);
  image->BoxWidth = image->BoxHeight = 10;
  image->DrawLeft = 100;
  image->DrawTop = 200;
  list.Add(image);
  TImageObj* hit = nullptr;
  TMapItem* found = nullptr;
  bool usesMap = false, isMap = false;
  int position = 0, imageX = 0, imageY = 0;
  ASSERT_TRUE(list.HitImageMap(105, 203, hit, found, usesMap, isMap, position, imageY, imageX));
  EXPECT_EQ(found, map);
  EXPECT_TRUE(usesMap);
  EXPECT_TRUE(isMap);
  EXPECT_EQ(position, 7);
  EXPECT_EQ(imageX, 5);
  EXPECT_EQ(imageY, 3);
  image->MapName = u"OTHER";
  ASSERT_TRUE(list.HitImageMap(105, 203, hit, found, usesMap, isMap, position, imageY, imageX));
  EXPECT_EQ(found, nullptr);
  EXPECT_FALSE(usesMap);
}

TEST_F(ImageObjTest, ListSearchesByPosition) {
  TFloatingObjList list;
  for (int position : {3, 8}) {
    auto* image = new TImageObj(&document, *Attributes({{VSpaceAttrSy, u"2", 2}, {HSpaceAttrSy, u"4", 4}}), position);
    image->BoxWidth = 30;
    image->BoxHeight = 20;
    list.Add(image);
  }
  EXPECT_EQ(list.FindAt(8), list.Items(1));
  EXPECT_EQ(list.FindAt(5), nullptr);
  uint8_t align = 0, side = 9;
  TFloatingObj* object = nullptr;
  int right = -1, left = -1;
  EXPECT_EQ(list.HeightAt(3, align, object), 22);
  EXPECT_EQ(align, 4);
  EXPECT_EQ(list.HeightAt(4, align, object), -1);
  EXPECT_EQ(list.WidthAt(8, side, object, right, left), 30);
  EXPECT_EQ(side, 0);
  EXPECT_EQ(left, 4);
  EXPECT_EQ(right, 0);
  EXPECT_EQ(list.WidthAt(9, side, object, right, left), -1);
  EXPECT_EQ(list.DistanceToNext(0), 3);
  EXPECT_EQ(list.DistanceToNext(4), 4);
  EXPECT_EQ(list.DistanceToNext(9), 99999999);
  EXPECT_EQ(TFloatingObjList().DistanceToNext(0), 99999999);
  list.RemoveCharAt(3);
  EXPECT_EQ(list.Items(0)->CharPos, 3);
  EXPECT_EQ(list.Items(1)->CharPos, 7);

  ThtDocument copyDocument(nullptr, nullptr);
  auto copy = TFloatingObjList::CreateCopy(&copyDocument, list);
  ASSERT_EQ(copy->Count(), 2);
  EXPECT_EQ(copy->Items(1)->CharPos, 7);
  EXPECT_EQ(copy->Items(1)->SpaceLeft, 4);
  EXPECT_EQ(copy->Items(1)->Document, &copyDocument);
}

TEST_F(ImageObjTest, AFreedImageLeavesEveryList) {
  const String path = Utf8ToString(WENDREL_FIXTURES "/gif/spinner.gif");
  auto image = Image({{NameAttrSy, u"pic", 0}, {SrcAttrSy, path.c_str(), 0}});
  image->MeasureBox(canvas, 300, 400, nullptr);
  ASSERT_TRUE(std::holds_alternative<TGIFImage*>(image->Picture));
  document.IdList.Register(u"other-id", image.get());
  ASSERT_EQ(document.AnimatedImages.Count(), 1);
  const int cached = cache.IndexOf(UpperCaseText(path));
  ASSERT_GE(cached, 0);
  EXPECT_EQ(cache.ItemAt(cached).UseCount, 1);
  document.ImageDrawList.AddImage(image.get(), canvas, nullptr, 0, 0, 0);
  document.HoverImage = image.get();
  document.MissingImages.AddObject(u"LATER.PNG", static_cast<TFloatingObj*>(image.get()));

  // A second image of the same source shares the cache entry, animates on its own.
  auto twin = Image({{SrcAttrSy, path.c_str(), 0}});
  twin->MeasureBox(canvas, 300, 400, nullptr);
  EXPECT_EQ(cache.ItemAt(cached).UseCount, 2);
  EXPECT_NE(std::get<TGIFImage*>(twin->Picture), std::get<TGIFImage*>(image->Picture));
  EXPECT_EQ(document.AnimatedImages.Count(), 2);

  image.reset();
  EXPECT_EQ(document.IdList.Count(), 0);
  EXPECT_EQ(document.AnimatedImages.Count(), 1);
  EXPECT_EQ(document.ImageDrawList.Count(), 0);
  EXPECT_EQ(document.HoverImage, nullptr);
  EXPECT_EQ(document.MissingImages.Count(), 0);
  EXPECT_EQ(cache.ItemAt(cached).UseCount, 1);
}

TEST_F(ImageObjTest, HoverAnimatesActiveImages) {
  const String path = Utf8ToString(WENDREL_FIXTURES "/gif/spinner.gif");
  auto image = Image({{ActiveAttrSy, u"", 0}, {SrcAttrSy, path.c_str(), 0}});
  image->MeasureBox(canvas, 300, 400, nullptr);
  TGIFImage* gif = std::get<TGIFImage*>(image->Picture);
  ASSERT_GT(gif->FrameCount, 3);
  EXPECT_FALSE(gif->Animating());
  EXPECT_EQ(document.AnimatedImages.Count(), 0);
  image->SetHover(1);
  EXPECT_TRUE(gif->Animating());
  EXPECT_EQ(document.AnimatedImages.Count(), 1);
  image->SetHover(2);
  EXPECT_EQ(document.AnimatedImages.Count(), 1);
  image->SetHover(0);
  EXPECT_FALSE(gif->Animating());
  EXPECT_EQ(document.AnimatedImages.Count(), 0);
}

TEST_F(ImageObjTest, CopyForPrintingSharesThePicture) {
  const String path = WriteBitmap("copy.bmp", 30, 30, clLime);
  auto image = Image({{SrcAttrSy, path.c_str(), 0}, {WidthAttrSy, u"10%", 10}, {BorderAttrSy, u"2", 2}});
  image->MeasureBox(canvas, 300, 400, nullptr);
  const int cached = cache.IndexOf(UpperCaseText(path));
  ThtDocument copyDocument(nullptr, nullptr);
  copyDocument.IsCopy = true;
  {
    TImageObj copy(&copyDocument, *image);
    EXPECT_TRUE(copy.Picture == image->Picture);
    EXPECT_TRUE(copy.WidthIsPercent);
    EXPECT_EQ(copy.BorderSize, 2);
    EXPECT_EQ(copy.ScaledWidth, image->ScaledWidth);
    ASSERT_NE(copy.GetBitmap(), nullptr);
    EXPECT_EQ(copy.GetBitmap()->Width(), 30);
  }
  EXPECT_EQ(cache.ItemAt(cached).UseCount, 1);  // the copy held no user of the cache
}

// A printing copy holds what it draws: the source image, its document and the cache entry
// may all be gone when the copy is laid out and drawn.
TEST_F(ImageObjTest, ACopyDrawsItsPictureWhenTheSourceIsGone) {
  const struct {
    const char* what;
    String source;
    int width, height;
  } cases[] = {
      {"missing: the stock error picture", Utf8ToString((folder / "missing.png").string()), 24, 24},
      {"animated GIF", Utf8ToString(WENDREL_FIXTURES "/gif/spinner.gif"), 16, 16},
      {"bitmap", WriteBitmap("drawn.bmp", 30, 20, clLime), 30, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TStringBitmapList sourceCache;
    auto sourceDocument = std::make_unique<ThtDocument>(nullptr, nullptr);
    sourceDocument->ImageCache = &sourceCache;
    auto image = std::make_unique<TImageObj>(sourceDocument.get(), *Attributes({{SrcAttrSy, c.source.c_str(), 0}}), 0);
    image->MeasureBox(canvas, 300, 400, nullptr);
    ThtDocument copyDocument(*sourceDocument);
    TImageObj copy(&copyDocument, *image);
    image.reset();
    sourceDocument.reset();
    sourceCache.Clear();

    copy.SizeKnown = false;
    copy.MeasureBox(canvas, 300, 400, nullptr);
    EXPECT_EQ(copy.BoxWidth, c.width);
    EXPECT_EQ(copy.BoxHeight, c.height);
    TBitmap target(40, 40, pf24bit);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(TRect{0, 0, 40, 40});
    copy.DrawPicture(target.Canvas(), 0, 0);
    int drawn = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) drawn += target.GetPixel(x, y) != clWhite;
    EXPECT_GT(drawn, 0);
  }
}
TEST_F(ImageObjTest, PlaceholderWithAltTextInASunkenFrame) {
  auto image = Image({{AltAttrSy, u"x", 0}, {SrcAttrSy, u"/nonexistent/y.bmp", 0}});
  TBitmap target(120, 60, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(TRect{0, 0, 120, 60});
  image->MeasureBox(target.Canvas(), 60, 120, nullptr);
  image->VertAlignKind = 1;
  image->Draw(target.Canvas(), 10, nullptr, 50, 5);
  const auto colours = FrameColours(document, target.Canvas(), false);
  EXPECT_EQ(colours[2], clSilver);  // light side on a white page
  EXPECT_EQ(target.Canvas().Pixel(10, 5), ColorToRGB(colours[0]));
  EXPECT_EQ(target.Canvas().Pixel(10 + image->BoxWidth - 1, 5 + image->BoxHeight - 1), ColorToRGB(colours[3]));
  // The error image sits 4 pixels in; its mask leaves the page white where it is transparent.
  EXPECT_NE(target.Canvas().Pixel(10 + 4 + 8, 5 + 4 + 8), clWhite);
}

TEST_F(ImageObjTest, FrameColoursByPageAndDevice) {
  EXPECT_EQ(FrameColours(document, canvas, true), (std::array<TColor, 4>{clSilver, clSilver, clBtnShadow, clBtnShadow}));
  document.BackgroundColor = clYellow;
  EXPECT_EQ(FrameColours(document, canvas, false),
            (std::array<TColor, 4>{clBtnShadow, clBtnShadow, clBtnHighlight, clBtnHighlight}));
  document.Printing = true;
  EXPECT_EQ(FrameColours(document, canvas, false)[2], clSilver);
  document.PrintMonochromeBlack = true;
  TCanvas mono(std::make_unique<TMeasureDC>(TSize{100, 100}, 1));
  EXPECT_EQ(FrameColours(document, mono, true), (std::array<TColor, 4>{clBlack, clBlack, clBlack, clBlack}));
  EXPECT_EQ(FrameColours(document, canvas, true)[0], clSilver);
}

TEST_F(ImageObjTest, ImageWaitingForItsStreamShowsThePlaceholder) {
  document.MissingImages.AddObject(u"LATER.PNG", nullptr);
  auto image = Image({{SrcAttrSy, u"later.png", 0}});
  image->MeasureBox(canvas, 300, 400, nullptr);
  EXPECT_TRUE(image->Delayed);
  EXPECT_TRUE(image->ShowsStockImage());
  EXPECT_EQ(document.MissingImages.Count(), 2);
  EXPECT_EQ(document.MissingImages.Objects(1), static_cast<TFloatingObj*>(image.get()));
  ASSERT_NE(image->GetBitmap(), nullptr);  // the placeholder can be copied, the error image not
  image.reset();
  EXPECT_EQ(document.MissingImages.Count(), 1);
}

TEST_F(ImageObjTest, DeferredImagesAndLinksOfPrintedPages) {
  const String path = WriteBitmap("deferred.bmp", 10, 10, clRed);
  TBitmap target(50, 50, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(TRect{0, 0, 50, 50});
  auto image = Image({{SrcAttrSy, path.c_str(), 0}});
  image->MeasureBox(target.Canvas(), 50, 50, nullptr);
  document.ImageDrawList.AddImage(image.get(), target.Canvas(), nullptr, 30, 0, 5);
  EXPECT_EQ(target.Canvas().Pixel(7, 25), clWhite);
  document.ImageDrawList.DrawImages();
  EXPECT_EQ(target.Canvas().Pixel(7, 25), clRed);  // bottom-aligned on baseline 30

  // A printing copy reports where a linked image was drawn.
  document.IsCopy = true;
  document.PageNumber = 3;
  TRect reported{};
  String url;
  int page = 0;
  document.LinkDrawn = [&](int pageNumber, const TRect& rect, const String&, const String& link) {
    page = pageNumber;
    reported = rect;
    url = link;
  };
  image->Draw(target.Canvas(), 5, &LinkRun(), 30, 0);
  EXPECT_EQ(page, 3);
  EXPECT_EQ(url, u"http://127.0.0.1/");
  EXPECT_EQ(reported.Left, 5);
  EXPECT_EQ(reported.Bottom, 30);
  document.IsCopy = false;
}
TEST_F(ImageObjTest, SamePicturesOnRasterAndThroughAMetafile) {
  const String path = WriteBitmap("both.bmp", 30, 12, clRed);
  auto picture = Image({{BorderAttrSy, u"2", 2}, {SrcAttrSy, path.c_str(), 0}});
  auto missing = Image({{AltAttrSy, u"Missing", 0}, {SrcAttrSy, u"/nonexistent/z.bmp", 0}});
  TFontObj& run = LinkRun();
  run.RunFont->SetColor(clGreen);
  const auto paint = [&](TCanvas& target) {
    target.Brush().SetStyle(bsSolid);
    target.Brush().SetColor(clWhite);
    target.FillRect(TRect{0, 0, 160, 80});
    picture->MeasureBox(target, 80, 160, &run);
    picture->Draw(target, 5, &run, 40, 0);
    missing->MeasureBox(target, 80, 160, nullptr);
    missing->VertAlignKind = 1;
    missing->Draw(target, 60, nullptr, 70, 10);
  };
  TBitmap direct(160, 80, pf24bit);
  paint(direct.Canvas());

  TMetafile metafile;
  metafile.SetWidth(160);
  metafile.SetHeight(80);
  {
    TMetafileCanvas recorder(metafile);
    paint(recorder);
  }
  TBitmap played(160, 80, pf24bit);
  played.Canvas().Draw(0, 0, metafile);
  int differing = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 160; ++x)
      if (direct.Canvas().Pixel(x, y) != played.Canvas().Pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(played.Canvas().Pixel(5, 40 - picture->BoxHeight), clGreen);  // the border
}
}  // namespace
