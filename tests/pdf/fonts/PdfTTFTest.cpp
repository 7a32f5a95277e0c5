// The character map with widths read from raw TrueType tables, on small hand-made tables.
#include <gtest/gtest.h>

#include "pdf/fonts/PdfTTF.h"

namespace {

std::string Words(std::initializer_list<uint16_t> words) {
  std::string s;
  for (uint16_t w : words) {
    s += static_cast<char>(w >> 8);
    s += static_cast<char>(w & 0xFF);
  }
  return s;
}

// A format 4 subtable: 'A'..'C' by delta (glyphs 1..3), U+0410..U+0411 through the glyph
// index array (glyphs 5 and 0), and the closing 0xFFFF segment.
std::string Format4() {
  return Words({4, 0, 0, /*segX2*/ 6, 0, 0, 0,
                /*ends*/ 0x43, 0x0411, 0xFFFF, /*reserved*/ 0,
                /*starts*/ 0x41, 0x0410, 0xFFFF,
                /*deltas*/ static_cast<uint16_t>(1 - 0x41), 0, 1,
                /*range offsets*/ 0, 4, 0,
                /*glyph index array*/ 5, 0});
}

std::string Cmap(uint16_t platform, uint16_t encoding, const std::string& subtable) {
  return Words({0, 1, platform, encoding, 0, 12}) + subtable;
}

std::string Long(uint32_t v) { return Words({static_cast<uint16_t>(v >> 16), static_cast<uint16_t>(v & 0xFFFF)}); }

struct TGroup {
  uint32_t Start, End, Glyph;
};

// A format 12 subtable of groups; `claimed` overrides the number of groups it declares.
std::string Format12(std::initializer_list<TGroup> groups, uint32_t claimed = 0) {
  std::string s = Words({12, 0}) + Long(static_cast<uint32_t>(16 + 12 * groups.size())) + Long(0) +
                  Long(claimed != 0 ? claimed : static_cast<uint32_t>(groups.size()));
  for (const TGroup& g : groups) s += Long(g.Start) + Long(g.End) + Long(g.Glyph);
  return s;
}

// The format 4 subtable (3, 1) first, then a format 12 one of the platform and encoding.
std::string TwoSubtables(uint16_t platform, uint16_t encoding, const std::string& format12) {
  std::string f4 = Format4();
  return Words({0, 2, 3, 1, 0, 20, platform, encoding, 0, static_cast<uint16_t>(20 + f4.size())}) + f4 + format12;
}

std::string Head(uint16_t unitsPerEm) {
  std::string h(54, '\0');
  h[18] = static_cast<char>(unitsPerEm >> 8);
  h[19] = static_cast<char>(unitsPerEm & 0xFF);
  return h;
}

std::string Hhea(uint16_t longMetrics) {
  std::string h(36, '\0');
  h[34] = static_cast<char>(longMetrics >> 8);
  h[35] = static_cast<char>(longMetrics & 0xFF);
  return h;
}

// Advances of glyphs 0..3 (long metrics), then left side bearings only.
std::string Hmtx() { return Words({1000, 0, 1229, 0, 2048, 0, 512, 0, 0, 0}); }

TEST(PdfTTF, MapsCharactersToGlyphsAndScaledWidths) {
  TPdfTTF map(Cmap(3, 1, Format4()), Head(2048), Hhea(4), Hmtx(), false);
  EXPECT_EQ(map.Chars, (std::vector<char32_t>{0x41, 0x42, 0x43, 0x0410, 0x0411, 0xFFFF}));
  auto entry = [](uint32_t glyph, uint32_t width) { return glyph << 16 | width; };
  // 1229 units of 2048 are 600; glyph 5 lies past the four long metrics: the last advance.
  EXPECT_EQ(map.Entries, (std::vector<uint32_t>{entry(1, 600), entry(2, 1000), entry(3, 250), entry(5, 250), 0, 0}));
  EXPECT_EQ(map.DefaultWidth, 488);  // 1000 / 2048, rounded
}

TEST(PdfTTF, ScalesByAnyEmSize) {
  TPdfTTF map(Cmap(3, 1, Format4()), Head(1000), Hhea(4), Hmtx(), false);
  EXPECT_EQ(map.Entries[0] & 0xFFFF, 1229u);
  TPdfTTF odd(Cmap(3, 1, Format4()), Head(1500), Hhea(4), Hmtx(), false);
  EXPECT_EQ(odd.Entries[0] & 0xFFFF, 819u);  // 1229 x 1000 / 1500 = 819.3
}

TEST(PdfTTF, FixedPitchGivesEveryCharacterTheDefaultWidth) {
  TPdfTTF map(Cmap(3, 1, Format4()), Head(2048), Hhea(4), Hmtx(), true);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(map.Entries[i] & 0xFFFF, 488u);
}

TEST(PdfTTF, SymbolSubtableServesWhenNoUnicodeOne) {
  TPdfTTF map(Cmap(3, 0, Format4()), Head(2048), Hhea(4), Hmtx(), false);
  EXPECT_EQ(map.Chars.size(), 6u);
}

TEST(PdfTTF, FullUnicodeSubtableServesCharactersBeyondTheBmp) {
  std::string groups = Format12({{0x41, 0x42, 1}, {0x1F600, 0x1F600, 3}});
  for (auto [platform, encoding] : {std::pair<uint16_t, uint16_t>{3, 10}, {0, 4}}) {
    TPdfTTF map(TwoSubtables(platform, encoding, groups), Head(2048), Hhea(4), Hmtx(), false);
    EXPECT_EQ(map.Chars, (std::vector<char32_t>{0x41, 0x42, 0x1F600})) << platform;
    EXPECT_EQ(map.Entries, (std::vector<uint32_t>{1u << 16 | 600, 2u << 16 | 1000, 3u << 16 | 250})) << platform;
  }
  // A format 12 subtable of another encoding is not a Unicode map: format 4 serves.
  TPdfTTF other(TwoSubtables(3, 1, groups), Head(2048), Hhea(4), Hmtx(), false);
  EXPECT_EQ(other.Chars.size(), 6u);
}

TEST(PdfTTF, MalformedFormat12GroupsAreCutToWhatIsSound) {
  struct Case {
    const char* name;
    std::string subtable;
    std::vector<char32_t> chars;
  } cases[] = {
      {"more groups claimed than the table holds", Format12({{0x41, 0x42, 1}}, 1000), {}},
      {"a group before the previous one", Format12({{0x41, 0x43, 1}, {0x30, 0x42, 7}, {0x44, 0x44, 2}}), {0x41, 0x42, 0x43, 0x44}},
      {"codes beyond U+10FFFF", Format12({{0x10FFFE, 0xFFFFFFFF, 1}}), {0x10FFFE, 0x10FFFF}},
      {"glyphs beyond 65535", Format12({{0x41, 0x50, 0xFFFE}}), {0x41, 0x42}},
      {"end before start", Format12({{0x42, 0x41, 1}}), {}},
  };
  for (const Case& k : cases) {
    TPdfTTF map(Cmap(3, 10, k.subtable), Head(2048), Hhea(4), Hmtx(), false);
    EXPECT_EQ(map.Chars, k.chars) << k.name;
  }
}

TEST(PdfTTF, MalformedTablesLeaveTheMapEmpty) {
  std::string sub = Format4();
  struct Case {
    const char* name;
    std::string cmap, head, hhea, hmtx;
  } cases[] = {
      {"Macintosh subtable only", Cmap(1, 0, sub), Head(2048), Hhea(4), Hmtx()},
      {"format 6", Cmap(3, 1, Words({6}) + sub.substr(2)), Head(2048), Hhea(4), Hmtx()},
      {"offset past the table", Words({0, 1, 3, 1, 0, 200}) + sub, Head(2048), Hhea(4), Hmtx()},
      {"segments past the table", Cmap(3, 1, sub.substr(0, 20)), Head(2048), Hhea(4), Hmtx()},
      {"no head", Cmap(3, 1, sub), "", Hhea(4), Hmtx()},
      {"no hmtx", Cmap(3, 1, sub), Head(2048), Hhea(4), ""},
      {"empty cmap", "", Head(2048), Hhea(4), Hmtx()},
  };
  for (const Case& k : cases) {
    TPdfTTF map(k.cmap, k.head, k.hhea, k.hmtx, false);
    EXPECT_TRUE(map.Chars.empty()) << k.name;
  }
  // A glyph index array cut short: the characters it cannot reach are left out.
  TPdfTTF cut(Cmap(3, 1, sub.substr(0, sub.size() - 2)), Head(2048), Hhea(4), Hmtx(), false);
  EXPECT_EQ(cut.Chars, (std::vector<char32_t>{0x41, 0x42, 0x43, 0x0410, 0xFFFF}));
  // Overlapping segments: each code once, from the first segment that reaches it.
  std::string overlapping = Words({4, 0, 0, /*segX2*/ 6, 0, 0, 0, /*ends*/ 0x43, 0x42, 0xFFFF, 0,
                                   /*starts*/ 0x41, 0x41, 0xFFFF, /*deltas*/ static_cast<uint16_t>(1 - 0x41), 7, 1,
                                   /*range offsets*/ 0, 0, 0});
  TPdfTTF twice(Cmap(3, 1, overlapping), Head(2048), Hhea(4), Hmtx(), false);
  EXPECT_EQ(twice.Chars, (std::vector<char32_t>{0x41, 0x42, 0x43, 0xFFFF}));
  EXPECT_EQ(twice.Entries[1] >> 16, 2u);
  // More long metrics claimed than the table holds: those it holds count.
  TPdfTTF claims(Cmap(3, 1, sub), Head(2048), Hhea(40), Hmtx(), false);
  EXPECT_EQ(claims.Entries[3] & 0xFFFF, 0u);  // glyph 5 takes the advance of glyph 4 (0)
}

}  // namespace
