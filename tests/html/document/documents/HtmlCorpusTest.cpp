// Real HTML that no one here wrote (Debian's documentation, listed with checksums in
// tests/fixtures/html-corpus/files.txt): each file loads, lays out at 800 pixels and paints
// screen by screen, and the words of its visible text agree with an extraction that does
// not use the engine (Python's html.parser). A picture of each file's top goes to
// <build>/pictures/html-documents/corpus/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/CaseNames.h"
#include "tests/support/Process.h"
#include "tests/support/html/HtmlPictures.h"
#include "tests/support/html/HtmlTestDocument.h"
#include "tests/support/html/VisibleWords.h"

namespace {

struct TCorpusFile {
  std::string Sha256;
  std::string Package;
  std::string Path;
  double MinAgreement = 0.99;
  std::vector<std::string> Hidden;  // selectors of what the page's style sheets hide at 800 pixels
};

std::vector<TCorpusFile> CorpusFiles() {
  std::ifstream list(std::string(WENDREL_FIXTURES) + "/html-corpus/files.txt");
  std::vector<TCorpusFile> files;
  for (std::string line; std::getline(list, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    TCorpusFile file;
    fields >> file.Sha256 >> file.Package >> file.Path;
    for (std::string field; fields >> field;) {
      if (field.starts_with("min=")) {
        file.MinAgreement = std::stod(field.substr(4));
      } else if (field.starts_with("hide=")) {
        std::istringstream selectors(field.substr(5));
        for (std::string selector; std::getline(selectors, selector, ',');) file.Hidden.push_back(selector);
      } else {
        throw std::runtime_error("unknown field " + field + " in the corpus list");
      }
    }
    files.push_back(file);
  }
  return files;
}

std::string Sha256Of(const std::string& path) {
  const std::string line = RunTool("sha256sum " + ShellQuote(path));
  return line.substr(0, line.find(' '));
}

std::string FirstWords(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < std::min<size_t>(words.size(), 40); ++i) text += " [" + words[i] + "]";
  return words.size() > 40 ? text + " ..." : text;
}

class HtmlCorpus : public ::testing::TestWithParam<TCorpusFile> {};

TEST_P(HtmlCorpus, LoadsLaysOutPaintsAndShowsItsWords) {
  const TCorpusFile& file = GetParam();
  ASSERT_TRUE(std::filesystem::exists(file.Path))
      << file.Path << " is missing: install the Debian package " << file.Package << " (tools/setup)";
  ASSERT_EQ(Sha256Of(file.Path), file.Sha256)
      << file.Path << " is not the file the corpus list was made from: the Debian package " << file.Package
      << " installed here has another version";

  THtmlTestDocument document;
  document.LoadFile(file.Path);
  EXPECT_GT(document.LayOut(800), 0);
  document.PaintScreens();
  const std::string name = std::filesystem::path(file.Path).stem().string();
  PaintDocumentPicture(document, "corpus/" + file.Package + "-" + name, std::min(document.Height(), 1500));

  const TWordAgreement agreement =
      CompareWords(ReferenceWords(file.Path, file.Hidden), WordsOf(document.VisibleText()));
  EXPECT_GE(agreement.Ratio, file.MinAgreement)
      << file.Path << ": " << agreement.Ratio << " of the words agree; missing:" << FirstWords(agreement.Missing) << "\nwords extra:" << FirstWords(agreement.Extra);
}

INSTANTIATE_TEST_SUITE_P(DebianDocumentation, HtmlCorpus, ::testing::ValuesIn(CorpusFiles()),
                         [](const ::testing::TestParamInfo<TCorpusFile>& info) {
                           return CaseName(std::filesystem::path(info.param.Path).stem().string(), info.index);
                         });

}  // namespace
