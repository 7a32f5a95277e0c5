#include <gtest/gtest.h>

#include <string>

#include "json/QxJSONParser.h"
#include "platform/rtl/Unicode.h"
#include "tests/json/JsonDump.h"

namespace {

struct Case {
  std::string text;      // UTF-8, handed over one byte per character
  std::string expected;  // Dump of the result, "none" for no tree
};

template <size_t N>
void CheckAll(const Case (&cases)[N]) {
  for (const auto& c : cases) EXPECT_EQ(Dump(TqxJSON::ParseDocument(Bytes(c.text)).get()), c.expected) << c.text;
}

std::string Nested(const std::string& open, const std::string& close, size_t depth) {
  std::string s;
  for (size_t i = 0; i < depth; ++i) s += open;
  s += "1";
  for (size_t i = 0; i < depth; ++i) s += close;
  return s;
}

}  // namespace

TEST(JsonParser, DocumentsAndTheirStart) {
  const Case cases[] = {
      {"", "none"},
      {"\xEF\xBB\xBF", "none"},  // only the byte-order mark
      {"\xEF\xBB\xBF" "1", "1"},
      {"\xEF\xBB\xBF" " [true]", "[true]"},
      {"42", "42"},
      {" \r\n\t\x01 true", "true"},  // every control character counts as blank
      {"true false", "true"},          // what follows the first value is not looked at
      {"trueish", "true"},
      {"nullx", "null"},
      {"[1] garbage", "[1]"},
      {"\"s\"", "\"s\""},
      {"   ", "none"},
      {"True", "none"},  // case matters
      {"nul", "none"},
      {"'text'", "none"},  // apostrophes open no string
      {"undefined", "none"},
  };
  CheckAll(cases);
}

TEST(JsonParser, Numbers) {
  const Case cases[] = {
      {"0", "0"},          {"-0", "-0"},          {"+5", "5"},           {"007", "7"},
      {"1E+3", "1000"},    {"1e3", "1000"},       {"2.5e-3", "0.0025"},  {"-12.75", "-12.75"},
      {"1E400", "1e+400"},  // beyond double, within extended precision
      {"1e-5000", "0"},    // too small: 0
      {"1e5000", "none"},  // out of range: the whole parse fails
      {"[1, 1e99999]", "none"},
      {"1.", "none"},      {".5", "none"},        {"-", "none"},         {"+", "none"},
      {"1e", "none"},      {"1e+", "none"},       {"--1", "none"},       {"0x10", "0"},
      {"1.5.3", "1.5"},    {"[1.]", "none"},      {"[-]", "none"},
      {" \t-3", "-3"},
  };
  CheckAll(cases);
}

TEST(JsonParser, HugeNumbersAndStrings) {
  // 4000 digits overflow a double but not the extended range; 6000 digits overflow both.
  EXPECT_EQ(Dump(TqxJSON::ParseDocument(Bytes("1" + std::string(4000, '0'))).get()), "1e+4000");
  EXPECT_EQ(TqxJSON::ParseDocument(Bytes("1" + std::string(6000, '0'))), nullptr);
  EXPECT_EQ(Dump(TqxJSON::ParseDocument(Bytes("0." + std::string(6000, '0') + "1")).get()), "0");

  const std::string big(3 << 20, 'x');
  auto v = TqxJSON::ParseDocument(Bytes("\"" + big + "\\n\""));
  ASSERT_TRUE(v);
  EXPECT_EQ(static_cast<TqxJSONstring*>(v.get())->StringValue.size(), big.size() + 1);
  EXPECT_EQ(TqxJSON::ParseDocument(Bytes("\"" + big)), nullptr);
}

