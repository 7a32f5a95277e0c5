// Text records: font size, placement by alignment, advances turned into word spacing or
// horizontal scaling, opaque backgrounds, clipping, underline, strike-out and rotation. The
// metafiles come from the recorder; metrics for the expectations from a measuring device.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "tests/pdf/emf/EmfTestTools.h"

namespace {

// Large, so that whole-pixel advances match the font's widths closely.
TLogFont Arial(int height = -200) {
  TLogFont lf;
  lf.lfHeight = height;
  lf.lfFaceName = u"Arial";
  return lf;
}

bool IsNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("-0123456789.") == std::string::npos;
}

// The operands of the first text object that starts with "BT\n<x> <y> Td\n".
std::pair<double, double> TdOf(const std::string& content) {
  for (size_t at = content.find("BT\n"); at != std::string::npos; at = content.find("BT\n", at + 1)) {
    size_t end = content.find('\n', at + 3);
    if (end == std::string::npos) break;
    std::istringstream line(content.substr(at + 3, end - at - 3));
    std::string x, y, op, rest;
    if (line >> x >> y >> op && !(line >> rest) && op == "Td" && IsNumber(x) && IsNumber(y))
      return {std::stod(x), std::stod(y)};
  }
  return {-1, -1};
}

// The number of the first "<number> <op>\n" in the content; -1 when there is none.
double OperandOf(const std::string& content, const std::string& op) {
  const std::string tail = " " + op + "\n";
  for (size_t at = content.find(tail); at != std::string::npos; at = content.find(tail, at + 1)) {
    size_t start = at;
    while (start > 0 && (std::isdigit(static_cast<unsigned char>(content[start - 1])) || content[start - 1] == '.'))
      --start;
    if (start < at) return std::stod(content.substr(start, at - start));
  }
  return -1;
}

double TzOf(const std::string& content) { return OperandOf(content, "Tz"); }

class TextRecords : public ::testing::Test {
 protected:
  TextRecords() { recorder_.SelectFont(TFontHandle::Create(Arial())); }
  std::string Render() { return RenderedContent(recorder_.Finish(200, 100)); }
  // Advances as the recorder measures them.
  std::vector<int> Advances(std::u16string_view text) {
    TMeasureDC dc;
    dc.SelectFont(TFontHandle::Create(Arial()));
    std::vector<int> dx;
    for (Char c : text) dx.push_back(dc.GetTextExtentPoint32(std::u16string(1, c)).cx);
    return dx;
  }
  TMetafileRecorder recorder_;
};

TEST_F(TextRecords, PlainTextAtItsBaselineInTheFontSizeInPoints) {
  recorder_.SetTextAlign(TA_BASELINE);
  recorder_.TextOut(10, 300, u"Hello");
  std::string c = Render();
  EXPECT_NE(c.find(" 150 Tf\n"), std::string::npos) << c;  // 200 pixels
  auto [x, y] = TdOf(c);
  EXPECT_DOUBLE_EQ(x, 7.5);
  EXPECT_DOUBLE_EQ(y, 617);
  EXPECT_NE(c.find("(Hello) Tj\nET\n"), std::string::npos) << c;
  EXPECT_EQ(c.find("Tz"), std::string::npos) << "advances within the kerning bounds" << c;
  EXPECT_EQ(c.find("Tw"), std::string::npos) << c;
}

TEST_F(TextRecords, AlignmentShiftsTheStart) {
  TMeasureDC dc;
  dc.SelectFont(TFontHandle::Create(Arial()));
  TTextMetric tm = dc.GetTextMetrics();
  std::vector<int> dx = Advances(u"Wide");
  int advance = 0;
  for (int d : dx) advance += d;
  struct Case {
    uint32_t Align;
    double X, Y;  // device units of the start of the baseline
  } cases[] = {
      {TA_LEFT | TA_TOP, 40, 50 + tm.tmAscent * 0.95},
      {TA_RIGHT | TA_BASELINE, 40.0 - advance, 50},
      {TA_CENTER | TA_BOTTOM, 40 - advance / 2.0, 50 - tm.tmDescent * 0.95},
  };
  for (const Case& k : cases) {
    TMetafileRecorder r;
    r.SelectFont(TFontHandle::Create(Arial()));
    r.SetTextAlign(k.Align);
    r.ExtTextOut(40, 50, 0, nullptr, u"Wide", dx.data());
    auto [x, y] = TdOf(RenderedContent(r.Finish(200, 100)));
    EXPECT_NEAR(x, k.X * 0.75, 0.01) << k.Align;
    EXPECT_NEAR(y, 842 - k.Y * 0.75, 0.01) << k.Align;
  }
}

TEST_F(TextRecords, WideAdvancesOnSpacesBecomeWordSpacing) {
  std::vector<int> dx = Advances(u"a b c");
  dx[1] += 20;
  dx[3] += 20;
  recorder_.ExtTextOut(10, 50, 0, nullptr, u"a b c", dx.data());
  std::string c = Render();
  // 40 extra pixels over two spaces: 15 points each.
  double wordSpacing = OperandOf(c, "Tw");
  ASSERT_GE(wordSpacing, 0) << c;
  EXPECT_NEAR(wordSpacing, 15, 0.75) << c;
  EXPECT_NE(c.find("ET\n0 Tw\n"), std::string::npos) << "reset after the text\n" << c;
  EXPECT_EQ(c.find("Tz"), std::string::npos) << c;
}

