#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/charsets/CodePageNames.h"
#include "html/foundation/charsets/ConverterRegistry.h"
#include "html/foundation/charsets/Converters.h"
#include "platform/rtl/Unicode.h"

namespace {

TEST(ConverterRegistry, RowsCodePagesAndClasses) {
  TBuffConvInfoList& infos = *ConverterInfos();
  EXPECT_EQ(infos.Count(), 162);
  struct Case {
    int codePage;
    TBuffConverterClass cls;
  };
  const Case cases[] = {
      {1200, &TBuffConverter::Create}, {28591, &TBuffConverter::Create}, {437, &TBuffConvHighMap::Create},
      {20866, &TBuffConvHighMap::Create}, {28606, &TBuffConvIsoMap::Create}, {29001, &TBuffConvSingleByteMap::Create},
      {943, &TBuffConvShiftJis932::Create}, {936, &TBuffConvIBM936::Create}, {949, &TBuffConvHangeul949::Create},
      {51950, &TBuffConvBig5CP950::Create}, {51949, &TBuffConvDoubleByte::Create}, {51932, &TBuffConvEUC_JP::Create},
      {54936, &TBuffConvGB18030::Create}, {50222, &TBuffConvISO2022JP::Create}, {50225, &TBuffConvISO2022KR::Create},
      {50227, &TBuffConvISO2022CN::Create}, {65000, &TBuffConvUTF7::Create}, {65001, &TBuffConvUTF8::Create},
      {-1, &TBuffConvSingleByte::Create}, {1252, &TBuffConvSingleByte::Create}, {28605, &TBuffConvSingleByte::Create},
  };
  for (const Case& c : cases) {
    int row = infos.IndexOfCodePage(c.codePage);
    ASSERT_GE(row, 0) << c.codePage;
    EXPECT_EQ(infos[row].ConverterClass, c.cls) << c.codePage;
  }
  int singleByte = 0;
  for (int i = 0; i < infos.Count(); ++i) singleByte += infos[i].ConverterClass == &TBuffConvSingleByte::Create;
  EXPECT_EQ(singleByte, 104);
  EXPECT_EQ(infos.IndexOfCodePage(12345), -1);
  EXPECT_EQ(infos.IndexOfCodePage(-1), 0);
  EXPECT_EQ(infos.IndexOfCodePage(65001), 161);
}

TEST(ConverterRegistry, FontCharsets) {
  const std::pair<int, int> cases[] = {{1252, 0}, {932, 128}, {65001, 1}, {57002, 1}, {12345, 1}, {2, 77},
                                       {1, 255}, {0, 1}, {1361, 130}, {20003, 136}, {708, 178}, {874, 222}};
  for (auto [cp, charset] : cases) EXPECT_EQ(FontCharsetOfCodePage(cp), charset) << cp;
}

TEST(CharsetNames, ExactNamesIgnoringCase) {
  struct Case {
    const char* name;
    int codePage;
  };
  const Case cases[] = {
      {"UTF-8", 65001}, {"utf-8", 65001}, {"Shift_JIS", 932}, {"SHIFT_JIS", 932}, {"ISO-8859-1", 28591},
      {"iso-8859-1", 28591}, {"cp437", 437}, {"l5", 28599}, {"iso 8859-1", 28591}, {"  windows-1251 ", 1251},
      {"utf-8; charset=x", 65001}, {"latin1 extra", 28591}, {"ks_c_5601-1987", 949}, {"x-mac-ce", 10029},
      {"_iso-2022-jp$sio", 50222}, {"gb18030", 54936}, {"utf-7", 65000}, {"euc-jp", 51932},
      // A media type with a charset parameter, as META http-equiv content-type gives it.
      {"text/html; charset=UTF-8", 65001}, {"text/html;charset=\"iso-8859-1\"", 28591},
      {"text/html; Charset=windows-1251; x=y", 1251}, {"text/html; charset=klingon", -1}, {"text/html", -1},
      // Names that merely contain a listed name do not resolve to it.
      {"x-user-defined", -1}, {"utf-88", -1}, {"xutf-8", -1}, {"", -1}, {"klingon", -1}, {"\u00FCtf-8", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(CodePageOfCharsetName(S(c.name)), c.codePage) << c.name;
}

TEST(CharsetNames, EachOf407NamesOnce) {
  TBuffCodePageNameList& names = *CodePageNames();
  EXPECT_EQ(names.Count(), 407);
  std::set<std::string> seen;
  TBuffConvInfoList& infos = *ConverterInfos();
  for (int i = 0; i < names.Count(); ++i) {
    EXPECT_TRUE(seen.insert(names[i].CharsetName).second) << names[i].CharsetName;
    // Every name leads to a code page the converter registry serves with its own row.
    EXPECT_GE(infos.IndexOfCodePage(names[i].CodePage), 0) << names[i].CharsetName;
  }
}

}  // namespace

namespace {

// After shut-down (in a child process: it is for good) the registries are gone and every
// lookup answers "not found"; buffers made before keep decoding.
TEST(CharsetRegistriesDeathTest, ShutDownAnswersNotFound) {
  EXPECT_EXIT(
      {
        auto buffer = TBuffer::CreateFromText(u"ab", u"");
        ShutDownCharsetRegistries();
        bool ok = ConverterInfos() == nullptr && CodePageNames() == nullptr && FontCharsetOfCodePage(932) == 1 &&
                  CodePageOfCharsetName(u"utf-8") == -1 && FindCodePageName(u"utf-8") == nullptr;
        buffer->ReplaceConverter(65001, 0);
        ok = ok && buffer->CodePage() == 1200 && buffer->ReadChar() == u'a';
        std::exit(ok ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
