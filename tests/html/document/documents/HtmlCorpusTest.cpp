// Real HTML that no one here wrote (Debian's documentation, listed with checksums in
// tests/fixtures/html-corpus/files.txt): each file loads, lays out at 800 pixels and paints
// screen by screen, and the words of its visible text agree with an extraction that does
// not use the engine (Python's html.parser). A picture of each file's top goes to
// <build>/pictures/html-documents/corpus/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/html/HtmlCorpus.h"
#include "tests/support/html/HtmlPictures.h"
#include "tests/support/html/HtmlTestDocument.h"
#include "tests/support/html/VisibleWords.h"

namespace {

std::string FirstWords(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < std::min<size_t>(words.size(), 40); ++i) text += " [" + words[i] + "]";
  return words.size() > 40 ? text + " ..." : text;
}

class HtmlCorpus : public ::testing::TestWithParam<TCorpusFile> {};

TEST_P(HtmlCorpus, LoadsLaysOutPaintsAndShowsItsWords) {
  const TCorpusFile& file = GetParam();
  const std::string problem = CorpusFileProblem(file);
  ASSERT_TRUE(problem.empty()) << problem;

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
                           return CorpusCaseName(info.param, info.index);
                         });

}  // namespace
