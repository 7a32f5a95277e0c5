// Hostile pages through the program as a script runs it: lengths far beyond any page, list
// numbers at the end of the 32-bit range, an image that names a FIFO. Each must end in a
// sound PDF of a bounded number of pages (or a clear refusal), without a sanitizer report
// (this build stops at the first one) and within a gigabyte of memory.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>

#include "tests/export/ExportTestPages.h"
#include "tests/support/Process.h"
#include "tests/support/RepeatedText.h"
#include "tests/support/TempDirectory.h"

namespace {

std::string Page(const std::string& body) { return "<html><body>" + body + "<p>end</p></body></html>"; }

struct HostileCase {
  const char* name;
  std::function<std::string()> html;
  int maxPages;  // a length is held to 65,535 pixels: about 66 A4 pages of 1,000 pixels
  const char* text = "end";  // words of the PDF's text
};

class HostileConversion : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileConversion, EndsInASoundPdfOfBoundedPages) {
  const HostileCase& c = GetParam();
  TTempDirectory home;
  home.WriteFile("page.html", c.html());
  ASSERT_EQ(mkfifo(home.PathOf("fifo.gif").c_str(), 0600), 0);
  // hard_rss_limit_mb stops the program when it holds more than a gigabyte (sanitizer
  // bookkeeping included).
  TCommandResult r = RunCommand(
      "cd " + ShellQuote(home.Path()) +
          " && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0:hard_rss_limit_mb=1024 "
          "UBSAN_OPTIONS=print_stacktrace=1 WENDREL_HOME=" +
          ShellQuote(home.Path()) + " " + ShellQuote(WENDREL_BUILD_DIR "/wendrel") + " page.html out.pdf",
      {}, TErrorOutput::Separate);
  ASSERT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_EQ(r.Errors, "");
  const std::string pdf = home.PathOf("out.pdf");
  RunTool("qpdf --check " + ShellQuote(pdf));
  const int pages = std::stoi(PdfInfoField(pdf, "Pages"));
  EXPECT_GE(pages, 1);
  EXPECT_LE(pages, c.maxPages);
  const std::string text = RunTool("pdftotext " + ShellQuote(pdf) + " -");
  EXPECT_NE(text.find("end"), std::string::npos) << text;
  EXPECT_NE(text.find(c.text), std::string::npos) << text;
}

const std::string kHuge = "1000000000";

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileConversion,
    testing::Values(
        HostileCase{"ImageOfABillionPixels",
                    [] { return Page("<img width=" + kHuge + " height=" + kHuge + " alt=big>"); }, 80},
        HostileCase{"ImagePercentAndNegativeSizes", [] { return Page("<img width=-" + kHuge + " height=100%>"); }, 3},
        HostileCase{"Margins", [] { return Page("<div style=\"margin:" + kHuge + "px\">x</div>"); }, 150},
        HostileCase{"NegativeMargins",
                    [] { return Page("<div style=\"margin:-" + kHuge + "px\">x</div><p style=\"margin-top:-1e30em\">y"); },
                    3},
        HostileCase{"Paddings", [] { return Page("<div style=\"padding:" + kHuge + "px\">x</div>"); }, 150},
        HostileCase{"BorderOfAMillionPixels",
                    [] { return Page("<div style=\"border:1000000px solid red\">x</div>"); }, 150},
        HostileCase{"BordersOfEveryStyle",
                    [] {
                      std::string all;
                      for (const char* style : {"solid", "double", "groove", "ridge", "inset", "outset", "dashed", "dotted"})
                        all += "<div style=\"border-width:20px " + kHuge + "px;border-style:" + style +
                               ";border-color:blue\">" + style + "</div>";
                      return Page(all);
                    },
                    3},
        HostileCase{"Heights",
                    [] { return Page("<div style=\"height:" + kHuge + "px;min-height:" + kHuge + "px\">x</div>"); }, 80},
        HostileCase{"TableWidthsAndHeights",
                    [] {
                      return Page("<table width=" + kHuge + " height=" + kHuge + " cellpadding=" + kHuge + "><tr><td width=" +
                                  kHuge + " height=" + kHuge + ">a<td style=\"width:" + kHuge + "px\">b</table>");
                    },
                    80},
        HostileCase{"ListNumbersAtTheEndOfTheRange",
                    [] {
                      return Page("<ol start=2147483646><li>a<li>b<li>c</ol><ol start=99999999999><li>d<li value=2147483647>e"
                                  "<li>f</ol><ol type=a start=2147483647><li>g<li>h</ol>");
                    },
                    3, "2147483646. a\n2147483647. b\n2147483647. c"},
        HostileCase{"TextLengths",
                    [] {
                      return Page("<p style=\"text-indent:" + kHuge + "px;letter-spacing:" + kHuge + "px;word-spacing:" +
                                  kHuge + "px;line-height:" + kHuge + "px;font-size:" + kHuge + "px\">a</p>");
                    },
                    100},
        HostileCase{"NestedBoxesOfHugeSizes",
                    [] {
                      return Page(Repeated("<div style=\"margin:0 1e9px;padding:0 1e9px;border:solid;border-width:1px 1e9px;"
                                         "width:1e9px\">",
                                         20) +
                                  "x" + Repeated("</div>", 20));
                    },
                    3},
        HostileCase{"ImageNamingAFifo", [] { return Page("<img src=fifo.gif width=20 height=20 alt=pipe>"); }, 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
