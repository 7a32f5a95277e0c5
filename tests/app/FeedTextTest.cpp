// The feed text: "\u" escapes and the normalisation that puts posts, likes and comments on
// lines of their own.
#include <gtest/gtest.h>

#include "app/FeedText.h"
#include "platform/rtl/Unicode.h"

namespace {

struct TEscapeCase {
  const char* Name;
  const char16_t* Text;
  const char16_t* Decoded;
};

class DecodeUnicodeEscapesTest : public ::testing::TestWithParam<TEscapeCase> {};

TEST_P(DecodeUnicodeEscapesTest, Decodes) {
  EXPECT_EQ(StringToUtf8(DecodeUnicodeEscapes(GetParam().Text)), StringToUtf8(GetParam().Decoded));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeUnicodeEscapesTest,
    ::testing::Values(
        TEscapeCase{"Umlauts", u"\\u00fc\\u00dc\\u00e4\\u00f6\\u00df", u"üÜäöß"},
        // Every escape, not only the small umlauts: capitals, accents, the euro sign.
        TEscapeCase{"OtherCapitals", u"\\u00c4\\u00d6\\u00c9t\\u00e9 \\u20ac", u"ÄÖÉté €"},
        TEscapeCase{"UpperCaseHex", u"K\\u00F6ln", u"Köln"},
        TEscapeCase{"SurrogatePair", u"a\\ud83d\\ude00b", u"a\U0001F600b"},
        TEscapeCase{"LoneHigh", u"\\ud83dx", u"\uFFFDx"},
        TEscapeCase{"HighThenNoLow", u"\\ud83d\\u00fc", u"\uFFFDü"},
        TEscapeCase{"LoneLow", u"\\ude00", u"\uFFFD"},
        // An escaped backslash before "u00fc" is no escape of ü.
        TEscapeCase{"EscapedBackslash", u"C:\\\\u00fc", u"C:\\\\u00fc"},
        // Line breaks, quotes and backslashes would change the feed's lines and members.
        TEscapeCase{"StructureKept", u"\\u000a\\u0022\\u005c\\n\\\"", u"\\u000a\\u0022\\u005c\\n\\\""},
        TEscapeCase{"Incomplete", u"\\u00f \\u00g1 \\u", u"\\u00f \\u00g1 \\u"},
        TEscapeCase{"TrailingBackslash", u"ab\\", u"ab\\"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(NormalizeFeedTextTest, PutsPostsLikesAndCommentsOnLines) {
  const String feed =
      u"{\"data\":[{\"id\":\"1\",\"message\":\"Gr\\u00fc\\u00dfe http:\\/\\/a.example\\/x\",\"privacy\":{\"value\":\"\"},"
      u"\"likes\":{\"data\":[{\"id\":\"10\",\"name\":\"Anna\"}],\"paging\":{}}}]}";
  EXPECT_EQ(StringToUtf8(NormalizeFeedText(feed)),
            "{\"data\":[\r\n"
            " {\"id\":\"1\"\"message\":\"Grüße http://a.example/x\r\n"
            "\r\n"
            "\"likes\":{\"data\":[\r\n"
            " {\"id\":\"10\"\"name\":\"Anna\"}\r\n"
            "]\"paging\":{}\r\n"
            "}\r\n"
            "}\r\n"
            "]}\r\n");
}

}  // namespace
