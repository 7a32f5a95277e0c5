#include "pdf/helpers/TextHelpers.h"

#include <gtest/gtest.h>

#include "pdf/helpers/DateParts.h"
#include "pdf/helpers/HeapMemoryStream.h"
#include "pdf/helpers/RawUtf8List.h"
#include "platform/rtl/Exceptions.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(TextHelpers, Comparisons) {
  struct Case {
    const char* a;
    const char* b;
    int utf8NoCase;
  } cases[] = {
      {"Tahoma", "TAHOMA", 0},
      {"Times", "T\xC3\xAEmes", 0},        // Tîmes: accents fold away
      {"\xC3\xA4rger", "Arger", 0},        // ärger
      {"Abc", "Abd", -1},
      {"Ab", "Abc", -1},
      {"\xE2\x82\xAC", "\xC3\xBF", 1},     // € (U+20AC) after ÿ, which folds to Y
      {"a\xF0\x9F\x98\x80", "a\xEF\xBF\xBF", 1},  // a character beyond U+FFFF sorts after U+FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(Sign(CompareUtf8NoCase(c.a, c.b)), c.utf8NoCase) << c.a << " / " << c.b;

  EXPECT_EQ(CompareAsciiNoCase("arial", "ARIAL"), 0);
  EXPECT_LT(CompareAsciiNoCase("Arial", "Arial Black"), 0);
  EXPECT_GT(CompareAsciiNoCase("b", "A"), 0);
  EXPECT_EQ(CompareWideNoCase(u"Courier New", u"COURIER NEW"), 0);
  EXPECT_NE(CompareWideNoCase(u"\u00E4", u"\u00C4"), 0);  // only ASCII letters fold
  EXPECT_TRUE(StartsWithUpper("helvetica-bold", "HELVETICA"));
  EXPECT_FALSE(StartsWithUpper("helv", "HELVETICA"));
}

TEST(TextHelpers, SevenBitTrimAndArrays) {
  EXPECT_TRUE(IsSevenBitText(""));
  EXPECT_TRUE(IsSevenBitText("Arial\x7F"));
  EXPECT_FALSE(IsSevenBitText("abcde\xC3\xA4"));  // the high bit in the tail after whole words
  EXPECT_EQ(TrimUtf8(" \t\r\nx y\x01 "), "x y");
  EXPECT_EQ(TrimUtf8("   "), "");

  std::vector<std::string> names;
  EXPECT_TRUE(AddUtf8ToArray(names, "Arial", true, false));
  EXPECT_FALSE(AddUtf8ToArray(names, "ARIAL", true, false));
  EXPECT_TRUE(AddUtf8ToArray(names, "ARIAL", true, true));
  EXPECT_EQ(FindUtf8InArray(names, "arial", true), -1);
  EXPECT_EQ(FindUtf8InArray(names, "arial", false), 0);
}

TEST(TextHelpers, SumHash32) {
  const unsigned char abc[] = {'a', 'b', 'c'};
  uint32_t s1 = 'a' | 'b' << 8 | 'c' << 16;
  EXPECT_EQ(SumHash32(abc, 3), s1 ^ (s1 << 16));
  EXPECT_EQ(SumHash32(nullptr, 10), 0u);
  EXPECT_EQ(SumHash32(abc, 0), 0u);
  // Two words then a one-byte tail: s1 = w0, w0+w1, then + tail; s2 sums the s1 values.
  const unsigned char seven[] = {1, 0, 0, 0, 2, 0, 0, 0, 5};
  uint32_t t1 = 1 + 2 + 5, t2 = 1 + 3 + 8;
  EXPECT_EQ(SumHash32(seven, 9), t1 ^ (t2 << 16));
}

TEST(TextHelpers, SortedWordArray) {
  TSortedWordArray a;
  EXPECT_EQ(a.InsertSortedWord(50), 0);
  EXPECT_EQ(a.InsertSortedWord(10), 0);
  EXPECT_EQ(a.InsertSortedWord(30), 1);
  EXPECT_EQ(a.InsertSortedWord(30), ~1);  // present: the complement, nothing added
  ASSERT_EQ(a.Count(), 3);
  EXPECT_EQ(a[0], 10);
  EXPECT_EQ(a[1], 30);
  EXPECT_EQ(a[2], 50);
  EXPECT_EQ(a.FindSortedWord(10), ~0);
  EXPECT_EQ(a.FindSortedWord(40), 2);
  EXPECT_EQ(a.FindSortedWord(60), 3);
}

TEST(TextHelpers, DateTexts) {
  TDateTime t = 0;
  ASSERT_TRUE(TryEncodeDateParts({2024, 2, 29, 7, 8, 9}, t));
  EXPECT_EQ(DateTimeToIso8601Text(t, true, 'T'), "2024-02-29T07:08:09");
  EXPECT_EQ(DateTimeToIso8601Text(t, false, ' '), "20240229 070809");
  EXPECT_EQ(DateTimeToIso8601Text(0, true, 'T'), "1899-12-30T00:00:00");
  // Half a millisecond before midnight rounds into the next day.
  EXPECT_EQ(DateTimeToIso8601Text(1.0 - 0.4 / 86400000.0 + 0.0, true, 'T'), "1899-12-31T00:00:00");
  EXPECT_FALSE(TryEncodeDateParts({2023, 2, 29, 0, 0, 0}, t));
  EXPECT_FALSE(TryEncodeDateParts({2023, 1, 1, 24, 0, 0}, t));
  EXPECT_EQ(BytesToHexUpper(std::string("\x00\xAB\x7F", 3)), "00AB7F");
}

TEST(HeapMemoryStream, GrowsIn32KStepsAndOnlyGrows) {
  THeapMemoryStream s;
  EXPECT_EQ(s.Capacity(), 0);
  s.WriteBuffer("x", 1);
  EXPECT_EQ(s.Capacity(), 32768);
  std::string block(40000, 'y');
  s.WriteBuffer(block.data(), static_cast<int64_t>(block.size()));
  EXPECT_EQ(s.Capacity(), 65536);
  EXPECT_EQ(s.Size(), 40001);
  s.SetCapacity(100);  // smaller: keeps the buffer
  EXPECT_EQ(s.Capacity(), 65536);
  EXPECT_EQ(std::string(s.Memory() + 1, 3), "yyy");
  s.SetCapacity(0);
  EXPECT_EQ(s.Capacity(), 0);
  EXPECT_EQ(s.Size(), 0);
}

TEST(RawUtf8List, EntriesAndChangeEvent) {
  TRawUTF8List<int> list;
  int changes = 0;
  list.OnChange = [&changes] { ++changes; };
  int one = 1;
  EXPECT_EQ(list.AddEntry("a", &one), 0);
  EXPECT_EQ(list.AddEntry("b"), 1);
  EXPECT_EQ(list.IndexOfText("b"), 1);
  EXPECT_EQ(list.IndexOfText("B"), -1);
  list.DeleteEntry(5);
  list.DeleteEntry(0);
  EXPECT_EQ(list.EntryCount(), 1);
  EXPECT_EQ(list.Text(0), "b");
  EXPECT_EQ(list.Object(0), nullptr);
  EXPECT_EQ(changes, 3);
}

}  // namespace
