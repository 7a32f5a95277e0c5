// The parser over every style sheet that ships on the machine (Debian documentation,
// themes, toolkits) and over a fixture of awkward constructs: it must finish each one.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/css/StyleParser.h"
#include "platform/rtl/Streams.h"
#include "tests/html/foundation/css/TestStyleList.h"

namespace {
namespace fs = std::filesystem;

std::vector<fs::path> MachineStyleSheets() {
  std::vector<fs::path> files;
  for (const char* root : {"/usr/share", "/usr/lib"}) {
    std::error_code ec;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end; it.increment(ec))
      if (it->path().extension() == ".css" && it->is_regular_file(ec)) files.push_back(it->path());
  }
  return files;
}

void ParseFile(const fs::path& path, TestStyleList& styles) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string data = bytes.str();
  TMemoryStream stream;
  stream.Write(data.data(), static_cast<int64_t>(data.size()));
  stream.SetPosition(0);
  auto buffer = TBuffer::CreateFromStream(stream, Utf8ToString(path.string()));
  Char ch = 1;
  ParseStyleSheet(styles, ch, *buffer, false, true, u"/base/");
  EXPECT_EQ(ch, 0) << path;
}

TEST(CssCorpus, AwkwardFixture) {
  TestStyleList styles;
  ParseFile(fs::path(WENDREL_FIXTURES) / "css" / "awkward.css", styles);
  EXPECT_NE(styles.Find(u"html"), nullptr);
  EXPECT_NE(styles.Find(u"q"), nullptr);
  EXPECT_EQ(styles.Find(u"from"), nullptr);
  EXPECT_EQ(styles.Find(u"a"), nullptr);  // the attribute selector is dropped, not cut to "a"
  TProperties* div = styles.Find(u"div");
  ASSERT_NE(div, nullptr);
  EXPECT_EQ(div->Values[FontWeight], TPropValue(String(u"bold")));
  EXPECT_EQ(div->Values[FontVariant], TPropValue(String(u"small-caps")));
  EXPECT_EQ(div->Values[LineHeight], TPropValue(String(u"1.4")));
  EXPECT_EQ(div->Values[FontFamily], TPropValue(String(u"\"helvetica neue\",arial,sans-serif")));
}

TEST(CssCorpus, EveryStyleSheetOnTheMachine) {
  const std::vector<fs::path> files = MachineStyleSheets();
  if (files.empty()) GTEST_SKIP() << "no .css files below /usr";
  for (const fs::path& file : files) {
    TestStyleList styles;
    ParseFile(file, styles);
  }
  std::cout << files.size() << " style sheets parsed\n";
}
}  // namespace
