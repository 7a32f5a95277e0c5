#include "html/foundation/symbols/SymbolTables.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/rtl/Unicode.h"
#include "tests/support/Process.h"

namespace {

TEST(EntityTable, AgreesWithPythonsHtmlEntities) {
  // Python's html.entities is the reference list of the HTML 4.01 entities; "apos" is the
  // engine's addition.
  std::istringstream reference(RunTool("python3 -c 'import html.entities as h\n"
                                      "for n, c in h.name2codepoint.items(): print(n, c)'"));
  std::string name;
  int code = 0, count = 0;
  while (reference >> name >> code) {
    ++count;
    const TEntity* e = EntityNameList().Find(S(name));
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->Code, code) << name;
  }
  EXPECT_EQ(count, 252);
  EXPECT_EQ(EntityNameList().Count(), 253);
}

TEST(EntityTable, CaseSensitiveLookups) {
  struct Case {
    const char* name;
    int code;  // -1: not found
  };
  const Case cases[] = {{"amp", 38}, {"lt", 60}, {"gt", 62}, {"quot", 34}, {"apos", 8217}, {"AMP", -1},
                        {"Agrave", 192}, {"agrave", 224}, {"nbsp", 160}, {"euro", 8364}, {"", -1}};
  for (const Case& c : cases) {
    const TEntity* e = EntityNameList().Find(S(c.name));
    EXPECT_EQ(e ? e->Code : -1, c.code) << c.name;
  }
}

TEST(TagTable, NamesAndSymbols) {
  const TResWord* td = TagNameList().Find(u"TD");
  ASSERT_NE(td, nullptr);
  EXPECT_EQ(td->StartSymbol, 166);
  EXPECT_EQ(td->EndSymbol, 168);
  EXPECT_EQ(TagNameList().Find(u"td"), nullptr);
  EXPECT_EQ(TagNameList().Count(), 98);

  struct Case {
    uint8_t symbol, start, end;
    const char* name;
  };
  const Case cases[] = {
      {97, 93, 97, "body"}, {93, 93, 97, "body"}, {26, 26, 1, "br"}, {2, 1, 1, ""}, {3, 1, 1, ""},
      {168, 166, 168, "td"}, {180, 180, 1, "button"}, {184, 179, 184, "option"}, {1, 1, 1, ""}, {0, 1, 1, ""},
      {255, 1, 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TagStartSymbol(c.symbol), c.start) << int(c.symbol);
    EXPECT_EQ(TagEndSymbol(c.symbol), c.end) << int(c.symbol);
    EXPECT_EQ(StringToUtf8(SymbolToTagName(c.symbol)), c.name) << int(c.symbol);
  }
}

TEST(TagTable, NoSymbolBelongsToTwoTags) {
  int owners[kTagSymbolCount] = {};
  for (const TResWord& tag : TagTable()) {
    ++owners[tag.StartSymbol];
    if (tag.EndSymbol != kNoSymbol) ++owners[tag.EndSymbol];
  }
  // 0 and 2..4 are the parser's own; 149 is unused.
  for (int s = 0; s < kTagSymbolCount; ++s) EXPECT_EQ(owners[s], s <= 4 || s == 149 ? 0 : 1) << s;
}

TEST(AttributeTable, UpperCaseLookups) {
  EXPECT_EQ(AttributeNameList().Find(u"HTTP-EQUIV")->Symbol, 32);
  EXPECT_EQ(AttributeNameList().Find(u"VALUE")->Symbol, 82);
  EXPECT_EQ(AttributeNameList().Find(u"WRAP")->Symbol, 86);
  EXPECT_EQ(AttributeNameList().Find(u"href"), nullptr);
}

}  // namespace