TEST_F(TextRecords, AdvancesWithoutSpacesBeyondTheBoundsBecomeHorizontalScaling) {
  struct Case {
    double Factor;
    double Tz;  // -1: none
  } cases[] = {{1.0, -1}, {1.5, 150}, {0.5, 50}, {40, 300}};
  for (const Case& k : cases) {
    std::vector<int> dx = Advances(u"Scaled");
    for (int& d : dx) d = static_cast<int>(d * k.Factor);
    TMetafileRecorder r;
    r.SelectFont(TFontHandle::Create(Arial()));
    r.ExtTextOut(10, 50, 0, nullptr, u"Scaled", dx.data());
    std::string c = RenderedContent(r.Finish(200, 100));
    if (k.Tz < 0) {
      EXPECT_EQ(c.find("Tz"), std::string::npos) << k.Factor << "\n" << c;
      continue;
    }
    EXPECT_NEAR(TzOf(c), k.Tz, k.Tz == 300 ? 0 : 4) << k.Factor << "\n" << c;
    EXPECT_NE(c.find("ET\n100 Tz\n"), std::string::npos) << k.Factor << "\n" << c;
  }
}

TEST_F(TextRecords, OpaqueBackgroundInTheBackgroundColourAndClipToTheRectangle) {
  recorder_.SetBkColor(0x00FFFF);
  TRect rect{10, 100, 60, 300};
  recorder_.ExtTextOut(12, 280, ETO_OPAQUE | ETO_CLIPPED, &rect, u"Clip", nullptr);
  std::string c = Render();
  EXPECT_NE(c.find("1 1 0 rg\n7.5 617 37.5 150 re\nf\n"), std::string::npos) << c;
  EXPECT_NE(c.find("q\n7.5 617 37.5 150 re\nW\nn\nBT\n"), std::string::npos) << c;
  EXPECT_NE(c.find("ET\nQ\n"), std::string::npos) << c;
}

TEST_F(TextRecords, UnderlineAndStrikeOutAreLinesInTheTextColour) {
  TLogFont lf = Arial();
  lf.lfUnderline = 1;
  lf.lfStrikeOut = 1;
  recorder_.SelectFont(TFontHandle::Create(lf));
  recorder_.SetTextColor(0x0000FF);
  recorder_.SetTextAlign(TA_BASELINE);
  recorder_.TextOut(10, 300, u"Lines");
  std::string c = Render();
  // Size 150 points: lines 10 wide, 18.75 points below and 50 above the baseline at 617.
  EXPECT_NE(c.find("ET\n1 0 0 RG\n[] 0 d\n10 w\n7.5 598.25 m\n"), std::string::npos) << c;
  EXPECT_NE(c.find("7.5 667 m\n"), std::string::npos) << c;
  EXPECT_EQ(Occurrences(c, "S\n"), 2) << c;
}

TEST_F(TextRecords, RotatedFontsUseATextMatrix) {
  TLogFont lf = Arial();
  lf.lfEscapement = 900;
  recorder_.SelectFont(TFontHandle::Create(lf));
  recorder_.SetTextAlign(TA_BASELINE);
  recorder_.TextOut(10, 300, u"Up");
  std::string c = Render();
  EXPECT_NE(c.find("BT\n0 1 -1 0 7.5 617 Tm\n"), std::string::npos) << c;
}

}  // namespace

namespace {

TEST(TextWithoutAFont, IsDrawnInTheDefaultFont) {
  TMetafileRecorder recorder;
  recorder.TextOut(10, 30, u"Default");
  std::string c = RenderedContent(recorder.Finish(200, 100));
  EXPECT_NE(c.find("Tf\n"), std::string::npos) << c;
  EXPECT_NE(c.find("(Default) Tj\n"), std::string::npos) << c;
}

}  // namespace

namespace {

// Justified text clipped to its rectangle: the spacing is undone for the text after it.
TEST(ClippedJustifiedText, LeavesNoWordSpacingBehind) {
  TMetafileRecorder recorder;
  TLogFont lf;
  lf.lfHeight = -200;
  lf.lfFaceName = u"Arial";
  recorder.SelectFont(TFontHandle::Create(lf));
  std::u16string words = u"a b";
  std::vector<int> dx;
  for (Char c : words) dx.push_back(recorder.GetTextExtentPoint32(std::u16string(1, c)).cx + (c == u' ' ? 60 : 0));
  TRect rect{0, 0, 400, 300};
  recorder.ExtTextOut(10, 10, ETO_CLIPPED, &rect, words, dx.data());
  recorder.TextOut(10, 400, u"c d");
  std::string c = RenderedContent(recorder.Finish(600, 600));
  size_t restore = c.find("ET\nQ\n");
  ASSERT_NE(restore, std::string::npos) << c;
  EXPECT_EQ(c.find("0 Tw\n", restore), restore + 5) << c;
}

}  // namespace
