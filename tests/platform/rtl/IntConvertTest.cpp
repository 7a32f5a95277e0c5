#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Unicode.h"

namespace {

TEST(IntToStr, WritesTheFullRange) {
  EXPECT_EQ(IntToStr(0), u"0");
  EXPECT_EQ(IntToStr(-42), u"-42");
  EXPECT_EQ(IntToStr(std::numeric_limits<int32_t>::min()), u"-2147483648");
  EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::max()), u"9223372036854775807");
  EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::min()), u"-9223372036854775808");
}

TEST(IntToHex, PadsToDigitsAndShowsNegativesInTheirWidth) {
  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(0x1234ABCD, 2), u"1234ABCD");  // never cut
  EXPECT_EQ(IntToHex(0, 0), u"0");
  EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t{-1}, 2), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t{0x1F}, 10), u"000000001F");
  EXPECT_EQ(IntToHex(0xFF8000u, 8), u"00FF8000");
  EXPECT_EQ(IntToHex(~uint64_t{0}, 1), u"FFFFFFFFFFFFFFFF");
}

struct IntCase {
  String text;
  bool ok;
  int64_t value;
};

TEST(StrToInt, AcceptsBlanksSignsAndHexAsThePlatformDoes) {
  const IntCase cases[] = {
      {u"0", true, 0},
      {u"123", true, 123},
      {u"-123", true, -123},
      {u"+7", true, 7},
      {u"   42", true, 42},
      {u"007", true, 7},
      {u"$FF", true, 255},
      {u"0x1f", true, 31},
      {u"0XA", true, 10},
      {u"x10", true, 16},
      {u"-$10", true, -16},
      {u"$FFFFFFFF", true, -1},  // hexadecimal fills all 32 bits
      {u"2147483647", true, 2147483647},
      {u"-2147483648", true, -2147483648LL},
      {u"2147483648", false, 0},
      {u"-2147483649", false, 0},
      {u"$100000000", false, 0},
      {u"", false, 0},
      {u"   ", false, 0},
      {u"-", false, 0},
      {u"$", false, 0},
      {u"0x", false, 0},
      {u"12 ", false, 0},  // trailing blanks are not accepted
      {u"\t12", false, 0},  // only blanks lead
      {u"1.5", false, 0},
      {u"1,5", false, 0},
      {u"1e3", false, 0},
      {u"abc", false, 0},
      {u"--1", false, 0},
      {u"- 1", false, 0},
      {u"$G", false, 0},
      {u"١٢", false, 0},  // other digits than ASCII
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.text));
    int32_t value = 99;
    EXPECT_EQ(TryStrToInt(c.text, value), c.ok);
    EXPECT_EQ(StrToIntDef(c.text, -77), c.ok ? c.value : -77);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      EXPECT_EQ(value, 99) << "a failed conversion leaves the target alone";
    }
  }
}

TEST(StrToInt64, UsesTheSixtyFourBitRange) {
  const IntCase cases[] = {
      {u"9223372036854775807", true, std::numeric_limits<int64_t>::max()},
      {u"-9223372036854775808", true, std::numeric_limits<int64_t>::min()},
      {u"9223372036854775808", false, 0},
      {u"2147483648", true, 2147483648LL},
      {u"$FFFFFFFF", true, 0xFFFFFFFFLL},
      {u"$FFFFFFFFFFFFFFFF", true, -1},
      {u"$10000000000000000", false, 0},
      {u"99999999999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.text));
    int64_t value = 0;
    EXPECT_EQ(TryStrToInt64(c.text, value), c.ok);
    EXPECT_EQ(StrToInt64Def(c.text, -77), c.ok ? c.value : -77);
    if (c.ok) {
      EXPECT_EQ(StrToInt64(c.text), c.value);
    }
  }
}

TEST(StrToInt, RaisesTheGermanConversionError) {
  for (const String& text : {String(u"abc"), String(u""), String(u"12 "), String(u"99999999999")}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "no exception for " << StringToUtf8(text);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"'" + text + u"' ist kein gültiger Integerwert");
    }
  }
  try {
    StrToInt64(u"x");
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'x' ist kein gültiger Integerwert");
  }
}

}  // namespace
