// The corpus tests name each case, in the test list and in a failure, by its document.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/html/HtmlCorpus.h"

namespace {

TCorpusFile FileAt(const std::string& path) {
  TCorpusFile file;
  file.Path = path;
  return file;
}

TEST(CorpusCaseNames, TheFileNameAndTheIndexOnlyForAFileNameHeldTwice) {
  const std::vector<TCorpusFile> list = {FileAt("/usr/share/doc/git-doc/git-config.html"),
                                         FileAt("/usr/share/doc/a/index.html"), FileAt("/usr/share/doc/b/index.html")};
  EXPECT_EQ(CorpusCaseName(list[0], 0, list), "git_config_html");
  EXPECT_EQ(CorpusCaseName(list[1], 1, list), "index_html_1");
  EXPECT_EQ(CorpusCaseName(list[2], 2, list), "index_html_2");
}

TEST(CorpusCaseNames, TheListsNamesAreUniqueAndAFailureShowsThePath) {
  const std::vector<TCorpusFile> files = CorpusFiles();
  std::set<std::string> names;
  for (size_t i = 0; i < files.size(); ++i) EXPECT_TRUE(names.insert(CorpusCaseName(files[i], i)).second);
  ASSERT_FALSE(files.empty());
  EXPECT_EQ(testing::PrintToString(files[0]), files[0].Path);
}

}  // namespace
