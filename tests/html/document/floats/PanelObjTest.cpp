#include <gtest/gtest.h>

#include "html/document/floats/PanelObj.h"
#include "html/document/model/Document.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/controls/CustomControl.h"

namespace {
std::unique_ptr<TAttributeList> Attributes(std::initializer_list<std::pair<uint8_t, const char16_t*>> attrs) {
  auto list = std::make_unique<TAttributeList>();
  for (const auto& [symbol, value] : attrs) {
    double number = 0;
    try {
      number = std::stod(std::string(value, value + std::char_traits<char16_t>::length(value)));
    } catch (const std::invalid_argument&) {
    }
    list->Add(new TAttribute(symbol, number, u"X", value, 1252));
  }
  return list;
}

struct PanelObjTest : ::testing::Test {
  TCustomControl paintPanel{nullptr};
  ThtDocument document{nullptr, &paintPanel};
  TCanvas canvas{std::make_unique<TMeasureDC>()};
};

TEST_F(PanelObjTest, SizesAndSpacing) {
  struct Case {
    const char* what;
    std::initializer_list<std::pair<uint8_t, const char16_t*>> attrs;
    int boxWidth, boxHeight, spaceLeft, spaceRight;
  } cases[] = {
      {"natural size", {}, 30, 20, 0, 0},
      {"WIDTH 50% keeps the window's aspect", {{WidthAttrSy, u"50%"}}, 200, 133, 0, 0},
      {"WIDTH 50%, HEIGHT 10%", {{WidthAttrSy, u"50%"}, {HeightAttrSy, u"10%"}}, 200, 30, 0, 0},
      {"HEIGHT 50%", {{HeightAttrSy, u"50%"}}, 225, 150, 0, 0},
      {"WIDTH 90 resizes the window", {{WidthAttrSy, u"90"}}, 90, 20, 0, 0},
      {"HSPACE -60", {{HSpaceAttrSy, u"-60"}}, 30, 20, 40, 40},
      {"floating", {{AlignAttrSy, u"right"}}, 30, 20, 3, 3},
      {"WIDTH 0 is at least 1", {{WidthAttrSy, u"0"}, {HeightAttrSy, u"0"}}, 1, 1, 0, 0},
      {"sizes beyond 32 bits are clamped, not wrapped",
       {{WidthAttrSy, u"5000000000"}, {HeightAttrSy, u"-5000000000"}}, 10000000, 1, 0, 0},
      {"WIDTH 20000000", {{WidthAttrSy, u"20000000"}, {HeightAttrSy, u"40"}}, 10000000, 40, 0, 0},
  };
  for (const Case& c : cases) {
    TPanelObj panel(&document, false, *Attributes(c.attrs), 0);
    panel.MeasureBox(canvas, 300, 400, nullptr);
    EXPECT_EQ(panel.BoxWidth, c.boxWidth) << c.what;
    EXPECT_EQ(panel.BoxHeight, c.boxHeight) << c.what;
    EXPECT_EQ(panel.SpaceLeft, c.spaceLeft) << c.what;
    EXPECT_EQ(panel.SpaceRight, c.spaceRight) << c.what;
    EXPECT_EQ(panel.Panel->Width(), c.boxWidth) << c.what;
    EXPECT_EQ(panel.Panel->Parent(), &paintPanel);
  }
}

TEST_F(PanelObjTest, AFreedPanelLeavesThePanelList) {
  auto panel = std::make_unique<TPanelObj>(&document, false, *Attributes({}), 0);
  document.IdList.Register(u"p", panel.get());
  ASSERT_EQ(document.PanelList.Count(), 1);
  ThtDocument copyDocument(nullptr, nullptr);
  {
    TPanelObj copy(&copyDocument, *panel);
    EXPECT_TRUE(copy.IsPrintCopy);
    EXPECT_EQ(copy.SourcePanel, panel->Panel.get());
    EXPECT_EQ(document.PanelList.Count(), 1);
  }
  panel.reset();
  EXPECT_EQ(document.PanelList.Count(), 0);
  EXPECT_EQ(document.IdList.Count(), 0);
}
// Printing a panel through the host: the source panel is resized to the box for the host
// and gets its bounds back, also when the host fails; a panel not to be shown prints nothing.
TEST_F(PanelObjTest, PrintDrawRestoresTheSourcePanel) {
  TPanelObj source(&document, false, *Attributes({{WidthAttrSy, u"50%"}}), 0);
  source.MeasureBox(canvas, 300, 400, nullptr);
  source.Panel->SetBounds(7, 9, 200, 133);
  int calls = 0;
  document.PanelPrint = [&](ThvPanel& panel, TBitmap& bitmap) {
    ++calls;
    EXPECT_EQ(&panel, source.Panel.get());
    EXPECT_EQ(panel.Width(), bitmap.Width());
    EXPECT_EQ(panel.Height(), bitmap.Height());
    throw Exception(u"host failed");
  };
  ThtDocument copyDocument(document);
  TPanelObj copy(&copyDocument, source);
  copy.MeasureBox(canvas, 300, 100, nullptr);  // a narrower page
  ASSERT_EQ(copy.BoxWidth, 50);
  TBitmap page(120, 80, pf24bit);
  EXPECT_THROW(copy.Draw(page.Canvas(), 0, 0), Exception);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(source.Panel->Left(), 7);
  EXPECT_EQ(source.Panel->Top(), 9);
  EXPECT_EQ(source.Panel->Width(), 200);
  EXPECT_EQ(source.Panel->Height(), 133);
  copy.Panel->ShowInDocument = false;
  copy.Draw(page.Canvas(), 0, 0);
  EXPECT_EQ(calls, 1);
}
}  // namespace
