// Real HTML that nobody here wrote, from Debian's documentation packages, cut into pages:
// every word of the document's visible text (its own select-all text) appears in the text
// the pages record, as often as in the document or more often (repeated table header and
// footer rows).
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/html/document/parser/ParsedDocument.h"
#include "tests/html/document/paging/PagingFixture.h"

namespace {

constexpr int PageWidth = 718, PageHeight = 1047;  // A4 less margins of 1 cm, at 96 pixels per inch

struct RealFile {
  const char* package;
  const char* path;
};

// Words as runs of letters and digits: lines may break a word after a hyphen or a slash,
// and the pages then hold its parts.
void CountWords(const String& text, std::map<String, int>& counts) {
  String word;
  for (Char c : text) {
    if (std::iswalnum(static_cast<wint_t>(c))) {
      word += c;
    } else if (!word.empty()) {
      ++counts[std::exchange(word, String())];
    }
  }
  if (!word.empty()) ++counts[word];
}

class RealDocuments : public ::testing::TestWithParam<RealFile> {};

TEST_P(RealDocuments, EveryVisibleWordIsOnSomePage) {
  const RealFile& file = GetParam();
  std::ifstream in(file.path, std::ios::binary);
  ASSERT_TRUE(in) << file.path << " is missing: install the Debian package " << file.package;
  std::stringstream bytes;
  bytes << in.rdbuf();
  TParsedDocument parsed(bytes.str());
  parsed.Parse();
  ThtDocument& document = parsed.document;
  PagingViewer viewer;  // tables hand the page loop their part records through the viewer
  document.Viewer = &viewer;
  int scrollWidth = 0, cursor = 0;
  document.DoLogic(document.MeasureCanvas(), 0, PageWidth, PageHeight, scrollWidth, cursor);

  document.SelectionStart = 0;
  document.SelectionEnd = document.CursorLength;
  std::vector<Char> buffer(static_cast<size_t>(document.SelectionLength()) + 1);
  document.SelectionText(buffer.data(), static_cast<int>(buffer.size()));
  std::map<String, int> visible;
  CountWords(String(buffer.data()), visible);
  document.SelectionStart = document.SelectionEnd = 0;  // pages show no selection

  const TPageMetafileList pages = RenderPageMetafiles(document, PageWidth, PageHeight);
  EXPECT_GT(pages.size(), 1u);
  // Counting without recording comes to the same pages.
  EXPECT_EQ(CountPages(document, PageWidth, PageHeight), static_cast<int>(pages.size()));
  std::map<String, int> paged;
  for (const auto& page : pages)
    for (const String& word : PagingFixture::PageWords(*page)) CountWords(word, paged);
  int missing = 0;
  for (const auto& [word, count] : visible)
    if (paged[word] < count) {
      if (++missing <= 20) ADD_FAILURE() << StringToUtf8(word) << ": " << count << " in the document, " << paged[word] << " on the pages";
    }
  EXPECT_EQ(missing, 0) << visible.size() << " different words";
  PagingFixture::ExpectSamePagesWhenMeasuredAndCounted(document, PageWidth, PageHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Debian, RealDocuments,
    ::testing::Values(RealFile{"git-doc", "/usr/share/doc/git-doc/git-pull.html"},
                      RealFile{"git-doc", "/usr/share/doc/git-doc/gitdiffcore.html"},
                      RealFile{"python3.11-doc", "/usr/share/doc/python3.11/html/using/cmdline.html"},
                      RealFile{"python3.11-doc", "/usr/share/doc/python3.11/html/library/zlib.html"},
                      RealFile{"debian-reference-en", "/usr/share/debian-reference/ch08.en.html"}),
    [](const auto& info) {
      std::string name = std::filesystem::path(info.param.path).stem().string();
      std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
      return name;
    });

}  // namespace
