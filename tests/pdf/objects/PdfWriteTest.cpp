#include "pdf/objects/PdfWrite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "platform/gdi/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "pdf/helpers/DateParts.h"

namespace {

std::string Written(const std::function<void(TPdfWrite&)>& body) {
  TStringStream out;
  TPdfWrite w(out, 1252);
  body(w);
  return w.ContentText();
}

TEST(PdfWrite, Reals) {
  struct Case {
    double value;
    const char* plain;
    const char* withSpace;
  } cases[] = {
      {595, "595", "595 "},
      {0.5, "0.5", "0.5 "},
      {12.5, "12.5", "12.5 "},
      {10.10, "10.1", "10.1 "},
      {2.0, "2", "2 "},
      {-1.5, "-1.5", "-1.5 "},
      {-3, "-3", "-3 "},
      {0.25, "0.25", "0.25 "},
      {1.004, "1", "1 "},
      {0.004, "0", "0 "},
      {-0.004, "0", "0 "},  // never "-0"
      {0.01, "0.01", "0.01 "},
      {-0.01, "-0.01", "-0.01 "},
      {123456.789, "123456.79", "123456.79 "},
      {std::nan(""), "0", "0 "},  // no non-finite number reaches the file
      {std::numeric_limits<double>::infinity(), "0", "0 "},
      {-std::numeric_limits<double>::infinity(), "0", "0 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Written([&](TPdfWrite& w) { w.AddReal(c.value); }), c.plain) << c.value;
    EXPECT_EQ(Written([&](TPdfWrite& w) { w.AddRealWithSpace(c.value); }), c.withSpace) << c.value;
    EXPECT_EQ(PdfRealText(c.value), c.plain) << c.value;
  }
  EXPECT_EQ(Written([](TPdfWrite& w) { w.AddRealFixed(1.5, 6).AddRealFixed(-0.0000001, 6).AddRealFixed(2, 0); }),
            "1.500000 0.000000 2 ");
}

TEST(PdfWrite, IntegersPaddingAndHex) {
  EXPECT_EQ(Written([](TPdfWrite& w) {
              w.AddInteger(0).Add(' ').AddInteger(7).Add(' ').AddInteger(42).Add(' ').AddInteger(-123456789);
            }),
            "0 7 42 -123456789");
  EXPECT_EQ(Written([](TPdfWrite& w) { w.AddIntegerWithSpace(5000000000LL); }), "5000000000 ");
  EXPECT_EQ(Written([](TPdfWrite& w) { w.AddPadded(17, 10).AddPadded(-1, 5).AddPadded(65535, 5); }),
            "0000000017 00000 65535 ");
  EXPECT_EQ(Written([](TPdfWrite& w) { w.AddHex4(0xFEFF).AddHex4(0x0A).AddHexBytes(std::string("\x01\xFF", 2)); }),
            "FEFF000A01FF");
  const unsigned char bgrx[] = {1, 2, 3, 0, 4, 5, 6, 0};
  EXPECT_EQ(Written([&](TPdfWrite& w) { w.AddRGB(bgrx, 4, 2); }), std::string("\x03\x02\x01\x06\x05\x04", 6));
}

TEST(PdfWrite, LiteralStringEscaping) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"(a)\\\r", "\\(a\\)\\\\"},
      {"\b\t\n\f", "\\b\\t\\n\\f"},
      {"line\r\nnext", "line\\nnext"},
      {std::string("a\0b", 3), "a\\000b"},  // a zero byte is kept, escaped
      {"\xE4\xFC", "\xE4\xFC"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Written([&](TPdfWrite& w) { w.AddEscaped(c.in); }), c.out) << c.in;
}

TEST(PdfWrite, NameEscaping) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"FlateDecode", "FlateDecode"},
      {"A B", "A#20B"},  // the space too: a name ends at white space
      {"a/b", "a#2Fb"},
      {"#%()<>[]{}", "#23#25#28#29#3C#3E#5B#5D#7B#7D"},
      {"\x01\x1F\x7F\x80\xFF", "#01#1F#7F#80#FF"},
      {"!~", "!~"},
      {std::string("ab\0cd", 5), "ab"},  // no name can hold a zero byte
  };
  for (const auto& c : cases) EXPECT_EQ(Written([&](TPdfWrite& w) { w.AddEscapedName(c.in); }), c.out) << c.in;
}

TEST(PdfWrite, ColoursAndUnicode) {
  EXPECT_EQ(Written([](TPdfWrite& w) { w.AddColor(0x0080FF); }), "1 0.5 0 ");
  // A system colour comes from the fixed table.
  COLORREF window = GetSysColor(COLOR_WINDOW);
  std::string expected = Written([&](TPdfWrite& w) { w.AddColor(static_cast<int32_t>(window)); });
  EXPECT_EQ(Written([](TPdfWrite& w) { w.AddColor(clWindow); }), expected);
  EXPECT_EQ(Written([](TPdfWrite& w) { w.AddUnicodeHex("A\x80"); }), "004120AC");
  EXPECT_EQ(Written([](TPdfWrite& w) { w.AddUnicodeHexText(u"\U0001F600"); }), "D83DDE00");
}

TEST(PdfWrite, LongContentBypassesTheBufferAndPositionsStayRight) {
  TStringStream out;
  out.WriteBuffer("prefix", 6);
  TPdfWrite w(out, 1252);
  EXPECT_EQ(w.Position(), 6);
  std::string big(2000, 'z');
  w.Add("ab").Add(big).AddEscaped(std::string(600, '(')).Add('c');
  EXPECT_EQ(w.Position(), 6 + 2 + 2000 + 1200 + 1);
  EXPECT_EQ(w.ContentText(), "prefixab" + big + [] {
    std::string s;
    for (int i = 0; i < 600; ++i) s += "\\(";
    return s;
  }() + "c");
}

TEST(PdfDates, RoundTripAndErrors) {
  TDateTime t = 0;
  ASSERT_TRUE(TryEncodeDateParts({2026, 12, 10, 13, 14, 15}, t));
  EXPECT_EQ(DateTimeToPdfDate(t), "D:20261210131415");
  EXPECT_DOUBLE_EQ(PdfDateToDateTime("D:20261210131415"), t);
  EXPECT_EQ(Written([&](TPdfWrite& w) { w.AddIso8601(t); }), "2026-12-10T13:14:15");
  for (const char* bad : {"D:2026121013141", "D:202612101314150", "X:20261210131415", "D:20261310131415",
                          "D:20260230131415", "D:20261210241415", "D:20261210136015", "D:20261210131460",
                          "D:2026121013141a", ""}) {
    try {
      PdfDateToDateTime(bad);
      ADD_FAILURE() << bad << " accepted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Ungültiges Argument zum Codieren des Datums");
    }
  }
}

}  // namespace
