#include "html/foundation/globals/EngineSettings.h"

#include <gtest/gtest.h>

#include "html/foundation/css/Colours.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/UrlTarget.h"

namespace {

// Changes every setting through the code that changes it in a document's life.
void UseTheEngine() {
  SetFontSizeTables(10);
  EngineSettings().DefaultPointSize = 10;
  TColor colour = 0;
  ParseColorText(u"teal", false, colour);
  TProperties p;
  p.Values[FontFamily] = String(u"Arial");
  p.Values[FontSize] = 10.0;
  p.MakeFont();
  TUrlTarget link;
  link.StartLink(u"a.html", u"", TAttributeList(), 0);
}

TEST(EngineSettings, GuardStartsFreshAndRestoresThePreviousSet) {
  ScopedEngineSettings outer;
  UseTheEngine();
  const THtmlEngineSettings& used = EngineSettings();
  const int32_t serial = used.PropertiesCounter;
  const int32_t link = used.NextLinkSerial;
  EXPECT_GT(serial, 0);
  EXPECT_EQ(link, 11);
  EXPECT_EQ(used.ColourCache.Text, u"teal");
  {
    ScopedEngineSettings inner;
    THtmlEngineSettings& fresh = EngineSettings();
    EXPECT_NE(&fresh, &used);
    EXPECT_EQ(fresh.DefaultPointSize, 12);
    EXPECT_EQ(fresh.HtmlFontSizes, HtmlFontSizeBase);
    EXPECT_EQ(fresh.PreHtmlFontSizes, PreHtmlFontSizeBase);
    EXPECT_EQ(fresh.PropertiesCounter, 0);
    EXPECT_EQ(fresh.NextLinkSerial, 10);
    EXPECT_EQ(fresh.ColourCache.Text, u"?&%@");
    ThtFontInfo info;
    TProperties p;
    p.Values[FontFamily] = String(u"Arial");
    p.Values[FontSize] = 10.0;
    p.FillFontInfo(info);
    EXPECT_EQ(fresh.FontCache.FindFont(info), nullptr);
    UseTheEngine();
    EXPECT_NE(fresh.FontCache.FindFont(info), nullptr);
  }
  EXPECT_EQ(&EngineSettings(), &used);
  EXPECT_EQ(used.DefaultPointSize, 10);
  EXPECT_DOUBLE_EQ(used.HtmlFontSizes[3], 10);
  EXPECT_EQ(used.PropertiesCounter, serial);
  EXPECT_EQ(used.NextLinkSerial, link);
}

}  // namespace
