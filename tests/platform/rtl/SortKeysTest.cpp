#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/rtl/Compare.h"
#include "platform/rtl/SortKeys.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Unicode.h"

namespace {

// Random short texts from letters where German collation differs from code order.
std::vector<String> TrickyTexts(int count, unsigned seed) {
  const String pieces[] = {u"a", u"A", S("ä"), S("Ä"), u"o", S("ö"), S("Ö"), u"ss", S("ß"), u"z", u"Z",
                           S("é"), u"e", u"E", u"1", u"10", u"9", u" ", u"-", u"_", u"'", S("€"),
                           S("Ж"), S("ж"), S("😀"), u"\t", String(1, u'\0')};
  std::mt19937 random(seed);
  std::vector<String> texts;
  for (int i = 0; i < count; ++i) {
    String text;
    const int parts = static_cast<int>(random() % 5);
    for (int p = 0; p < parts; ++p) text += pieces[random() % std::size(pieces)];
    texts.push_back(text);
  }
  return texts;
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

// The keys must order exactly as the comparisons do, or sorted lists and Find disagree.
TEST(SortKeys, AgreeWithAnsiCompareTextAndStr) {
  const std::vector<String> texts = TrickyTexts(300, 1);
  std::vector<const String*> pointers;
  for (const auto& t : texts) pointers.push_back(&t);
  const TSortKeys ignoringCase(pointers, false);
  const TSortKeys withCase(pointers, true);
  for (size_t i = 0; i < texts.size(); ++i)
    for (size_t j = 0; j < texts.size(); ++j) {
      ASSERT_EQ(Sign(ignoringCase[i].compare(ignoringCase[j])), AnsiCompareText(texts[i], texts[j]))
          << StringToUtf8(texts[i]) << " / " << StringToUtf8(texts[j]);
      ASSERT_EQ(Sign(withCase[i].compare(withCase[j])), AnsiCompareStr(texts[i], texts[j]))
          << StringToUtf8(texts[i]) << " / " << StringToUtf8(texts[j]);
    }
}

TEST(SortKeys, ListSortEqualsStableSortByComparison) {
  for (bool caseSensitive : {false, true}) {
    std::vector<String> expected = TrickyTexts(2000, 2);
    TStringList list;
    list.SetCaseSensitive(caseSensitive);
    for (const auto& t : expected) list.Add(t);
    list.Sort();
    std::stable_sort(expected.begin(), expected.end(), [&](const String& a, const String& b) {
      return (caseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b)) < 0;
    });
    std::vector<String> actual;
    for (int i = 0; i < list.Count(); ++i) actual.push_back(list[i]);
    EXPECT_EQ(actual, expected);
  }
}
