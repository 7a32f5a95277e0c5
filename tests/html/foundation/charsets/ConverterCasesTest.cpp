// Decoding cases of the converter classes: the rules of each class and the sound answers to
// malformed input (one bad byte never ends the text or swallows the byte after it).
#include <gtest/gtest.h>

#include "tests/html/foundation/charsets/ConverterTestTools.h"
#include "tests/support/CaseNames.h"

namespace {

struct Case {
  int codePage;
  const char* hex;
  std::u16string expected;
};

class ConverterCases : public testing::TestWithParam<Case> {};

// "cp932_82_A0_B1_F0_40_0": the code page and the bytes.
std::string NameOf(const testing::TestParamInfo<Case>& info) {
  return CaseName("cp" + std::to_string(info.param.codePage) + "_" + info.param.hex, info.index);
}

TEST_P(ConverterCases, Decode) {
  const Case& c = GetParam();
  EXPECT_EQ(DecodeBytes(c.codePage, HexBytes(c.hex)), c.expected) << c.codePage << ": " << c.hex;
}

const Case kSingleByte[] = {
    {1252, "80 00 41", std::u16string(u"\u20AC\u0000A", 3)},  // byte 0 gives 0, the end for readers
    {28605, "A6 A4", u"\u0160\u20AC"},
    {28595, "F0 B0 FD", u"\u2116\u0410\u00A7"},
    {28596, "AC C1 F2 A1", u"\u060C\u0621\u0652\uFFFD"},
    {28597, "A1 A3 A4 C1 D2", u"\u2018\u00A3\u20AC\u0391\uFFFD"},
    {28598, "E0 FA DF AA", u"\u05D0\u05EA\u2017\u00D7"},
    {28599, "D0 FD 41", u"\u011E\u0131A"},
    {28601, "A1 DB", u"\u0E01\uFFFD"},
    {858, "D5 80", u"\u20AC\u00C7"},
    {922, "D0 FE", u"\u0160\u017E"},
    {866, "80 41", u"\u0410A"},
    {437, "80 7F", u"\u00C7\u007F"},
    {10000, "DB BD", u"\u00A4\u2126"},
    {28592, "A1 FF", u"\u0104\u02D9"},
    {28591, "E9", u"\u00E9"},
    {1251, "C0", u"\u0410"},
    {0, "80", u"\u20AC"},      // the ANSI code page
    {1, "80 D5", u"\u00C7\u0131"},  // the OEM code page 850
    {29001, "41 C0", u"A\uFFFD"},   // no table on this platform: ASCII, the rest unknown
    {57002, "41 B3", u"A\uFFFD"},
};
INSTANTIATE_TEST_SUITE_P(SingleByte, ConverterCases, testing::ValuesIn(kSingleByte), NameOf);

const Case kDoubleByte[] = {
    // Shift-JIS
    {932, "82 A0 B1 F0 40", u"\u3042\uFF71\uE000"},
    {932, "81 20 41", u"\uFFFD A"},     // invalid trail: U+FFFD, the blank is read on
    {932, "81 3C 70 3E", u"\uFFFD<p>"},  // a stray lead before a tag leaves the tag whole
    {932, "87 40 ED 40 FA 40", u"\u2460\u7E8A\u2170"},
    {932, "EB 40", u"\uFFFD@"},
    {932, "85 40", u"\uFFFD"},           // a valid pair without a character
    {932, "82", u"\uFFFD"},              // a lead at the end
    // EUC-JP
    {51932, "A4 A2 8E B1 A8 A1", u"\u3042\uFF71\u2500"},
    {51932, "8F B0 A1 F5 A1", u"\u4E02\uE000"},
    {51932, "8E 41", u"\uFFFDA"},
    {51932, "8F A1 41", u"\uFFFDA"},
    // GBK
    {936, "80 A1 A4 B0 A1", u"\u20AC\u00B7\u554A"},
    {936, "81 40 AA A1", u"\u4E02\uE000"},
    {936, "B0 3C", u"\uFFFD<"},
    {936, "FF", u"\uFFFD"},
    // UHC
    {949, "B0 A1 81 41 C6 41", u"\uAC00\uAC02\uD78D"},
    {949, "A2 E8", u"\uFFFD"},
    {949, "FE A1 FE 41", u"\uE000\uFFFDA"},  // no lone surrogate from the user-defined row
    {949, "C7 41", u"\uFFFDA"},
    // Big5
    {950, "A3 E1 A4 40 80", u"\u20AC\u4E00\uFFFD"},
    {950, "A4 3C", u"\uFFFD<"},
    {950, "C6 A1 F9 D6", u"\uFFFD\u7881"},
    // EUC-CN, EUC-KR
    {51936, "B0 A1 41 A1 41", u"\u554AA\uFFFDA"},
    {51949, "B0 A1 80 90", u"\uAC00\u0080\uFFFD"},
    // GB18030
    {54936, "A8 A1 A2 E3 81 30 81 30", u"\u0101\u20AC\u0080"},
    {54936, "84 31 A4 39", u"\uFFFF"},
    {54936, "90 30 81 30 E3 32 9A 35", u"\U00010000\U0010FFFF"},
    {54936, "81 7F", u"\uFFFD\u007F"},
    {54936, "81 30 41", u"\uFFFDA"},      // a broken four-byte code
    {54936, "85 30 81 30", u"\uFFFD"},     // four bytes in the gap before the supplementary planes
    {54936, "84 31 A5 30", u"\uFFFD"},     // past the last BMP code
};
INSTANTIATE_TEST_SUITE_P(DoubleByte, ConverterCases, testing::ValuesIn(kDoubleByte), NameOf);

const Case kStateful[] = {
    {50220, "1B 24 42 30 21 1B 28 42 41", u"\u4E9CA"},
    {50220, "1B 28 4A 41 5C 7E", u"A\u00A5\u203E"},
    {50220, "1B 24 42 30 21 0A 30 21", u"\u4E9C\n\u4E9C"},  // the set holds across lines
    {50220, "1B 28 49 41", u"\u001B(IA"},  // an unknown escape: ESC read as a character of the set
    {50220, "1B 24 41 30 21 1B 24 28 43 30 21", u"\u554A\uAC00"},
    {50220, "1B 24 28 44 30 21", u"\u4E02"},
    {50220, "1B 2E 46 E1", u"\u03B1"},
    {50220, "1B", u"\u001B"},
    {50225, "1B 24 29 43 0E 30 21 0F 41", u"\uAC00A"},
    {50225, "0E 41", u"\u000EA"},  // SO without a designation is a character
    {50225, "1B 24 29 43 0D 0A 0E 30 21 0F", u"\r\n\uAC00"},  // the designation holds across lines
    {50225, "1B 24 29 43 0E 30 21 0A 41", u"\uAC00\nA"},  // a line end shifts back in
    {50227, "1B 24 29 41 0E 30 21 0F 41", u"\u554AA"},
    {50227, "1B 24 29 47 0E 44 21 0F", u"\u4E00"},
    {50227, "1B 24 2A 48 1B 4E 21 21", u"\u4E42"},
    {50227, "1B 4E 41", u"\u001BNA"},  // single shift 2 without a designation
    {50227, "1B 24 29 41 0A 0E 30 21", u"\n\u000E0!"},  // the designation ends with the line
};
INSTANTIATE_TEST_SUITE_P(Stateful, ConverterCases, testing::ValuesIn(kStateful), NameOf);

const Case kUnicode[] = {
    {65001, "E3 81 82", u"\u3042"},
    {65001, "F0 9F 98 80", u"\U0001F600"},
    {65001, "C3 41", u"\uFFFDA"},             // a broken sequence does not end the text
    {65001, "80 41", u"\uFFFDA"},
    {65001, "C0 AF 41", u"\uFFFD\uFFFDA"},    // no over-long forms
    {65001, "ED A0 80", u"\uFFFD\uFFFD\uFFFD"},  // no surrogates
    {65001, "F4 90 80 80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {65001, "FE FF", u"\uFFFD\uFFFD"},
    {65001, "E3 81", u"\uFFFD"},
    {65000, "2B 41 47 45 41 59 67 42 6A 2D", u"abc"},
    {65000, "2B 2D", u"+"},
    {65000, "41 2B 41 47 45 2D 42", u"AaB"},               // zero padding bits end the run cleanly
    {65000, "41 2B 41 47 45 41 2D 42", u"Aa\uFFFDB"},  // a run that ends inside a character
    {65000, "2B 32 44 33 65 41 41 2D", u"\U0001F600"},
    {65000, "2B 32 44 30 41 51 51 2D", u"\uFFFDA"},  // a high surrogate without its low half
    {65000, "7E 5C", u"\uFFFD\uFFFD"},
    {1200, "41 00 3D D8 00 DE", u"A\U0001F600"},
    {1201, "00 41 D8 3D DE 00", u"A\U0001F600"},
};
INSTANTIATE_TEST_SUITE_P(Unicode, ConverterCases, testing::ValuesIn(kUnicode), NameOf);

}  // namespace
