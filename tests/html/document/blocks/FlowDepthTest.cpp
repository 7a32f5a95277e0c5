// Lengths are held to 65,535 pixels, but nothing bounds how many there are: tens of
// thousands of such blocks, table rows or lines reach past 2^31 pixels, and so do some
// 33,000 cells of a row or pictures of a line side by side. The flow is held to its deepest
// Y and the sums across a row or a line to the rightmost X instead of overflowing (the
// sanitized build stops at a signed overflow): everything up to there keeps its place, what
// lies further is laid out there.
#include <gtest/gtest.h>

#include <string>

#include "html/document/paging/PageRenderer.h"
#include "html/foundation/css/DocumentLimits.h"
#include "tests/html/document/paging/PagingFixture.h"
#include "tests/html/document/parser/ParsedDocument.h"
#include "tests/support/RepeatedText.h"

namespace {

struct TFlowCase {
  const char* Name;
  std::string Html;
};

void PrintTo(const TFlowCase& c, std::ostream* os) { *os << c.Name; }

// 40,000 pieces of 65,535 pixels: 2.6e9 pixels, past the 32-bit end.
constexpr int Pieces = 40000;

// The document laid out 700 pixels wide: its height and the width it needs; with `draw`,
// its pages of 700 x 1000 pixels are drawn too (which sums rows and lines again) and counted.
struct TLaidOut {
  int Height = 0, Width = 0;
  size_t Pages = 0;
};

TLaidOut LayOut(const std::string& html, bool draw) {
  TParsedDocument parsed(html);
  parsed.Parse();
  PagingViewer viewer;
  parsed.document.Viewer = &viewer;
  TLaidOut result;
  int cursor = 0;
  result.Height = parsed.document.DoLogic(parsed.document.MeasureCanvas(), 0, 700, 1000, result.Width, cursor);
  if (draw) result.Pages = RenderPageMetafiles(parsed.document, 700, 1000).size();
  return result;
}

class FlowDepth : public testing::TestWithParam<TFlowCase> {};

TEST_P(FlowDepth, StopsAtTheDeepestYInsteadOfOverflowing) {
  const int height = LayOut(GetParam().Html, false).Height;
  // Down to the deepest Y nothing is lost; below it the rest lies one piece over the other.
  EXPECT_GE(height, MaxFlowY);
  EXPECT_LT(height, MaxFlowY + 4 * MaxDocumentLength);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlowDepth,
    testing::Values(
        TFlowCase{"Blocks", "<body>" + Repeated("<div style=\"height:65535px\">x</div>", Pieces)},
        TFlowCase{"Margins", "<body>" + Repeated("<p style=\"margin-top:65535px\">x</p>", Pieces)},
        TFlowCase{"TableRows",
                  "<body><table>" + Repeated("<tr><td style=\"height:65535px\">x</td></tr>", Pieces) + "</table>"},
        TFlowCase{"BlocksInACell", "<body><table><tr><td>" +
                                       Repeated("<div style=\"height:65535px\">x</div>", Pieces) +
                                       "</td></tr></table>"},
        TFlowCase{"Lines", "<body><p style=\"line-height:65535px\">" + Repeated("word<br>", Pieces)},
        TFlowCase{"PictureLines", "<body><p>" + Repeated("<img width=10 height=65535><br>", Pieces)},
        TFlowCase{"RowSpanningCells",
                  "<body><table><tr><td rowspan=40000>spans</td><td style=\"height:65535px\">x</td></tr>" +
                      Repeated("<tr><td style=\"height:65535px\">x</td></tr>", Pieces - 1) + "</table>"}),
    [](const testing::TestParamInfo<TFlowCase>& info) { return info.param.Name; });

struct TWidthCase {
  const char* Name;
  std::string Html;
  int MinWidth;  // the width the document needs at the least
};

void PrintTo(const TWidthCase& c, std::ostream* os) { *os << c.Name; }

class FlowWidth : public testing::TestWithParam<TWidthCase> {};

TEST_P(FlowWidth, StopsAtTheRightmostXInsteadOfOverflowing) {
  const TLaidOut laidOut = LayOut(GetParam().Html, true);
  // Up to the rightmost X nothing is lost; past it the rest lies one piece over the other.
  EXPECT_GE(laidOut.Width, GetParam().MinWidth);
  EXPECT_LT(laidOut.Width, MaxFlowX + 4 * MaxDocumentLength);
  EXPECT_EQ(laidOut.Pages, 1u);
}

// 33,000 pieces of 65,535 pixels side by side: 2.2e9 pixels.
constexpr int SideBySide = 33000;

INSTANTIATE_TEST_SUITE_P(
    Cases, FlowWidth,
    testing::Values(
        TWidthCase{"RowOfCells", "<body><table><tr>" + Repeated("<td width=65535>x", SideBySide) + "</table>",
                   MaxFlowX},
        // The page keeps its width; the line runs past it.
        TWidthCase{"PreformattedLineOfPictures",
                   "<body><pre>" + Repeated("<img width=65535 height=1>", SideBySide) + "</pre>", 700}),
    [](const testing::TestParamInfo<TWidthCase>& info) { return info.param.Name; });

}  // namespace
