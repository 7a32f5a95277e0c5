// Lengths are held to 65,535 pixels, but nothing bounds how many there are: tens of
// thousands of such blocks, table rows or lines reach past 2^31 pixels. The flow is held to
// its deepest Y instead of overflowing (the sanitized build stops at a signed overflow):
// everything down to that depth keeps its place, what lies further down is laid out there.
#include <gtest/gtest.h>

#include <string>

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

class FlowDepth : public testing::TestWithParam<TFlowCase> {};

TEST_P(FlowDepth, StopsAtTheDeepestYInsteadOfOverflowing) {
  TParsedDocument parsed(GetParam().Html);
  parsed.Parse();
  PagingViewer viewer;
  parsed.document.Viewer = &viewer;
  int scrollWidth = 0, cursor = 0;
  const int height = parsed.document.DoLogic(parsed.document.MeasureCanvas(), 0, 700, 1000, scrollWidth, cursor);
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

}  // namespace
