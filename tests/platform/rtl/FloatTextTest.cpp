#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/rtl/EnglishSettings.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

struct GeneralCase {
  double value;
  String german, english;
};

TEST(FloatToStr, GeneralFormatWithFifteenDigitsUnderBothSettings) {
  const GeneralCase cases[] = {
      {0, u"0", u"0"},
      {-0.0, u"0", u"0"},
      {1, u"1", u"1"},
      {-1.5, u"-1,5", u"-1.5"},
      {0.1, u"0,1", u"0.1"},
      {0.1 + 0.2, u"0,3", u"0.3"},
      {1.0 / 3, u"0,333333333333333", u"0.333333333333333"},
      {2.0 / 3, u"0,666666666666667", u"0.666666666666667"},
      {1234567.5, u"1234567,5", u"1234567.5"},  // never thousand separators
      {1e14, u"100000000000000", u"100000000000000"},
      {1e15, u"1E15", u"1E15"},
      {-1e15, u"-1E15", u"-1E15"},
      {123456789012345678.0, u"1,23456789012346E17", u"1.23456789012346E17"},
      {99999999999999.99, u"100000000000000", u"100000000000000"},  // rounds up into 15 digits
      {999999999999999.9, u"1E15", u"1E15"},                         // rounds up past them
      {0.0001, u"0,0001", u"0.0001"},
      {0.00012345, u"0,00012345", u"0.00012345"},
      {0.00001, u"1E-5", u"1E-5"},
      {-1.5e-7, u"-1,5E-7", u"-1.5E-7"},
      {1e100, u"1E100", u"1E100"},
      {5e-324, u"4,94065645841247E-324", u"4.94065645841247E-324"},
      {std::numeric_limits<double>::max(), u"1,79769313486232E308", u"1.79769313486232E308"},
      {std::nan(""), u"NAN", u"NAN"},
      {kInf, u"INF", u"INF"},
      {-kInf, u"-INF", u"-INF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToStr(c.value), c.german) << c.value;
    EXPECT_EQ(FloatToStr(c.value, EnglishSettings()), c.english) << c.value;
    ScopedFormatSettings english(EnglishSettings());
    EXPECT_EQ(FloatToStr(c.value), c.english) << "with the global settings swapped: " << c.value;
  }
  EXPECT_EQ(FloatToStr(1.5), u"1,5") << "the German settings are back after the scope";
}

// printf's %.15g chooses fixed or scientific notation by the same rule; on values with at
// most 15 significant digits no rounding is involved, so its digits are the expected ones.
TEST(FloatToStr, AgreesWithPrintfOnValuesOfFifteenDigits) {
  std::mt19937_64 random(20240611);
  for (int n = 0; n < 20000; ++n) {
    const int digits = 1 + static_cast<int>(random() % 15);
    int64_t mantissa = static_cast<int64_t>(random() % 1000000000000000ULL);
    for (int k = digits; k < 15; ++k) mantissa /= 10;
    if (mantissa == 0) mantissa = 7;  // zero is in the table above; printf writes -0
    const int exponent = static_cast<int>(random() % 60) - 30;
    char text[64];
    std::snprintf(text, sizeof text, "%s%llde%d", n % 3 == 0 ? "-" : "", static_cast<long long>(mantissa), exponent);
    const double value = std::strtod(text, nullptr);

    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15g", value);
    // printf writes "1.5e-07"; the platform writes "1.5E-7".
    std::string oracle = expected;
    const size_t e = oracle.find('e');
    if (e != std::string::npos) {
      const char sign = oracle[e + 1];
      size_t first = e + 2;
      while (first + 1 < oracle.size() && oracle[first] == '0') ++first;
      oracle = oracle.substr(0, e) + "E" + (sign == '-' ? "-" : "") + oracle.substr(first);
    }
    ASSERT_EQ(StringToUtf8(FloatToStr(value, EnglishSettings())), oracle) << text;
    ASSERT_EQ(StrToFloat(FloatToStr(value)), value) << text;
  }
}

TEST(FloatToStrF, FixedNumberExponentAndCurrency) {
  struct Case {
    double value;
    TFloatFormat format;
    int precision, digits;
    String expected;
  };
  const Case cases[] = {
      {1234.5678, ffFixed, 15, 2, u"1234,57"},
      {1234.5678, ffFixed, 15, 0, u"1235"},
      {0.125, ffFixed, 15, 2, u"0,13"},  // decimal ties round away from zero
      {-0.125, ffFixed, 15, 2, u"-0,13"},
      {2.675, ffFixed, 15, 2, u"2,67"},  // the double lies below 2.675
      {1.005, ffFixed, 15, 2, u"1,00"},
      {0.5, ffFixed, 15, 0, u"1"},
      {-0.001, ffFixed, 15, 2, u"0,00"},  // no minus sign on a zero
      {9.996, ffFixed, 15, 2, u"10,00"},
      {3, ffFixed, 15, 4, u"3,0000"},
      {1e20, ffFixed, 15, 2, u"1E20"},  // more integer digits than precision
      {1234.5678, ffNumber, 15, 2, u"1.234,57"},
      {1234567.891, ffNumber, 15, 2, u"1.234.567,89"},
      {-1234567.0, ffNumber, 15, 0, u"-1.234.567"},
      {123.4, ffNumber, 15, 2, u"123,40"},
      {999.999, ffNumber, 15, 2, u"1.000,00"},
      {0.4, ffNumber, 15, 1, u"0,4"},
      {1234.5, ffCurrency, 15, 2, u"1.234,50 €"},
      {-1234.5, ffCurrency, 15, 2, u"-1.234,50 €"},
      {0, ffCurrency, 15, 2, u"0,00 €"},
      {1234.5, ffExponent, 15, 3, u"1,23450000000000E+003"},
      {-0.00012, ffExponent, 4, 2, u"-1,200E-04"},
      {0, ffExponent, 3, 0, u"0,00E+0"},
      {9.9999, ffExponent, 3, 1, u"1,00E+1"},
      {1e-300, ffExponent, 2, 4, u"1,0E-0300"},
      {1234.5, ffGeneral, 3, 0, u"1,23E3"},
      {0.0001234, ffGeneral, 2, 2, u"0,00012"},
      {0.00001234, ffGeneral, 2, 2, u"1,2E-05"},
      {std::nan(""), ffFixed, 15, 2, u"NAN"},
      {-kInf, ffCurrency, 15, 2, u"-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected)
        << c.value << " format " << c.format << " " << c.precision << "/" << c.digits;
}

TEST(FloatToStrF, CurrencyPlacementFollowsTheSettings) {
  TFormatSettings fs = EnglishSettings();
  const String positive[] = {u"$1,234.50", u"1,234.50$", u"$ 1,234.50", u"1,234.50 $"};
  for (uint8_t f = 0; f < 4; ++f) {
    fs.CurrencyFormat = f;
    EXPECT_EQ(FloatToStrF(1234.5, ffCurrency, 15, 2, fs), positive[f]) << "CurrencyFormat " << int(f);
  }
  const String negative[] = {u"($1.00)", u"-$1.00", u"$-1.00", u"$1.00-", u"(1.00$)", u"-1.00$",
                             u"1.00-$",  u"1.00$-", u"-1.00 $", u"-$ 1.00", u"1.00 $-", u"$ 1.00-",
                             u"$ -1.00", u"1.00- $", u"($ 1.00)", u"(1.00 $)"};
  for (uint8_t f = 0; f < 16; ++f) {
    fs.NegCurrFormat = f;
    EXPECT_EQ(FloatToStrF(-1, ffCurrency, 15, 2, fs), negative[f]) << "NegCurrFormat " << int(f);
  }
}

struct ParseCase {
  String text;
  bool ok;
  double value;
};

TEST(StrToFloat, ReadsTheDecimalSeparatorOfTheSettingsOnly) {
  const ParseCase german[] = {
      {u"1,5", true, 1.5},       {u"-1,5", true, -1.5},     {u"+3", true, 3},          {u"  2,25  ", true, 2.25},
      {u",5", true, 0.5},        {u"5,", true, 5},          {u"1,5E3", true, 1500},    {u"1,5e-3", true, 0.0015},
      {u"2E+2", true, 200},      {u"0", true, 0},           {u"1e-400", true, 0},      {u"0,000e999999", true, 0},
      {u"1,7976931348623157E308", true, std::numeric_limits<double>::max()},
      {u"1.5", false, 0},        {u"1.000", false, 0},      {u"1,5,3", false, 0},      {u"", false, 0},
      {u" ", false, 0},          {u",", false, 0},          {u"-", false, 0},          {u"E5", false, 0},
      {u"1E", false, 0},         {u"1E+", false, 0},        {u"1e400", false, 0},      {u"abc", false, 0},
      {u"0x10", false, 0},       {u"INF", false, 0},        {u"NAN", false, 0},        {u"1 000", false, 0},
      {u"1,5 x", false, 0},      {u"\t1", false, 0},
  };
  for (const auto& c : german) {
    SCOPED_TRACE(StringToUtf8(c.text));
    double value = -99;
    EXPECT_EQ(TryStrToFloat(c.text, value), c.ok);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
      EXPECT_EQ(StrToFloat(c.text), c.value);
    } else {
      EXPECT_EQ(value, -99);
      EXPECT_EQ(StrToFloatDef(c.text, 7.5), 7.5);
    }
  }
  const ParseCase english[] = {{u"1.5", true, 1.5}, {u"1,5", false, 0}, {u"-2.5e1", true, -25}};
  for (const auto& c : english) {
    double value = 0;
    EXPECT_EQ(TryStrToFloat(c.text, value, EnglishSettings()), c.ok) << StringToUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
  }
}

TEST(StrToFloat, RaisesTheGermanConversionError) {
  for (const String& text : {String(u"abc"), String(u"1.5"), String(u"")}) {
    try {
      StrToFloat(text);
      ADD_FAILURE() << "no exception for " << StringToUtf8(text);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"'" + text + u"' ist kein gültiger Gleitkommawert");
    }
  }
}

}  // namespace
