// Whole conversions through the program, as a script runs it: HTML files in, PDF files
// out, read back with qpdf and poppler's tools.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/export/ExportTestPages.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

// The program's command line, without a display, with `programFolder` as its program folder.
std::string WendrelCommand(const std::string& programFolder, const std::string& args) {
  return "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 WENDREL_HOME=" +
         ShellQuote(programFolder) + " " + ShellQuote(WENDREL_BUILD_DIR "/wendrel") + " " + args;
}

TCommandResult RunWendrel(const TTempDirectory& home, const std::string& args) {
  return RunCommand("cd " + ShellQuote(home.Path()) + " && " + WendrelCommand(home.Path(), args), {},
                    TErrorOutput::Separate);
}

// The program run in `home` in one shell with `before` and `after` (so that a descriptor
// `before` opens is still open for `after`); the exit code is the program's.
TCommandResult RunWendrelBetween(const TTempDirectory& home, const std::string& before, const std::string& args,
                                 const std::string& after) {
  return RunCommand("cd " + ShellQuote(home.Path()) + " && " + before + " && { timeout 300 " +
                        WendrelCommand(home.Path(), args) + "; code=$?; " + after + "; exit $code; }",
                    {}, TErrorOutput::Separate);
}

bool ShellSays(const std::string& command) { return RunCommand(command).ExitCode == 0; }

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
                    ConversionCase{"NamedPdf", "page.html out.pdf", "out.pdf"}),
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
                                "The Bottom margin (-2 cm) is not a length on the page"},
                    FailureCase{"MarginNamesTheSettingsFile", "page.html", "[Margins]\r\nLeft=-3\r\n",
                                "The Left margin (-3 cm) is not a length on the page: margins are 0 or more "
                                "centimetres. The margins are set in [Margins] of \""}),
    [](const auto& info) { return std::string(info.param.name); });

// What the name given for the PDF is decides how it is written: a regular file (or nothing)
// is replaced by a new file, a link is written through to where it leads and stays a link,
// a device or a pipe is written into and stays what it is.
struct OutputCase {
  const char* name;
  std::string before;  // shell commands run first in the folder
  std::string pdf;     // the name given
  int exitCode;
  std::string message;  // part of standard error ("" for none at all)
  std::string check;    // a shell test (in the folder) that holds afterwards
  std::string after = "true";
  bool asRoot = false;  // makes device files
};

class ProgramOutputs : public testing::TestWithParam<OutputCase> {};

TEST_P(ProgramOutputs, OnlyTheNamedFileChangesAndStaysWhatItWas) {
  const OutputCase& c = GetParam();
  if (c.asRoot && ::geteuid() != 0) GTEST_SKIP() << "making device files needs root";
  TTempDirectory home;
  home.WriteFile("page.html", Fixture("page.html"));
  TCommandResult r = RunWendrelBetween(home, c.before, "page.html " + ShellQuote(c.pdf), c.after);
  EXPECT_EQ(r.ExitCode, c.exitCode) << r.Errors;
  if (c.message.empty())
    EXPECT_EQ(r.Errors, "");
  else
    EXPECT_NE(r.Errors.find(c.message), std::string::npos) << r.Errors;
  EXPECT_TRUE(ShellSays("cd " + ShellQuote(home.Path()) + " && " + c.check)) << c.check;
  EXPECT_FALSE(home.Exists("page.pdf"));
  // No temporary file is left behind.
  EXPECT_EQ(RunTool("cd " + ShellQuote(home.Path()) + " && find . -name '*.tmp'"), "");
}