TEST(JsonParser, Escapes) {
  const Case cases[] = {
      {R"("a\"b")", "\"a\"b\""},
      {R"("\'")", "\"'\""},
      {R"("\/")", "\"/\""},
      {R"("\\")", "\"\\\""},
      {R"("\b\f\n\r\t")", "\"\b\f\n\r\t\""},
      {R"("\u0041\u00e9\u00E9")", "\"Aéé\""},
      {R"("\u20AC \u4e2d")", "\"€ 中\""},        // above U+00FF kept
      {R"("\uD83D\uDE00")", "\"😀\""},           // a surrogate pair is one character
      {R"("\ud834\udd1e!")", "\"𝄞!\""},
      {R"("\uD83D")", "\"\xEF\xBF\xBD\""},       // a lone high surrogate: U+FFFD
      {R"("\uDE00x")", "\"\xEF\xBF\xBDx\""},     // a lone low surrogate: U+FFFD
      {R"("\uD83Dx\uDE00")", "\"\xEF\xBF\xBDx\xEF\xBF\xBD\""},
      {R"("\u41")", "\"A\""},                    // fewer than four characters at the end
      {R"("\u")", "none"},
      {R"("\u00G1")", "none"},                   // not hexadecimal: the parse fails
      {R"(["ok", "\uZZZZ"])", "none"},
      {R"({"k\u0041": 1})", "{\"kA\":1}"},       // names are unescaped too
      {R"("a\xb")", "\"ab\""},                   // an unknown escape is dropped
      // A multi-byte character after a backslash stays whole; a byte that starts no
      // well-formed character is dropped with the backslash.
      {"\"\\\xF0\x9F\x8C\x80\"", "\"\xF0\x9F\x8C\x80\""},
      {"\"a\\\xC3\xA9" "b\"", "\"a\xC3\xA9" "b\""},
      {"{\"\\\xE2\x82\xAC\": 1}", "{\"\xE2\x82\xAC\":1}"},
      {"\"\\\xF0\x9F\x8C!\"", "\"\xC2\x9F\xC2\x8C!\""},  // cut short: only the lead goes
      {R"("a\)" "\"", "none"},                   // an escaped quote ends no string
      {R"("\\\"")", "\"\\\"\""},
      {R"("x\\")", "\"x\\\""},
  };
  CheckAll(cases);
}

TEST(JsonParser, StringContentsAreUtf8BytesOnePerCharacter) {
  struct Text {
    String text;
    String expected;
  };
  const Text cases[] = {
      {u"\"\u00C3\u00A9\"", u"é"},                 // the UTF-8 bytes of é
      {u"\"\\u00e9\"", u"é"},
      {u"\"\u00E2\u0082\u00AC\"", u"€"},           // bytes as ISO-8859-1 characters
      {u"\"\u00E2\u201A\u00AC\"", u"€"},           // bytes as code page 1252 characters
      {u"\"\u00F0\u009F\u0098\u0080\"", u"😀"},
      {u"\"Stra\u00DFe \u00E4\"", u"Straße ä"},    // no UTF-8: the characters stay
      {u"\"\u0416\u20AC\U0001F600\"", u"Ж€😀"},   // real UTF-16 text stays as it is
      {u"\"\u00C0\u00AF\"", u"\u00C0\u00AF"},      // an overlong sequence is no character
      {u"\"\u00ED\u00A0\u0080\"", u"\u00ED\u00A0\u0080"},  // nor an encoded surrogate
  };
  for (const auto& c : cases) {
    auto v = TqxJSON::ParseDocument(c.text);
    ASSERT_TRUE(v) << StringToUtf8(c.text);
    EXPECT_EQ(static_cast<TqxJSONstring*>(v.get())->StringValue, c.expected) << StringToUtf8(c.text);
  }
}

