#include "pdf/helpers/AnsiConvert.h"

#include <gtest/gtest.h>

#include "platform/rtl/Unicode.h"
#include "pdf/helpers/VevException.h"
#include "tests/pdf/PdfTestTools.h"

namespace {

// iconv decodes bytes 0x20..0xFF of the code page, one per line; an undefined byte
// gives an empty line (-c drops it).
std::vector<std::string> IconvDecodedBytes(int codePage) {
  std::string input;
  for (int b = 0x20; b <= 0xFF; ++b) input += {static_cast<char>(b), '\n'};
  TCommandResult r = RunCommand("iconv -c -f CP" + std::to_string(codePage) + " -t UTF-8", input);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < r.Output.size(); ++i)
    if (r.Output[i] == '\n') {
      lines.push_back(r.Output.substr(start, i - start));
      start = i + 1;
    }
  return lines;
}

class FixedWidthCodePage : public testing::TestWithParam<int> {};

TEST_P(FixedWidthCodePage, AgreesWithIconvInBothDirections) {
  const int cp = GetParam();
  std::vector<std::string> expected = IconvDecodedBytes(cp);
  ASSERT_EQ(expected.size(), 0xE0u) << "iconv output for CP" << cp;
  auto& conv = static_cast<TVevAnsiFixedWidth&>(ConverterForCodePage(cp));
  for (int b = 0x20; b <= 0xFF; ++b) {
    const std::string& utf8 = expected[static_cast<size_t>(b - 0x20)];
    if (utf8.empty()) continue;  // undefined in this code page
    std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(conv.AnsiToUtf8Text(byte), utf8) << "CP" << cp << " byte " << b;
    EXPECT_EQ(conv.Utf8ToAnsiText(utf8), byte) << "CP" << cp << " byte " << b;
    EXPECT_EQ(conv.WideCharToAnsiCode(Utf8ToString(utf8)[0]), b) << "CP" << cp << " byte " << b;
  }
}

INSTANTIATE_TEST_SUITE_P(WindowsSingleByte, FixedWidthCodePage, testing::Range(1250, 1258));

TEST(AnsiConvert, EuroAndGreekInCodePage1252) {
  TVevAnsiFixedWidth& conv = WinAnsiConverter();
  EXPECT_EQ(conv.WideToAnsiText(u"\u20AC"), "\x80");
  EXPECT_EQ(conv.AnsiToWideString("\x80"), u"\u20AC");
  EXPECT_EQ(conv.WideToAnsiText(u"\u03B1"), "?");
  // A character beyond the basic plane is one character and one '?'.
  EXPECT_EQ(conv.WideToAnsiText(u"a\U0001F600b"), "a?b");
  EXPECT_EQ(conv.WideCharToAnsiCode(u'\u20AC'), 0x80);
  EXPECT_EQ(conv.WideCharToAnsiCode(u'\u03B1'), -1);
  EXPECT_EQ(conv.WideCharToAnsiCode(u'\u00E4'), 0xE4);
  EXPECT_EQ(conv.WideCharToAnsiCode(u'?'), '?');
}

TEST(AnsiConvert, IsWinAnsiUtf8) {
  TVevAnsiFixedWidth& conv = WinAnsiConverter();
  EXPECT_TRUE(conv.IsWinAnsiUtf8(""));
  EXPECT_TRUE(conv.IsWinAnsiUtf8("J\xC3\xBCrgen M\xC3\xBCller"));  // Jürgen Müller
  EXPECT_FALSE(conv.IsWinAnsiUtf8("5 \xE2\x82\xAC"));             // the euro sign lies above 255
  EXPECT_FALSE(conv.IsWinAnsiUtf8("\xC2\x80"));                   // U+0080: byte 0x80 is the euro
}

TEST(AnsiConvert, ConvertersAreSharedAndCheckTheirCodePage) {
  EXPECT_EQ(&ConverterForCodePage(1252), &ConverterForCodePage(1252));
  EXPECT_EQ(&ConverterForCodePage(1252), &WinAnsiConverter());
  EXPECT_NE(dynamic_cast<TVevAnsiFixedWidth*>(&ConverterForCodePage(1250)), nullptr);
  EXPECT_EQ(dynamic_cast<TVevAnsiFixedWidth*>(&ConverterForCodePage(65001)), nullptr);
  EXPECT_EQ(ConverterForCodePage(65001).AnsiToWideString("\xC3\xA4"), u"\u00E4");
  try {
    TVevAnsiFixedWidth bad(1258);
    FAIL() << "1258 accepted";
  } catch (const EVevException& e) {
    EXPECT_EQ(e.Message(), u"TVevAnsiFixedWidth.Create - Invalid code page 1258");
  }
}

TEST(AnsiConvert, CharSetOfCodePage) {
  const std::pair<int, int> cases[] = {{874, 222}, {932, 128}, {936, 134}, {949, 129}, {1250, 238},
                                       {1251, 204}, {1252, 0},  {1253, 161}, {1254, 162}, {1255, 177},
                                       {1256, 178}, {1257, 186}, {1258, 163}, {65001, 0}};
  for (auto [cp, cs] : cases) EXPECT_EQ(CharSetOfCodePage(cp), cs) << cp;
}

}  // namespace
