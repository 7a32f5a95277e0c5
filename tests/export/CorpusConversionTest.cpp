// The real-HTML corpus of the tests (tests/fixtures/html-corpus/files.txt) converted to PDF
// as the command line converts it and as the export window saves it, with and without
// "Scale to fit": the command line, which loads without laying out for the screen, makes
// the same pages as the window; the PDF holds the visible words of the document; and no
// text is drawn inside an empty clip.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cwctype>
#include <utility>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "export/HtmlView.h"
#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "tests/export/ExportTestPages.h"
#include "tests/support/PdfWords.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/html/HtmlCorpus.h"
#include "tests/support/html/VisibleWords.h"

namespace {

constexpr int PrintableWidth = 718;  // A4 less 1 cm margins, in pixels at 96 per inch

// The engine's own visible text of the shown document: everything selected and copied.
String ShownText(THtmlView& view) {
  ThtDocument& document = dynamic_cast<TMarkupViewer&>(view.Control()).Document();
  document.SelectionStart = 0;
  document.SelectionEnd = document.CursorLength;
  std::vector<Char> buffer(static_cast<size_t>(document.SelectionLength()) + 1);
  const int copied = document.SelectionText(buffer.data(), static_cast<int>(buffer.size()));
  document.SelectionStart = document.SelectionEnd = 0;
  return String(buffer.data(), copied > 0 ? static_cast<size_t>(copied - 1) : 0);
}

// The words as runs of letters and digits, counted: a line may break a word after a
// hyphen, a slash or an opening bracket, and the page then holds its parts.
std::map<std::string, int> CountedRuns(const std::vector<std::string>& words) {
  std::map<std::string, int> counts;
  for (const std::string& word : words) {
    String run;
    for (Char c : Utf8ToString(word) + u' ') {
      if (std::iswalnum(static_cast<wint_t>(c))) {
        run += c;
      } else if (!run.empty()) {
        ++counts[StringToUtf8(std::exchange(run, String()))];
      }
    }
  }
  return counts;
}

// The words both multisets hold, with repeats.
std::map<std::string, int> Common(const std::map<std::string, int>& a, const std::map<std::string, int>& b) {
  std::map<std::string, int> common;
  for (const auto& [word, count] : a)
    if (auto other = b.find(word); other != b.end()) common[word] = std::min(count, other->second);
  return common;
}

int Total(const std::map<std::string, int>& counts) {
  int total = 0;
  for (const auto& [word, count] : counts) total += count;
  return total;
}

// Clips of no area in the content streams: "x y w h re W n" with w or h 0.
int EmptyClips(const std::string& pdfBytes) {
  std::vector<std::string> tokens;
  std::istringstream in(pdfBytes);
  for (std::string token; in >> token;) tokens.push_back(token);
  int count = 0;
  for (size_t i = 4; i + 2 < tokens.size(); ++i)
    if (tokens[i] == "re" && tokens[i + 1] == "W" && tokens[i + 2] == "n" &&
        (std::atof(tokens[i - 2].c_str()) == 0 || std::atof(tokens[i - 1].c_str()) == 0))
      ++count;
  return count;
}

class CorpusConversion : public ::testing::TestWithParam<TCorpusFile> {};

TEST_P(CorpusConversion, CommandLinePagesAreTheWindowsAndThePdfHoldsTheVisibleWords) {
  const TCorpusFile& file = GetParam();
  const std::string problem = CorpusFileProblem(file);
  ASSERT_TRUE(problem.empty()) << problem;

  TApplication app;
  TForm* parent = new TForm(&app);
  const std::unique_ptr<THtmlView> window = HtmlViewFactory(*parent), commandLine = HtmlViewFactory(*parent);
  window->LoadDocumentFile(Utf8ToString(file.Path));
  commandLine->LoadDocumentFileForPaging(Utf8ToString(file.Path));

  // What the window shows of what a browser shows: the engine's extra words (parts that
  // style sheets hide behind media queries) and its missing ones are not the PDF's faults.
  const std::map<std::string, int> visible =
      Common(CountedRuns(ReferenceWords(file.Path, file.Hidden)), CountedRuns(WordsOf(ShownText(*window))));
  ASSERT_GT(Total(visible), 0);

  TTempDirectory dir("wendrel-corpus-pdf");
  for (const bool scaleToFit : {false, true}) {
    SCOPED_TRACE(scaleToFit ? "Scale to fit" : "full size");
    const std::string pdf = dir.PathOf(scaleToFit ? "scaled.pdf" : "full.pdf");
    const TRecordedPages converted = ConvertRecorded(*commandLine, scaleToFit, false, pdf);
    const TRecordedPages saved = ConvertRecorded(*window, scaleToFit, false, dir.PathOf("window.pdf"));
    ASSERT_EQ(converted.Records.size(), saved.Records.size());
    for (size_t p = 0; p < saved.Records.size(); ++p)
      EXPECT_TRUE(converted.Records[p] == saved.Records[p]) << "page " << p + 1 << " differs";

    EXPECT_EQ(EmptyClips(dir.ReadFile(scaleToFit ? "scaled.pdf" : "full.pdf")), 0);

    // At full size what is wider than the page is cut at the margin: the words are checked
    // where the document fits.
    if (!scaleToFit && converted.NeededWidth > PrintableWidth) continue;
    std::vector<std::string> pdfWords;
    for (const TPdfWord& word : PdfWords(pdf)) pdfWords.push_back(word.Text);
    const std::map<std::string, int> found = Common(visible, CountedRuns(pdfWords));
    const double ratio = static_cast<double>(Total(found)) / Total(visible);
    std::string missing;
    for (const auto& [word, count] : visible)
      if (!found.contains(word) || found.at(word) < count) missing += " [" + word + "]";
    EXPECT_GE(ratio, file.MinPdfWords) << file.Path << ": " << Total(found) << " of " << Total(visible)
                           << " visible words in the PDF; missing:" << missing.substr(0, 800);
  }
}

INSTANTIATE_TEST_SUITE_P(DebianDocumentation, CorpusConversion, ::testing::ValuesIn(CorpusFiles()),
                         [](const ::testing::TestParamInfo<TCorpusFile>& info) {
                           return CorpusCaseName(info.param, info.index);
                         });

}  // namespace
