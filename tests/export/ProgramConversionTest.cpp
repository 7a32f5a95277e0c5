// Whole conversions through the program, as a script runs it: HTML files in, PDF files
// out, read back with qpdf and poppler's tools.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/export/ExportTestPages.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

TCommandResult RunWendrel(const TTempDirectory& home, const std::string& args) {
  return RunCommand("cd " + ShellQuote(home.Path()) +
                        " && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 WENDREL_HOME=" + ShellQuote(home.Path()) +
                        " " + ShellQuote(WENDREL_BUILD_DIR "/wendrel") + " " + args,
                    {}, TErrorOutput::Separate);
}

std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(WENDREL_FIXTURES "/export/") + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

void ExpectSoundPdf(const std::string& pdf) {
  RunTool("qpdf --check " + ShellQuote(pdf));
  std::string fonts = RunTool("pdffonts " + ShellQuote(pdf));
  std::istringstream in(fonts);
  std::string line;
  std::getline(in, line);
  std::getline(in, line);
  int count = 0;
  for (; std::getline(in, line); ++count)
    EXPECT_NE(line.find(" yes yes yes "), std::string::npos) << "embedded subset with ToUnicode: " << line;
  EXPECT_GT(count, 0) << fonts;
}

struct ConversionCase {
  const char* name;
  std::string args;
  std::string pdf;
};

class ProgramConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(ProgramConversion, WritesTheNamedPdfWithTheVisibleWordsInOrder) {
  const ConversionCase& c = GetParam();
  TTempDirectory home;
  home.WriteFile("page.html", Fixture("page.html"));
  home.WriteFile("page.htm", Fixture("page.html"));
  TCommandResult r = RunWendrel(home, c.args);
  ASSERT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_EQ(r.Errors, "");
  ASSERT_TRUE(home.Exists(c.pdf));
  const std::string pdf = home.PathOf(c.pdf);
  ExpectSoundPdf(pdf);
  EXPECT_EQ(PdfInfoField(pdf, "Pages"), "1");
  EXPECT_EQ(PdfInfoField(pdf, "Page size"), "595 x 842 pts (A4)");
  std::string text = RunTool("pdftotext " + ShellQuote(pdf) + " -");
  std::vector<std::string> expected = Words(
      "Quarterly report The first paragraph holds plain words in reading order, with bold and italic runs. "
      "Apples and pears Umlauts: Grüße aus Köln A dashed box around this line.");
  std::vector<std::string> got = Words(text);
  // Bullets may come back as characters of their own.
  std::erase_if(got, [](const std::string& w) { return w == "•" || w == "●" || w == "◦"; });
  EXPECT_EQ(got, expected) << text;
  // The names of the conversion are remembered for the next start.
  std::string settings = home.ReadFile("wendrel.ini");
  EXPECT_NE(settings.find("PDF=" + pdf + "\r\n"), std::string::npos) << settings;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramConversion,
    testing::Values(ConversionCase{"HtmNextToIt", "page.htm", "page.pdf"},
                    ConversionCase{"NamedPdf", "page.html out.pdf", "out.pdf"},
                    ConversionCase{"ThreeArgumentsIgnoreTheSecond", "page.html out.pdf more", "page.pdf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramConversion, SilentConvertsWhatTheLastConversionStored) {
  TTempDirectory home;
  home.WriteFile("page.html", Fixture("page.html"));
  ASSERT_EQ(RunWendrel(home, "page.html first.pdf").ExitCode, 0);
  RunTool("rm " + ShellQuote(home.PathOf("first.pdf")));
  TCommandResult r = RunWendrel(home, "/silent");
  EXPECT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_TRUE(home.Exists("first.pdf"));
}

// Pictures that cannot be shown (a missing file, an SVG drawn at another size than its own)
// beside a table wider than the page, with "Scale to fit": the pages are measured at one
// width and made at another.
TEST(ProgramConversion, PicturesThatCannotBeShownBesideAWideTableScaledToFit) {
  TTempDirectory home;
  home.WriteFile("picture.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"30\"/>");
  home.WriteFile("wide.html",
                 "<p>text</p><img src=\"missing.png\"><img src=\"picture.svg\" width=\"60\" height=\"20\">"
                 "<table width=\"2000\" border=\"1\"><tr><td>wide</td></tr></table>");
  home.WriteFile("wendrel.ini", "[Settings]\r\nScaleToFit=1\r\n");
  TCommandResult r = RunWendrel(home, "wide.html");
  ASSERT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_EQ(r.Errors, "");
  const std::string pdf = home.PathOf("wide.pdf");
  RunTool("qpdf --check " + ShellQuote(pdf));
  EXPECT_EQ(PdfInfoField(pdf, "Pages"), "1");
  EXPECT_EQ(Words(RunTool("pdftotext " + ShellQuote(pdf) + " -")), (std::vector<std::string>{"text", "wide"}));
}

struct FailureCase {
  const char* name;
  std::string args;
  std::string settings;  // wendrel.ini, when not empty
  std::string message;
};

class ProgramFailures : public testing::TestWithParam<FailureCase> {};

// Besides the page, the folder holds "link.pdf" (a symbolic link to it), "hard.pdf" (a hard
// link of it) and "here" (a link to the folder itself). A refused conversion leaves the page
// as it was.
TEST_P(ProgramFailures, ExitWithOneAndTheReasonOnStandardError) {
  const FailureCase& c = GetParam();
  TTempDirectory home;
  const std::string page = Fixture("page.html");
  home.WriteFile("page.html", page);
  if (!c.settings.empty()) home.WriteFile("wendrel.ini", c.settings);
  RunTool("cd " + ShellQuote(home.Path()) + " && ln -s page.html link.pdf && ln page.html hard.pdf && ln -s . here");
  TCommandResult r = RunWendrel(home, c.args);
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_EQ(r.Output, "");
  EXPECT_NE(r.Errors.find(c.message), std::string::npos) << r.Errors;
  EXPECT_EQ(home.ReadFile("page.html"), page);
  EXPECT_FALSE(home.Exists("page.pdf"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramFailures,
    testing::Values(FailureCase{"MissingHtml", "gone.html", "", "Can't locate '"},
                    FailureCase{"UnwritablePdf", "page.html /proc/wendrel.pdf", "", "cannot be written to"},
                    FailureCase{"MissingFolder", "page.html no/such/out.pdf", "", "does not exist"},
                    FailureCase{"OutputIsTheInput", "page.html page.html", "", "it is the HTML file being converted"},
                    FailureCase{"OutputIsTheInputThroughALinkedFolder", "page.html here/page.html", "",
                                "it is the HTML file being converted"},
                    FailureCase{"OutputIsALinkToTheInput", "page.html link.pdf", "", "it is the HTML file being converted"},
                    FailureCase{"OutputIsAHardLinkOfTheInput", "page.html hard.pdf", "",
                                "it is the HTML file being converted"},
                    FailureCase{"MarginsLeaveLessThanAPixel", "page.html", "[Margins]\r\nTop=15\r\nBottom=14.7\r\n",
                                "The margins leave no printable area on the page"},
                    FailureCase{"HugeNegativeMargin", "page.html", "[Margins]\r\nLeft=-1e300\r\n",
                                "The Left margin (-1E300 cm) is not a length on the page"},
                    FailureCase{"NegativeMargin", "page.html", "[Margins]\r\nBottom=-2\r\n",
                                "The Bottom margin (-2 cm) is not a length on the page"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