TEST(JsonParser, ListsAndObjects) {
  const Case cases[] = {
      {"[]", "[]"},
      {"[ ]", "[]"},
      {"[1 2 3]", "[1,2,3]"},
      {"[1,2,3,]", "[1,2,3]"},
      {"[true false null]", "[true,false,null]"},
      {"[[],[[]]]", "[[],[[]]]"},
      {"[1,,2]", "none"},
      {"[,1]", "none"},
      {"[1", "none"},
      {"[1,", "none"},
      {"[1}", "none"},
      {"[\"a]", "none"},
      {"{}", "{}"},
      {R"({"a":1 "b":2})", R"({"a":1,"b":2})"},
      {R"({"a":1,"b":[{"c":null}],})", R"({"a":1,"b":[{"c":null}]})"},
      {R"({ "a" : "x" , "b" : {} })", R"({"a":"x","b":{}})"},
      {R"({"k":1,"k":2})", R"({"k":1,"k":2})"},
      {R"({"":0})", R"({"":0})"},
      {R"({a:1})", "none"},
      {R"({'a':1})", "none"},
      {R"({"a" 1})", "none"},
      {R"({"a":})", "none"},
      {R"({"a":1,,"b":2})", "none"},
      {R"({,"a":1})", "none"},
      {R"({"a":1)", "none"},
      {R"({"a":1])", "none"},
      {R"({"a")", "none"},
      {R"([{"a":1}, {"b":2 ])", "none"},
  };
  CheckAll(cases);
}

TEST(JsonParser, DuplicateNamesTheFirstAnswers) {
  auto v = TqxJSON::ParseDocument(u"{\"k\":1,\"x\":0,\"k\":2}");
  auto* o = dynamic_cast<TqxJSONobject*>(v.get());
  ASSERT_TRUE(o);
  EXPECT_EQ(Dump(o->MemberByName(u"k")), "1");
  EXPECT_EQ(o->IndexOfMemberName(u"k"), 0);
}

TEST(JsonParser, MemberLookupByQuotedName) {
  // The application looks members up by names that hold double quotes themselves.
  auto v = TqxJSON::ParseDocument(Bytes(R"({"id":"1","\"from.name\"":"M\u00fcller"})"));
  auto* o = dynamic_cast<TqxJSONobject*>(v.get());
  ASSERT_TRUE(o);
  EXPECT_EQ(VarToStr(o->MemberByName(u"\"from.name\"")->GetVariantValue()), u"Müller");
  EXPECT_EQ(o->MemberByName(u"from.name"), nullptr);
}

TEST(JsonParser, NestingStopsAtTheDepthLimit) {
  const size_t limit = TqxJSON::MaxDepth;
  struct Deep {
    std::string text;
    bool parses;
  };
  const Deep cases[] = {
      {Nested("[", "]", limit), true},
      {Nested("[", "]", limit + 1), false},
      {Nested("{\"a\":", "}", limit), true},
      {Nested("{\"a\":", "}", limit + 1), false},
      {Nested("[{\"a\":", "}]", limit / 2), true},
      {Nested("[", "]", 1000000), false},          // would exhaust the stack without the limit
      {std::string(1000000, '['), false},          // unterminated as well
      {Nested("{\"\":", "}", 1000000), false},
  };
  for (const auto& c : cases) {
    auto v = TqxJSON::ParseDocument(Bytes(c.text));
    EXPECT_EQ(v != nullptr, c.parses) << c.text.substr(0, 12) << "... (" << c.text.size() << " characters)";
  }
  // Siblings do not add up: many lists side by side stay at depth two.
  std::string wide = "[";
  for (size_t i = 0; i < 2 * limit; ++i) wide += "[1],";
  EXPECT_NE(TqxJSON::ParseDocument(Bytes(wide + "]")), nullptr);
}

TEST(JsonParser, ParsedDocumentKinds) {
  auto v = TqxJSON::ParseDocument(Bytes(R"({"list":[1,"two",false,null,{}],"n":-2.7})"));
  auto* o = dynamic_cast<TqxJSONobject*>(v.get());
  ASSERT_TRUE(o);
  const TqxJSONbase* list = o->MemberByName(u"list");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->ChildCount(), 5);
  const TqxJSONvalueKind kinds[] = {jsNumber, jsString, jsBoolean, jsNull, jsObject};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list->ChildAt(i)->ValueKind(), kinds[i]) << i;
  EXPECT_EQ(o->IntegerAt(1), -2);
}
