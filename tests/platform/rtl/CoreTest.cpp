#include <gtest/gtest.h>

#include "platform/rtl/CodePages.h"
#include "platform/rtl/Compare.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

TEST(Utf8, RoundTripsBmpAndAstralCharacters) {
  const std::string text = "Grüße € Ж 𝄞 😀";
  const String s = Utf8ToString(text);
  EXPECT_EQ(s, u"Grüße € Ж 𝄞 😀");
  EXPECT_EQ(StringToUtf8(s), text);
}

TEST(Utf8, MalformedBytesBecomeReplacementAndDecodingGoesOn) {
  struct Case {
    std::string bytes;
    String expected;
  };
  const Case cases[] = {
      {"a\xFF" "b", u"a\uFFFDb"},
      {"\xC3", u"\uFFFD"},                      // truncated two-byte sequence
      {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong '/'
      {"\xED\xA0\x80x", u"\uFFFD\uFFFD\uFFFDx"},  // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToString(c.bytes), c.expected);
    EXPECT_FALSE(IsValidUtf8(c.bytes));
  }
  EXPECT_TRUE(IsValidUtf8("plain ascii and \xC3\xA4"));
}

TEST(Utf8, LoneSurrogateBecomesReplacementCharacter) {
  EXPECT_EQ(StringToUtf8(String(1, Char(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(Utf16, CodePointsOfPairsAndLoneSurrogates) {
  const String text = String(u"a\U0001F600") + Char(0xDC00) + Char(0xD83D);  // a, a pair, a lone low, a lone high
  struct Case {
    size_t Index;
    char32_t Expected;
    size_t Units;
  } cases[] = {{0, U'a', 1}, {1, 0x1F600, 2}, {3, 0xDC00, 1}, {4, 0xD83D, 1}};
  for (const Case& c : cases) {
    size_t units = 0;
    EXPECT_EQ(CodePointAt(text, c.Index, units), c.Expected) << c.Index;
    EXPECT_EQ(units, c.Units) << c.Index;
  }
  String built;
  for (char32_t c : {U'a', U'\U0001F600', U'\U0010FFFF'}) AppendCodePoint(built, c);
  EXPECT_EQ(built, u"a\U0001F600\U0010FFFF");
}

TEST(CodePage1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  bool lossless = false;
  EXPECT_EQ(StringToAnsi(AnsiToString(all), &lossless), all);
  EXPECT_TRUE(lossless);
}

TEST(CodePage1252, MapsWindowsCharactersAndMarksWhatItCannotHold) {
  EXPECT_EQ(AnsiToString("\x80\x84\x93\xE4"), u"€„“ä");
  bool lossless = true;
  EXPECT_EQ(StringToAnsi(u"Ж€😀", &lossless), "?\x80?");
  EXPECT_FALSE(lossless);
  EXPECT_TRUE(FitsAnsi(u"Straße €"));
  EXPECT_FALSE(FitsAnsi(u"Жук"));
}

TEST(CodePages, Utf16BothByteOrdersAndUnknownPage) {
  EXPECT_EQ(BytesToString(std::string("A\0\xAC\x20", 4), CP_UTF16LE), u"A€");
  EXPECT_EQ(StringToBytes(u"A€", CP_UTF16BE), std::string("\0A\x20\xAC", 4));
  EXPECT_THROW(BytesToString("x", 4711), EConvertError);
}

TEST(Compare, TextComparisons) {
  EXPECT_EQ(CompareText(u"abc", u"ABC"), 0);
  EXPECT_LT(CompareText(u"ab", u"abc"), 0);
  EXPECT_NE(CompareText(u"ä", u"Ä"), 0);  // only ASCII letters fold
  EXPECT_EQ(AnsiCompareText(u"äpfel", u"ÄPFEL"), 0);
  EXPECT_LT(AnsiCompareText(u"Äpfel", u"Birne"), 0);  // umlaut beside its base letter
  EXPECT_LT(AnsiCompareText(u"apfel", u"Birne"), 0);
  EXPECT_GT(AnsiCompareText(u"zebra", u"Äpfel"), 0);
}

TEST(Exceptions, CarryTheirMessageAsUtf16AndUtf8) {
  try {
    throw EConvertError(u"'abc' ist kein gültiger Integerwert");
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"'abc' ist kein gültiger Integerwert");
    EXPECT_STREQ(e.what(), "'abc' ist kein gültiger Integerwert");
  }
}
