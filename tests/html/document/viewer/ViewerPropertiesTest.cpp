// The viewer's properties that keep their values in range, and META refreshes.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/images/ImageCache.h"

namespace {

TEST(ViewerProperties, ValuesAreKeptInRange) {
  TMarkupViewer viewer(nullptr);
  viewer.SetImageCacheCount(25);
  EXPECT_EQ(viewer.ImageCacheCount(), 20);
  viewer.SetImageCacheCount(-3);
  EXPECT_EQ(viewer.ImageCacheCount(), 0);
  viewer.SetServerRoot(u"  /var/www/site/ ");
  EXPECT_EQ(viewer.ServerRoot(), u"/var/www/site");
  viewer.SetServerRoot(u"C:\\inetpub\\");
  EXPECT_EQ(viewer.ServerRoot(), u"C:\\inetpub");
}

TEST(ViewerProperties, PrintSettingsStartAtTheirDefaults) {
  TMarkupViewer viewer(nullptr);
  EXPECT_EQ(viewer.PrintMarginLeft(), 2.0);
  EXPECT_EQ(viewer.PrintMarginRight(), 2.0);
  EXPECT_EQ(viewer.PrintMarginTop(), 2.0);
  EXPECT_EQ(viewer.PrintMarginBottom(), 2.0);
  EXPECT_EQ(viewer.PrintMaxHPages(), 2);
  EXPECT_EQ(viewer.PrintScale(), 1.0);
  EXPECT_EQ(viewer.PrintedPage, 0);
  EXPECT_EQ(viewer.PrintContentWidth, 0);
  EXPECT_EQ(viewer.PrintContentHeight, 0);
  EXPECT_EQ(viewer.PrintWidthRatio, 0.0);
}

TEST(ViewerProperties, PrintScaleIsKeptInRange) {
  TMarkupViewer viewer(nullptr);
  const std::pair<double, double> cases[] = {{10, 8.0},     {0.01, 0.125}, {-1, 0.125}, {8.0, 8.0},
                                             {0.125, 0.125}, {0.5, 0.5},    {2.75, 2.75}};
  for (const auto& [given, kept] : cases) {
    viewer.SetPrintScale(given);
    EXPECT_EQ(viewer.PrintScale(), kept) << given;
  }
}

TEST(ViewerProperties, OptionsReachTheDocument) {
  TMarkupViewer viewer(nullptr);
  EXPECT_TRUE(viewer.Document().PrintTableBackground);
  EXPECT_TRUE(viewer.DrawsFocusRect());
  viewer.SetHtOptions(htOverLinksActive | htPrintBackground | htNoFocusRect);
  EXPECT_TRUE(viewer.Document().OverLinksActive);
  EXPECT_TRUE(viewer.Document().PrintBackground);
  EXPECT_TRUE(viewer.Document().PrintTableBackground);
  EXPECT_FALSE(viewer.Document().PrintMonochromeBlack);
  EXPECT_FALSE(viewer.DrawsFocusRect());
  viewer.SetDefBackground(clYellow);
  EXPECT_EQ(viewer.PaintPanel().Color(), clYellow);
  EXPECT_EQ(viewer.Document().BackgroundColor, clYellow);
}

struct RefreshCase {
  const char16_t* httpEq;
  const char16_t* content;
  std::optional<int> delay;  // no value: no refresh
  const char16_t* url;
};

class MetaRefresh : public ::testing::TestWithParam<RefreshCase> {};

TEST_P(MetaRefresh, TakesTheDelayAndTheAddress) {
  const RefreshCase& c = GetParam();
  TMarkupViewer viewer(nullptr);
  int metas = 0;
  viewer.Events.OnMeta = [&](TComponent*, const String&, const String&, const String&) { ++metas; };
  viewer.Events.OnMetaRefresh = [](TComponent*, int, const String&) {};
  viewer.ProcessMetaTag(c.httpEq, u"", c.content);
  EXPECT_EQ(metas, 1);
  if (c.delay) {
    EXPECT_EQ(viewer.RefreshDelay, *c.delay);
    EXPECT_EQ(viewer.RefreshURL, c.url);
  } else {
    EXPECT_EQ(viewer.RefreshDelay, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Contents, MetaRefresh,
                         ::testing::Values(RefreshCase{u"Refresh", u"0; URL=next.html", 1, u"next.html"},
                                           RefreshCase{u"refresh", u"30", 30, u""},
                                           RefreshCase{u"REFRESH", u"5;url= a b ", 5, u" a b "},
                                           RefreshCase{u"refresh", u"soon; url=x", std::nullopt, u""},
                                           RefreshCase{u"refresh", u"-2; url=x", std::nullopt, u""},
                                           RefreshCase{u"expires", u"5; url=x", std::nullopt, u""}));

}  // namespace
