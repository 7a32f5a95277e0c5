#include <gtest/gtest.h>

#include "platform/rtl/StrUtils.h"

namespace {

TEST(Pos, FindsFirstOccurrenceOneBasedAndNeverAnEmptyNeedle) {
  struct Case {
    String sub, s;
    int expected;
  };
  const Case cases[] = {
      {u"a", u"abc", 1},     {u"c", u"abc", 3},      {u"bc", u"abcbc", 2}, {u"x", u"abc", 0},
      {u"B", u"abc", 0},     {u"", u"abc", 0},       {u"", u"", 0},        {u"abcd", u"abc", 0},
      {u"abc", u"abc", 1},   {u"\r\n", u"a\r\nb", 2}, {u"ü", u"Grüße", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(Pos(c.sub, c.s), c.expected) << "Pos of " << testing::PrintToString(c.sub);
}

TEST(PosEx, SearchesFromOffsetAndRejectsOffsetsOutside) {
  struct Case {
    String sub, s;
    int offset, expected;
  };
  const Case cases[] = {
      {u"a", u"abab", 1, 1}, {u"a", u"abab", 2, 3}, {u"a", u"abab", 3, 3}, {u"a", u"abab", 4, 0},
      {u"b", u"abab", 4, 4}, {u"b", u"abab", 5, 0}, {u"a", u"abab", 0, 0}, {u"a", u"abab", -3, 0},
      {u"", u"abab", 2, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(PosEx(c.sub, c.s, c.offset), c.expected) << "offset " << c.offset;
}

TEST(Copy, ClampsIndexAndCountInsteadOfFailing) {
  struct Case {
    int index, count;
    String expected;
  };
  const String s = u"abcdef";
  const Case cases[] = {
      {1, 3, u"abc"}, {3, 2, u"cd"},  {4, 100, u"def"}, {6, 1, u"f"},   {7, 1, u""},  {100, 5, u""},
      {0, 2, u"ab"},  {-5, 2, u"ab"}, {2, 0, u""},      {2, -1, u""},   {1, 6, u"abcdef"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Copy(s, c.index, c.count), c.expected) << "Copy(s, " << c.index << ", " << c.count << ")";
  EXPECT_EQ(Copy(u"", 1, 1), u"");
}

TEST(DeleteAndInsert, ActOnlyInsideTheString) {
  struct DeleteCase {
    int index, count;
    String expected;
  };
  const DeleteCase deletes[] = {
      {2, 2, u"adef"}, {5, 10, u"abcd"}, {1, 6, u""}, {0, 2, u"abcdef"}, {7, 1, u"abcdef"}, {3, 0, u"abcdef"},
  };
  for (const auto& c : deletes) {
    String s = u"abcdef";
    Delete(s, c.index, c.count);
    EXPECT_EQ(s, c.expected) << "Delete(s, " << c.index << ", " << c.count << ")";
  }

  struct InsertCase {
    int index;
    String expected;
  };
  const InsertCase inserts[] = {{1, u"XYabc"}, {2, u"aXYbc"}, {4, u"abcXY"}, {9, u"abcXY"}, {0, u"XYabc"}, {-1, u"XYabc"}};
  for (const auto& c : inserts) {
    String s = u"abc";
    Insert(u"XY", s, c.index);
    EXPECT_EQ(s, c.expected) << "Insert at " << c.index;
  }
}

TEST(StringReplace, ReplacesLeftToRightWithoutRescanning) {
  struct Case {
    String s, oldPattern, newPattern;
    TReplaceFlags flags;
    String expected;
  };
  const Case cases[] = {
      {u"a-b-c", u"-", u"+", {}, u"a+b-c"},
      {u"a-b-c", u"-", u"+", rfReplaceAll, u"a+b+c"},
      {u"aaa", u"aa", u"b", rfReplaceAll, u"ba"},          // left to right, no overlap
      {u"aaa", u"a", u"aa", rfReplaceAll, u"aaaaaa"},      // inserted text is not searched again
      {u"abc", u"", u"x", rfReplaceAll, u"abc"},           // an empty pattern changes nothing
      {u"", u"a", u"b", rfReplaceAll, u""},
      {u"abc", u"abc", u"", rfReplaceAll, u""},
      {u"a\r\nb\r\n", u"\r\n", u";", rfReplaceAll, u"a;b;"},
      {u"Hallo HALLO hallo", u"hallo", u"x", rfReplaceAll, u"Hallo HALLO x"},
      {u"Hallo HALLO hallo", u"hallo", u"x", rfReplaceAll | rfIgnoreCase, u"x x x"},
      {u"Hallo HALLO hallo", u"hallo", u"x", rfIgnoreCase, u"x HALLO hallo"},
      {u"Hallo HALLO hallo", u"hallo", u"x", {rfIgnoreCase, rfReplaceAll}, u"x x x"},
      // Case folding beyond ASCII, and text around the match keeps its own case.
      {u"Größe GRÖSSE größe", u"GRÖẞE", u"-", rfReplaceAll | rfIgnoreCase, u"Größe GRÖSSE größe"},
      {u"über ÜBER Über", u"über", u"x", rfReplaceAll | rfIgnoreCase, u"x x x"},
      {u"Жук жук", u"ЖУК", u"bug", rfReplaceAll | rfIgnoreCase, u"bug bug"},
      {u"aXbxc", u"x", u"-", rfReplaceAll | rfIgnoreCase, u"a-b-c"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StringReplace(c.s, c.oldPattern, c.newPattern, c.flags), c.expected)
        << testing::PrintToString(c.s) << " / " << testing::PrintToString(c.oldPattern);
}

TEST(Trim, RemovesBlanksAndControlCharactersOnly) {
  struct Case {
    String s, both, left, right;
  };
  const Case cases[] = {
      {u"  a b  ", u"a b", u"a b  ", u"  a b"},
      {u"\t\r\n x \x01\x1F", u"x", u"x \x01\x1F", u"\t\r\n x"},
      {u"   ", u"", u"", u""},
      {u"", u"", u"", u""},
      // A no-break space and an ideographic space are above ' ' and stay.
      {u"\u00A0x\u3000", u"\u00A0x\u3000", u"\u00A0x\u3000", u"\u00A0x\u3000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trim(c.s), c.both);
    EXPECT_EQ(TrimLeft(c.s), c.left);
    EXPECT_EQ(TrimRight(c.s), c.right);
  }
}

TEST(CaseMapping, AsciiOnlyVersusUnicodeSimpleMapping) {
  struct Case {
    String s, upper, lower, ansiUpper, ansiLower;
  };
  const Case cases[] = {
      {u"aBc-1", u"ABC-1", u"abc-1", u"ABC-1", u"abc-1"},
      {u"äÖü", u"äÖü", u"äÖü", u"ÄÖÜ", u"äöü"},
      {u"straße", u"STRAßE", u"straße", u"STRAßE", u"straße"},  // one to one: ß stays
      {u"Жук", u"Жук", u"Жук", u"ЖУК", u"жук"},
      {u"𐐨", u"𐐨", u"𐐨", u"𐐀", u"𐐨"},                        // outside the BMP (Deseret)
      {String(1, Char(0xD801)) + u"a", String(1, Char(0xD801)) + u"A", String(1, Char(0xD801)) + u"a",
       String(1, Char(0xD801)) + u"A", String(1, Char(0xD801)) + u"a"},  // lone surrogate kept
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UpperCase(c.s), c.upper);
    EXPECT_EQ(LowerCase(c.s), c.lower);
    EXPECT_EQ(AnsiUpperCase(c.s), c.ansiUpper);
    EXPECT_EQ(AnsiLowerCase(c.s), c.ansiLower);
  }
}

}  // namespace
