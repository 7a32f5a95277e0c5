#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/rtl/EnglishSettings.h"

namespace {

// Each case formats through a callable, because the argument list is an initializer list.
struct Case {
  String expected;
  std::function<String()> format;
};

TEST(Format, PatternsAndArguments) {
  const String text = u"Grüße";
  const Case cases[] = {
      {u"3 von 10", [] { return Format(u" %d von %d", {3, 10}).substr(1); }},
      {u" checke URL 4 von 12", [] { return Format(u" checke URL %d von %d", {4, 12}); }},
      {u"   42|", [] { return Format(u"%5d|", {42}); }},
      {u"42   |", [] { return Format(u"%-5d|", {42}); }},
      {u"12345", [] { return Format(u"%3d", {12345}); }},  // width never cuts
      {u"0042", [] { return Format(u"%.4d", {42}); }},
      {u"-0042", [] { return Format(u"%.4d", {-42}); }},
      {u" -0042", [] { return Format(u"%6.4d", {-42}); }},
      {u"    3", [] { return Format(u"%05d", {3}); }},  // a leading 0 is part of the width, not a flag
      {u"   42", [] { return Format(u"%*d", {5, 42}); }},
      {u"7   |", [] { return Format(u"%-*d|", {4, 7}); }},
      {u"007", [] { return Format(u"%.*d", {3, 7}); }},
      {u"-9223372036854775808", [] { return Format(u"%d", {std::numeric_limits<int64_t>::min()}); }},
      {u"18446744073709551615", [] { return Format(u"%d", {std::numeric_limits<size_t>::max()}); }},
      {u"4294967295", [] { return Format(u"%u", {-1}); }},
      {u"18446744073709551615", [] { return Format(u"%u", {int64_t{-1}}); }},
      {u"4000000000", [] { return Format(u"%d", {4000000000u}); }},
      {u"FF", [] { return Format(u"%x", {255}); }},
      {u"FFFFFFFF", [] { return Format(u"%x", {-1}); }},
      {u"FFFFFFFFFFFFFFFE", [] { return Format(u"%x", {int64_t{-2}}); }},
      {u"00FF", [] { return Format(u"%.4x", {255}); }},
      {u"1234,50", [] { return Format(u"%f", {1234.5}); }},
      {u"0,1", [] { return Format(u"%.1f", {0.05}); }},
      {u"3", [] { return Format(u"%.0f", {2.5}); }},
      {u"    3,14|", [] { return Format(u"%8.2f|", {3.14159}); }},
      {u"-1,50", [] { return Format(u"%f", {-1.5}); }},
      {u"1.234.567,89", [] { return Format(u"%n", {1234567.891}); }},
      {u"1.234.567", [] { return Format(u"%.0n", {1234567.0}); }},
      {u"1.234,50 €", [] { return Format(u"%m", {1234.5}); }},
      {u"-5 €", [] { return Format(u"%.0m", {-5.0}); }},
      {u"1,23450000000000E+003", [] { return Format(u"%e", {1234.5}); }},
      {u"1,23E+003", [] { return Format(u"%.3e", {1234.5}); }},
      {u"-1,0E-010", [] { return Format(u"%.2e", {-1e-10}); }},
      {u"1234,5", [] { return Format(u"%g", {1234.5}); }},
      {u"0,333333333333333", [] { return Format(u"%g", {1.0 / 3}); }},
      {u"1E20", [] { return Format(u"%g", {1e20}); }},
      {u"1,23E3", [] { return Format(u"%.3g", {1234.5}); }},
      {u"1,5", [] { return Format(u"%g", {1.5f}); }},
      {u"abc", [] { return Format(u"%s", {u"abc"}); }},
      {u"  abc|", [] { return Format(u"%5s|", {u"abc"}); }},
      {u"abc  |", [] { return Format(u"%-5s|", {u"abc"}); }},
      {u"ab", [] { return Format(u"%.2s", {u"abc"}); }},
      {u"[x]", [] { return Format(u"[%s]", {Char(u'x')}); }},
      {u"Grüße!", [&] { return Format(u"%s!", {text}); }},
      {u"a b a", [] { return Format(u"%0:s %1:s %0:s", {u"a", u"b"}); }},
      {u"b c", [] { return Format(u"%1:s %s", {u"a", u"b", u"c"}); }},
      {u"cab", [] { return Format(u"%2:s%0:s%s", {u"a", u"b", u"c"}); }},
      {u"  b|", [] { return Format(u"%1:3s|", {u"a", u"b"}); }},
      {u"b  |", [] { return Format(u"%1:-3s|", {u"a", u"b"}); }},
      {u"100%", [] { return Format(u"100%%", {}); }},
      {u"%d", [] { return Format(u"%%d", {}); }},
      {u"5 x", [] { return Format(u"%D %S", {5, u"x"}); }},
      {u"0000000000001234", [] { return Format(u"%p", {reinterpret_cast<const void*>(0x1234)}); }},
      {u"", [] { return Format(u"", {}); }},
      {u"no specifiers", [] { return Format(u"no specifiers", {1, 2}); }},  // extra arguments are ignored
      {u"Seite.html - Page 2/7", [] { return Format(u"%s - Page %d/%d", {u"Seite.html", 2, 7}); }},
      {u"00012003", [] { return Format(u"%.5d%.3d", {12, 3}); }},
      {String(4095, u' ') + u"1", [] { return Format(u"%4096d", {1}); }},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    try {
      EXPECT_EQ(cases[i].format(), cases[i].expected) << "case " << i;
    } catch (const Exception& e) {
      ADD_FAILURE() << "case " << i << " raised " << e.what();
    }
  }
}

TEST(Format, FloatsFollowTheSettings) {
  EXPECT_EQ(Format(u"%f|%n|%m|%g", {1234.5, 1234.5, 1234.5, 0.5}, EnglishSettings()), u"1234.50|1,234.50|$1,234.50|0.5");
  ScopedFormatSettings english(EnglishSettings());
  EXPECT_EQ(Format(u"%.1f", {2.25}), u"2.3");
}

TEST(Format, BadPatternsAndWrongArgumentsRaiseTheGermanFormatError) {
  struct ErrorCase {
    String pattern;
    std::function<String()> format;
  };
  const ErrorCase invalid[] = {
      {u"%d", [] { return Format(u"%d", {1.5}); }},
      {u"%f", [] { return Format(u"%f", {1}); }},
      {u"%s", [] { return Format(u"%s", {5}); }},
      {u"%d", [] { return Format(u"%d", {u"5"}); }},
      {u"%x", [] { return Format(u"%x", {1.0}); }},
      {u"%m", [] { return Format(u"%m", {u"x"}); }},
      {u"%p", [] { return Format(u"%p", {5}); }},
      {u"%s", [] { return Format(u"%s", {reinterpret_cast<const void*>(1)}); }},
      {u"%k", [] { return Format(u"%k", {1}); }},
      {u"%", [] { return Format(u"%", {1}); }},
      {u"abc %", [] { return Format(u"abc %", {1}); }},
      {u"%5", [] { return Format(u"%5", {1}); }},
      {u"%.", [] { return Format(u"%.", {1}); }},
      {u"%*d", [] { return Format(u"%*d", {1.5, 3}); }},
      {u"%-:s", [] { return Format(u"%-:s", {u"a"}); }},
      {u"Seite %d von %s", [] { return Format(u"Seite %d von %s", {1, 2}); }},
      // Padding beyond 4096 is refused rather than allocated.
      {u"%999999999999d", [] { return Format(u"%999999999999d", {1}); }},
      {u"%.4097d", [] { return Format(u"%.4097d", {1}); }},
      {u"%*s", [] { return Format(u"%*s", {1 << 30, u"x"}); }},
  };
  for (const auto& c : invalid) {
    try {
      c.format();
      ADD_FAILURE() << "no exception for " << StringToUtf8(c.pattern);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Format '" + c.pattern + u"' ungültig oder nicht kompatibel mit Argument");
    }
  }

  const ErrorCase missing[] = {
      {u"%d %d", [] { return Format(u"%d %d", {1}); }},
      {u"%3:s", [] { return Format(u"%3:s", {u"a"}); }},
      {u"%*d", [] { return Format(u"%*d", {5}); }},
      {u"%s", [] { return Format(u"%s", {}); }},
  };
  for (const auto& c : missing) {
    try {
      c.format();
      ADD_FAILURE() << "no exception for " << StringToUtf8(c.pattern);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Kein Argument für Format '" + c.pattern + u"'");
    }
  }
}

}  // namespace