const std::string kLong249 = std::string(245, 'n') + ".pdf";
const std::string kLong256 = std::string(252, 'n') + ".pdf";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramOutputs,
    testing::Values(
        OutputCase{"ReplacedFileKeepsItsPermissions", "printf old > out.pdf && chmod 600 out.pdf", "out.pdf", 0, "",
                   "pdfinfo out.pdf >/dev/null && test \"$(stat -c %a out.pdf)\" = 600"},
        OutputCase{"LinkToAnOlderPdf", "mkdir d && printf old > d/old.pdf && ln -s d/old.pdf out.pdf", "out.pdf", 0, "",
                   "test -L out.pdf && test \"$(readlink out.pdf)\" = d/old.pdf && pdfinfo d/old.pdf >/dev/null"},
        OutputCase{"DanglingLink", "ln -s made.pdf out.pdf", "out.pdf", 0, "",
                   "test -L out.pdf && pdfinfo made.pdf >/dev/null"},
        OutputCase{"RelativeLinkInAnotherFolder", "mkdir d && ln -s t.pdf d/out.pdf", "d/out.pdf", 0, "",
                   "test -L d/out.pdf && pdfinfo d/t.pdf >/dev/null && test ! -e t.pdf"},
        OutputCase{"ChainOfLinks", "ln -s l2 out.pdf && ln -s t.pdf l2", "out.pdf", 0, "",
                   "test -L out.pdf && test -L l2 && pdfinfo t.pdf >/dev/null"},
        OutputCase{"LinksInACircle", "ln -s b.pdf out.pdf && ln -s out.pdf b.pdf", "out.pdf", 1,
                   "its symbolic links lead round in a circle", "test -L out.pdf && test -L b.pdf"},
        OutputCase{"Folder", "mkdir out.pdf", "out.pdf", 1, "a folder has that name.", "test -d out.pdf"},
        OutputCase{"PipeWithoutAReader", "mkfifo out.pdf", "out.pdf", 1, "it is a pipe that no program reads from.",
                   "test -p out.pdf"},
        // The pipe holds the whole file (a page is well under its 64 KB) until it is read.
        OutputCase{"PipeWithAReader", "mkfifo out.pdf && exec 3<>out.pdf", "out.pdf", 0, "",
                   "test -p out.pdf && pdfinfo got.pdf >/dev/null",
                   "dd if=/dev/fd/3 of=got.pdf iflag=nonblock bs=1M count=1 2>/dev/null"},
        OutputCase{"NullDevice", "mknod out.pdf c 1 3", "out.pdf", 0, "", "test -c out.pdf", "true", true},
        OutputCase{"FullDevice", "mknod out.pdf c 1 7", "out.pdf", 1, "\": the disk is full.\n",
                   "test -c out.pdf", "true", true},
        OutputCase{"LongestName", "true", kLong249, 0, "", "pdfinfo " + kLong249 + " >/dev/null"},
        OutputCase{"NameLongerThanAllowed", "true", kLong256, 1, "the name is longer than the file system allows.",
                   "test \"$(ls | grep -c nnnn)\" = 0"},
        // Written, but not stored: the settings file could not give the name back.
        OutputCase{"NameThatIsNotUtf8", "true", "out\xE9.pdf", 0, "Warning: The PDF file name \"",
                   "pdfinfo \"$(printf 'out\\351.pdf')\" >/dev/null && test \"$(ls | grep -c '^out')\" = 1"}),
    [](const auto& info) { return std::string(info.param.name); });

// Input names are file names as they stand: bytes that are not UTF-8, "#" and all.
TEST(ProgramConversion, InputNamesReachTheFileSystemByteForByte) {
  struct Case {
    std::string html, pdf;
  };
  for (const Case& c : {Case{"\xFF.html", "\xFF.pdf"}, Case{"a#b.html", "a#b.pdf"}, Case{"x#top.html", "x#top.pdf"}}) {
    SCOPED_TRACE(c.html);
    TTempDirectory home;
    home.WriteFile(c.html, Fixture("page.html"));
    home.WriteFile("x.html", "<p>not this one</p>");
    TCommandResult r = RunWendrel(home, ShellQuote(c.html));
    EXPECT_EQ(r.ExitCode, 0) << r.Errors;
    ASSERT_TRUE(home.Exists(c.pdf));
    EXPECT_NE(RunTool("pdftotext " + ShellQuote(home.PathOf(c.pdf)) + " -").find("Quarterly report"), std::string::npos);
  }
  // A name that is not there is shown readably (and is not stored in the settings).
  TTempDirectory home;
  TCommandResult r = RunWendrel(home, ShellQuote("gone\xFF.html"));
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_TRUE(r.Errors.starts_with("Can't locate '" + home.PathOf("gone\\xFF.html") + "'.\n")) << r.Errors;
}

