#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/controls/Memo.h"
#include "tests/support/CaseNames.h"

namespace {

struct LinesCase {
  const char16_t* text;
  int count;
  std::vector<String> lines;  // Get(0..), including one past the count
};

class MemoLineRules : public ::testing::TestWithParam<LinesCase> {};

TEST_P(MemoLineRules, CountIgnoresAnEmptyLastLineAndGetPastTheEndIsEmpty) {
  const LinesCase& c = GetParam();
  TMemo memo(nullptr);
  memo.SetText(c.text);
  EXPECT_EQ(memo.Lines().Count(), c.count);
  for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(memo.Lines()[static_cast<int>(i)], c.lines[i]) << i;
  EXPECT_EQ(memo.Lines()[c.count + 5], u"");
  EXPECT_EQ(memo.Text(), c.text);  // the text stays as it was set
}

INSTANTIATE_TEST_SUITE_P(Memo, MemoLineRules,
                         ::testing::Values(LinesCase{u"", 0, {u""}},
                                           LinesCase{u"a", 1, {u"a", u""}},
                                           LinesCase{u"a\r\n", 1, {u"a", u""}},
                                           LinesCase{u"a\r\nb", 2, {u"a", u"b"}},
                                           LinesCase{u"a\r\n\r\n", 2, {u"a", u"", u""}},
                                           LinesCase{u"\r\n", 1, {u"", u""}}),
                         [](const auto& info) { return CaseName("text_" + StringToUtf8(info.param.text), info.index); });

struct EditCase {
  const char* name;
  const char16_t* start;
  std::function<void(TMemoLines&)> edit;
  const char16_t* text;
};

class MemoEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(MemoEdits, LineOperationsGiveTheText) {
  TMemo memo(nullptr);
  memo.SetText(GetParam().start);
  GetParam().edit(memo.Lines());
  EXPECT_EQ(memo.Text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Memo, MemoEdits,
    ::testing::Values(EditCase{"Add", u"", [](TMemoLines& l) { l.Add(u"x"); }, u"x\r\n"},
                      EditCase{"AddTwice", u"", [](TMemoLines& l) { l.Add(u"x"); l.Add(u"y"); }, u"x\r\ny\r\n"},
                      EditCase{"AddAfterAnUnendedLine", u"abc", [](TMemoLines& l) { l.Add(u"x"); }, u"abc\r\nx"},
                      EditCase{"InsertFirst", u"a\r\nb\r\n", [](TMemoLines& l) { l.Insert(0, u"z"); }, u"z\r\na\r\nb\r\n"},
                      EditCase{"DeleteFirst", u"a\r\nb\r\n", [](TMemoLines& l) { l.Delete(0); }, u"b\r\n"},
                      EditCase{"DeleteAnUnendedLast", u"a\r\nb", [](TMemoLines& l) { l.Delete(1); }, u"a\r\n"},
                      EditCase{"Put", u"a\r\nb\r\n", [](TMemoLines& l) { l.Put(1, u"B"); }, u"a\r\nB\r\n"},
                      EditCase{"Clear", u"a\r\nb\r\n", [](TMemoLines& l) { l.Clear(); }, u""},
                      EditCase{"LoneLfAndCrBecomeCrLf", u"a\nb\rc", [](TMemoLines&) {}, u"a\r\nb\r\nc"},
                      EditCase{"AddStrings", u"", [](TMemoLines& l) {
                                 TStringList src;
                                 src.SetText(u"p\r\nq\r\n");
                                 l.AddStrings(src);
                               }, u"p\r\nq\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Memo, IndexErrorsForPutAndDelete) {
  TMemo memo(nullptr);
  memo.SetText(u"a\r\n");
  EXPECT_THROW(memo.Lines().Put(1, u"x"), EListError);
  EXPECT_THROW(memo.Lines().Delete(1), EListError);
  EXPECT_THROW(memo.Lines().Insert(3, u"x"), EListError);
}

TEST(Memo, LongLinesStayOneLineWithBothScrollBars) {
  TMemo memo(nullptr);
  EXPECT_TRUE(memo.Wraps());
  memo.SetScrollBars(TScrollStyle::ssBoth);
  EXPECT_FALSE(memo.Wraps());
  memo.Lines().Add(String(5000, u'w'));
  EXPECT_EQ(memo.Lines().Count(), 1);
}

class MemoFiles : public ::testing::Test {
 protected:
  std::filesystem::path dir = std::filesystem::path(WENDREL_BUILD_DIR) / "ui_memo_files";
  void SetUp() override { std::filesystem::create_directories(dir); }
  std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Write(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
  }
  String Path(const char* name) { return Utf8ToString((dir / name).string()); }
};

TEST_F(MemoFiles, SaveWritesTheTextUnchanged) {
  TMemo memo(nullptr);
  memo.SetText(u"erste\r\nzweite");  // no break at the end
  memo.Lines().SaveToFile(Path("a.txt"));
  EXPECT_EQ(Read(dir / "a.txt"), "erste\r\nzweite");

  memo.SetText(u"Gr\u00FC\u00DFe\r\n");
  memo.Lines().SaveToFile(Path("b.txt"));
  EXPECT_EQ(Read(dir / "b.txt"), "Gr\xFC\xDF" "e\r\n");  // code page 1252
}

TEST_F(MemoFiles, LoadAndSaveRoundTripKeepsTheLastLine) {
  Write(dir / "in.txt", "one\r\ntwo");
  TMemo memo(nullptr);
  memo.Lines().LoadFromFile(Path("in.txt"));
  EXPECT_EQ(memo.Lines().Count(), 2);
  memo.Lines().SaveToFile(Path("out.txt"));
  EXPECT_EQ(Read(dir / "out.txt"), "one\r\ntwo");
}

TEST(Memo, OnChangeOncePerBatch) {
  TMemo memo(nullptr);
  int changes = 0;
  memo.OnChange = [&](TComponent*) { ++changes; };
  memo.Lines().BeginUpdate();
  for (int i = 0; i < 10; ++i) memo.Lines().Add(u"x");
  memo.Lines().EndUpdate();
  EXPECT_EQ(changes, 1);
}

// Taking another memo's text line by line gives what taking its joined text gives, also
// when a line was put in holding a break, and the length is that of the text.
TEST(Memo, SetTextOfEqualsSetTextOfTheJoinedText) {
  for (const char16_t* text : {u"", u"a", u"a\r\n", u"a\r\nb\r\n\r\n", u"x\ry\nz", u"p\r\nq"}) {
    TMemo source(nullptr), copy(nullptr), joined(nullptr);
    source.SetText(text);
    if (text == String(u"p\r\nq")) source.Lines().Put(0, u"p\r\nq");  // a line holding a break
    int changes = 0;
    copy.OnChange = [&](TComponent*) { ++changes; };
    copy.Lines().SetTextOf(source.Lines());
    joined.SetText(source.Text());
    EXPECT_EQ(copy.Text(), joined.Text());
    EXPECT_EQ(copy.Lines().Count(), joined.Lines().Count());
    for (int i = 0; i <= joined.Lines().Count(); ++i) EXPECT_EQ(copy.Lines()[i], joined.Lines()[i]) << i;
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(source.Lines().TextLength(), source.Text().size());
  }
}

}  // namespace
