// Real multi-line texts encoded by iconv and decoded by our stateful converters.
#include <gtest/gtest.h>

#include "platform/rtl/Unicode.h"
#include "tests/html/foundation/charsets/ConverterTestTools.h"
#include "tests/html/foundation/charsets/IconvOracle.h"
#include "tests/support/CaseNames.h"

namespace {

const char* const kJapanese =
    "<html><head><title>日本語のページ</title></head>\r\n"
    "<body><p>吾輩は猫である。名前はまだ無い。</p>\n"
    "<p>どこで生れたかとんと見当がつかぬ。ABC 123</p>\n"
    "</body></html>\n";
const char* const kKorean =
    "<p>대한민국의 수도는 서울입니다.</p>\n"
    "<p>한글은 세종대왕이 만들었습니다. (1443)</p>\r\n"
    "끝\n";
const char* const kChinese =
    "<p>中华人民共和国</p>\n"
    "<p>汉字简化方案，一九五六年公布。</p>\n"
    "ASCII only line\n"
    "<p>最后一行</p>\n";
const char* const kMixed =
    "Grüße aus Köln – “quotes” €5\n"
    "日本語 and 한국어 and 中文\n"
    "Emoji 😀 and 𝄞 clef\n"
    "+plus ~tilde \\backslash\n";

struct RoundTrip {
  int codePage;
  const char* iconvName;
  const char* text;
};

class ConverterRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(ConverterRoundTrip, IconvEncodedTextDecodesToTheOriginal) {
  const RoundTrip& r = GetParam();
  std::optional<std::string> encoded = IconvEncode(r.iconvName, r.text);
  ASSERT_TRUE(encoded) << r.iconvName;
  EXPECT_EQ(StringToUtf8(DecodeBytes(r.codePage, *encoded)), r.text) << r.iconvName;
}

const RoundTrip kRoundTrips[] = {
    {50220, "ISO-2022-JP", kJapanese},  {50221, "ISO-2022-JP", kJapanese}, {50225, "ISO-2022-KR", kKorean},
    {50227, "ISO-2022-CN", kChinese},   {65000, "UTF-7", kMixed},          {65000, "UTF-7", kJapanese},
    {54936, "GB18030", kMixed},         {54936, "GB18030", kChinese},      {65001, "UTF-8", kMixed},
    {932, "CP932", kJapanese},          {51932, "EUC-JP-MS", kJapanese},   {949, "CP949", kKorean},
    {51949, "EUC-KR", kKorean},         {936, "CP936", kChinese},          {51936, "EUC-CN", kChinese},
    {950, "CP950", "<p>中華民國</p>\n繁體字\n"},
    {50220, "ISO-2022-JP-2", "日本語\n한국어 텍스트\n"},
};
// "cp50220_ISO_2022_JP_0": the code page and the encoding iconv wrote.
INSTANTIATE_TEST_SUITE_P(Texts, ConverterRoundTrip, testing::ValuesIn(kRoundTrips), [](const auto& info) {
  return CaseName("cp" + std::to_string(info.param.codePage) + "_" + info.param.iconvName, info.index);
});

}  // namespace