// A name that the settings file could not give back as itself is not stored there: a line
// break in it would add sections and keys that break every later conversion.
TEST(ProgramConversion, NamesTheSettingsCannotHoldAreLeftOutWithAWarning) {
  TTempDirectory home;
  const std::string injected = "inj\n[Margins]\nLeft=-3\n.html";
  home.WriteFile(injected, Fixture("page.html"));
  home.WriteFile("page.html", Fixture("page.html"));
  TCommandResult r = RunWendrel(home, ShellQuote(injected));
  EXPECT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_TRUE(r.Errors.starts_with("Warning: The HTML file name \"" + home.PathOf("inj\\x0A[Margins]\\x0ALeft=-3")))
      << r.Errors;
  EXPECT_NE(r.Errors.find("Warning: The PDF file name"), std::string::npos) << r.Errors;
  EXPECT_TRUE(home.Exists("inj\n[Margins]\nLeft=-3\n.pdf"));
  const std::string settings = home.ReadFile("wendrel.ini");
  EXPECT_EQ(settings.find("-3"), std::string::npos) << settings;
  EXPECT_EQ(settings.find("HTML="), std::string::npos) << settings;

  r = RunWendrel(home, "page.html");
  EXPECT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_EQ(r.Errors, "");
  // "/silent" then converts the files stored last, not a wrong one.
  RunTool("rm " + ShellQuote(home.PathOf("page.pdf")));
  EXPECT_EQ(RunWendrel(home, "/silent").ExitCode, 0);
  EXPECT_TRUE(home.Exists("page.pdf"));
}

// The PDF is the result: when the settings cannot be saved afterwards, that is a warning,
// and the exit code says the PDF was written.
TEST(ProgramConversion, SettingsThatCannotBeSavedAreAWarningNotAFailure) {
  TTempDirectory home;
  home.WriteFile("page.html", Fixture("page.html"));
  const std::string missing = home.PathOf("missing");
  TCommandResult r = RunCommand("cd " + ShellQuote(home.Path()) + " && " + WendrelCommand(missing, "page.html"), {},
                                TErrorOutput::Separate);
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Errors, "Warning: The settings could not be saved to \"" + missing + "/wendrel.ini\": the folder " +
                          missing + "/ does not exist.\n");
  EXPECT_TRUE(home.Exists("page.pdf"));
}

// An ordinary user (root may write any file): a file he may not open for writing is not
// replaced, and a file he may not read gets the export's own reason.
TEST(ProgramConversion, AsAnOrdinaryUserProtectedFilesStayAsTheyWere) {
  const std::string asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  if (::geteuid() != 0 || !ShellSays(asNobody + "true")) GTEST_SKIP() << "needs root to become another user";
  struct Case {
    const char* args;
    std::string message;
  };
  TTempDirectory home;
  const Case cases[] = {
      {"page.html own.pdf", "Cannot save \"" + home.PathOf("own.pdf") + "\": the file is write-protected"},
      {"page.html root.pdf", "Cannot save \"" + home.PathOf("root.pdf") + "\": the file is write-protected"},
      {"secret.html", "Cannot read \"" + home.PathOf("secret.html") + "\": it may not be read (no permission).\n"},
  };
  home.WriteFile("page.html", Fixture("page.html"));
  home.WriteFile("secret.html", Fixture("page.html"));
  home.WriteFile("own.pdf", "kept");
  home.WriteFile("root.pdf", "kept");
  RunTool("cd " + ShellQuote(home.Path()) +
          " && chmod 777 . && chmod 644 page.html && chmod 600 secret.html root.pdf && chown 65534:65534 own.pdf && "
          "chmod 444 own.pdf");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    TCommandResult r =
        RunCommand("cd " + ShellQuote(home.Path()) + " && " + asNobody + WendrelCommand(home.Path(), c.args), {},
                   TErrorOutput::Separate);
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Errors.find(c.message), std::string::npos) << r.Errors;
  }
  EXPECT_EQ(home.ReadFile("own.pdf"), "kept");
  EXPECT_EQ(home.ReadFile("root.pdf"), "kept");
  EXPECT_EQ(RunTool("cd " + ShellQuote(home.Path()) + " && stat -c '%U %a' own.pdf root.pdf"), "nobody 444\nroot 600\n");
  EXPECT_FALSE(home.Exists("secret.pdf"));
}

}  // namespace
