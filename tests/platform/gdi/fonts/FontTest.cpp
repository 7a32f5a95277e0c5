// Fonts against FreeType read directly from the Liberation files, alias resolution, tables.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <fstream>
#include <iterator>

#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/fonts/FontResolver.h"
#include "platform/gdi/fonts/SfntCollection.h"
#include "platform/rtl/Unicode.h"

namespace {

const char* kLiberation = "/usr/share/fonts/truetype/liberation2/";

TLogFont Font(const char* face, int height, int weight = FW_NORMAL, bool italic = false, uint8_t pitch = 0) {
  TLogFont f;
  f.lfFaceName = S(face);
  f.lfHeight = height;
  f.lfWeight = weight;
  f.lfItalic = italic;
  f.lfPitchAndFamily = pitch;
  return f;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// FreeType as the oracle: the face opened on its own, without our code in between.
class TOracle {
 public:
  explicit TOracle(const std::string& path, int index = 0) {
    FT_Init_FreeType(&lib_);
    EXPECT_EQ(FT_New_Face(lib_, path.c_str(), index, &face_), 0) << path;
  }
  ~TOracle() {
    FT_Done_Face(face_);
    FT_Done_FreeType(lib_);
  }
  FT_Face face() const { return face_; }
  const TT_OS2& os2() const { return *static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2)); }
  // Unhinted advance at ppem pixels, rounded to whole pixels.
  int Advance(char32_t c, int ppem) {
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(ppem));
    FT_Load_Char(face_, c, FT_LOAD_NO_HINTING);
    return static_cast<int>(std::floor(face_->glyph->linearHoriAdvance / 65536.0 + 0.5));
  }

 private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

struct TAliasCase {
  const char* Face;
  int Weight;
  bool Italic;
  uint8_t Pitch;
  const char* File;
  const char* ReportedFace;
};

TEST(FontResolver, ResolvesWindowsGenericAndUnknownNames) {
  const TAliasCase cases[] = {
      {"Arial", FW_NORMAL, false, 0, "LiberationSans-Regular.ttf", "Arial"},
      {"arial", FW_BOLD, false, 0, "LiberationSans-Bold.ttf", "Arial"},
      {"Times New Roman", FW_BOLD, true, 0, "LiberationSerif-BoldItalic.ttf", "Times New Roman"},
      {"Courier New", FW_NORMAL, true, 0, "LiberationMono-Italic.ttf", "Courier New"},
      {"serif", FW_NORMAL, false, 0, "LiberationSerif-Regular.ttf", "Liberation Serif"},
      {"monospace", FW_NORMAL, false, 0, "LiberationMono-Regular.ttf", "Liberation Mono"},
      {"Helvetica", FW_NORMAL, false, 0, "LiberationSans-Regular.ttf", "Liberation Sans"},
      {"DejaVu Serif", FW_NORMAL, false, 0, "DejaVuSerif.ttf", "DejaVu Serif"},
      {"No Such Face", FW_NORMAL, false, FF_ROMAN, "LiberationSerif-Regular.ttf", "Liberation Serif"},
      {"No Such Face", FW_NORMAL, false, FIXED_PITCH, "LiberationMono-Regular.ttf", "Liberation Mono"},
      {"", FW_NORMAL, false, 0, "LiberationSans-Regular.ttf", "Liberation Sans"},
  };
  for (const TAliasCase& c : cases) {
    TFontLocation loc = ResolveFont(Font(c.Face, -16, c.Weight, c.Italic, c.Pitch));
    EXPECT_EQ(loc.FilePath.substr(loc.FilePath.rfind('/') + 1), c.File) << c.Face;
    EXPECT_EQ(StringToUtf8(loc.FaceName), c.ReportedFace) << c.Face;
  }
}

TEST(FontResolver, FamilyListsReportAliasesAsInstalled) {
  const auto& all = InstalledFontFamilies();
  for (const char* name : {"Arial", "Times New Roman", "Courier New", "Liberation Sans", "DejaVu Sans"})
    EXPECT_NE(std::find(all.begin(), all.end(), S(name)), all.end()) << name;
  EXPECT_TRUE(IsFontInstalled(S("ARIAL")));
  EXPECT_FALSE(IsFontInstalled(S("Lucida Handwriting")));
  const auto& trueType = TrueTypeFontFamilies();
  EXPECT_NE(std::find(trueType.begin(), trueType.end(), S("Arial")), trueType.end());
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const String& a, const String& b) {
    String fa = a, fb = b;
    for (Char& ch : fa) ch = static_cast<Char>(ch >= u'A' && ch <= u'Z' ? ch + 32 : ch);
    for (Char& ch : fb) ch = static_cast<Char>(ch >= u'A' && ch <= u'Z' ? ch + 32 : ch);
    return fa < fb;
  }));
}

// fontconfig's choice of a family for a character the font's own family lacks; FreeType
// confirms that the family's font in the style asked for has the character.
TEST(FontResolver, FallbackFamilyForACharacterHasIt) {
  struct Case {
    const char* Face;
    int Weight;
    char32_t Char;
    const char* Family;  // "": none; null: any family that has it
  } cases[] = {
      {"Arial", FW_NORMAL, U'\u2603', "DejaVu Sans"},
      {"Arial", FW_BOLD, U'\U0001F600', "DejaVu Sans"},
      {"Courier New", FW_NORMAL, U'\u2603', "DejaVu Sans Mono"},
      {"Times New Roman", FW_NORMAL, U'\U0001D400', nullptr},  // DejaVu Serif has it only in bold
      {"Times New Roman", FW_BOLD, U'\U0001D400', "DejaVu Serif"},
      {"Times New Roman", FW_NORMAL, U'\u2603', nullptr},
      {"DejaVu Sans", FW_NORMAL, U'\u2603', nullptr},  // its own family is never the answer
      {"Arial", FW_NORMAL, U'\U0010FFFD', ""},        // private use: no font has it
  };
  for (const Case& c : cases) {
    TLogFont asked = Font(c.Face, -16, c.Weight);
    String family = FallbackFamilyForChar(asked, c.Char);
    if (c.Family != nullptr) {
      EXPECT_EQ(StringToUtf8(family), c.Family) << c.Face << " " << static_cast<int>(c.Char);
    }
    if (family.empty()) continue;
    EXPECT_NE(family, ResolveFamilyName(asked.lfFaceName)) << c.Face;
    TLogFont fallback = asked;
    fallback.lfFaceName = family;
    TFontLocation loc = ResolveFont(fallback);
    TOracle oracle(loc.FilePath, loc.FaceIndex);
    EXPECT_NE(FT_Get_Char_Index(oracle.face(), c.Char), 0u) << c.Face << " " << static_cast<int>(c.Char) << " " << loc.FilePath;
  }
  if (IsFontInstalled(S("WenQuanYi Micro Hei"))) {
    EXPECT_EQ(StringToUtf8(FallbackFamilyForChar(Font("Arial", -16), U'中')), "WenQuanYi Micro Hei");
  }
}

TEST(FontMetrics, TextMetricsFollowTheFontFile) {
  struct TCase {
    const char* Face;
    const char* File;
    int Height;
  };
  for (const TCase& c : {TCase{"Arial", "LiberationSans-Regular.ttf", -16}, TCase{"Arial", "LiberationSans-Regular.ttf", -13},
                         TCase{"Times New Roman", "LiberationSerif-Regular.ttf", -21},
                         TCase{"Courier New", "LiberationMono-Regular.ttf", -12}}) {
    TOracle oracle(std::string(kLiberation) + c.File);
    const TT_OS2& os2 = oracle.os2();
    double scale = -c.Height / static_cast<double>(oracle.face()->units_per_EM);
    TRealizedFont font(Font(c.Face, c.Height));
    const TTextMetric& tm = font.TextMetric();
    EXPECT_EQ(tm.tmAscent, std::lround(os2.usWinAscent * scale)) << c.Face << c.Height;
    EXPECT_EQ(tm.tmDescent, std::lround(os2.usWinDescent * scale)) << c.Face << c.Height;
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight + c.Height);
    EXPECT_EQ(tm.tmAveCharWidth, std::lround(os2.xAvgCharWidth * scale));
    for (char32_t ch = 32; ch < 127; ++ch)
      ASSERT_EQ(font.Advance(ch), oracle.Advance(ch, -c.Height)) << c.Face << " char " << static_cast<int>(ch);
  }
}

TEST(FontMetrics, KnownArialMetricsAndTheInvertedPitchBit) {
  // Liberation Sans has Arial's vertical metrics: win ascent 1854, descent 434 per 2048.
  TRealizedFont em16(Font("Arial", -16));
  EXPECT_EQ(em16.TextMetric().tmAscent, 14);
  EXPECT_EQ(em16.TextMetric().tmDescent, 3);
  EXPECT_EQ(em16.TextMetric().tmHeight, 17);
  // A positive height is the cell height.
  TRealizedFont cell16(Font("Arial", 16));
  EXPECT_EQ(cell16.TextMetric().tmHeight, 16);
  EXPECT_EQ(cell16.TextMetric().tmAscent, 13);
  // The "fixed pitch" bit is set for variable-pitch fonts.
  EXPECT_EQ(em16.TextMetric().tmPitchAndFamily & TMPF_FIXED_PITCH, TMPF_FIXED_PITCH);
  EXPECT_EQ(TRealizedFont(Font("Courier New", -16)).TextMetric().tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
  EXPECT_EQ(em16.TextMetric().tmPitchAndFamily & TMPF_TRUETYPE, TMPF_TRUETYPE);
  EXPECT_EQ(em16.TextMetric().tmPitchAndFamily & 0xF0, FF_SWISS);
  EXPECT_EQ(TRealizedFont(Font("Times New Roman", -16)).TextMetric().tmPitchAndFamily & 0xF0, FF_ROMAN);
  EXPECT_EQ(TRealizedFont(Font("Arial", -16, FW_BOLD)).TextMetric().tmWeight, FW_BOLD);
}

TEST(FontMetrics, OutlineMetricsAtAnEmOfAThousand) {
  TOracle oracle(std::string(kLiberation) + "LiberationSans-Italic.ttf");
  const TT_OS2& os2 = oracle.os2();
  double scale = 1000.0 / oracle.face()->units_per_EM;
  TRealizedFont font(Font("Arial", -1000, FW_NORMAL, true));
  const TOutlineTextMetric& otm = font.OutlineMetric();
  EXPECT_EQ(otm.otmEMSquare, oracle.face()->units_per_EM);
  EXPECT_EQ(otm.otmAscent, std::lround(os2.sTypoAscender * scale));
  EXPECT_EQ(otm.otmDescent, std::lround(os2.sTypoDescender * scale));
  EXPECT_LT(otm.otmDescent, 0);
  EXPECT_EQ(otm.otmItalicAngle, -12);
  EXPECT_EQ(otm.otmrcFontBox.Left, std::lround(oracle.face()->bbox.xMin * scale));
  EXPECT_EQ(otm.otmrcFontBox.Top, std::lround(oracle.face()->bbox.yMax * scale));
  EXPECT_EQ(otm.otmrcFontBox.Bottom, std::lround(oracle.face()->bbox.yMin * scale));
  // ABC widths add up to the advance.
  for (char32_t c : {U'A', U'f', U'j', U' '}) {
    TABC abc = font.AbcWidths(c);
    EXPECT_EQ(abc.abcA + static_cast<int>(abc.abcB) + abc.abcC, font.Advance(c));
  }
}

TEST(FontData, TablesAndWholeFileAsFreeTypeReadsThem) {
  TMeasureDC dc;
  dc.SelectFont(TFontHandle::Create(Font("Times New Roman", -12)));
  std::string path = std::string(kLiberation) + "LiberationSerif-Regular.ttf";
  EXPECT_EQ(dc.GetFontData(0), ReadFile(path));
  TOracle oracle(path);
  for (const char* tag : {"head", "hhea", "hmtx", "cmap", "glyf"}) {
    FT_ULong length = 0;
    FT_ULong ftTag = FT_MAKE_TAG(tag[0], tag[1], tag[2], tag[3]);
    ASSERT_EQ(FT_Load_Sfnt_Table(oracle.face(), ftTag, 0, nullptr, &length), 0);
    std::string expected(length, '\0');
    FT_Load_Sfnt_Table(oracle.face(), ftTag, 0, reinterpret_cast<FT_Byte*>(expected.data()), &length);
    char t[5] = {tag[0], tag[1], tag[2], tag[3], 0};
    EXPECT_EQ(dc.GetFontData(FontTableTag(t)), expected) << tag;
  }
  EXPECT_EQ(dc.GetFontData(FontTableTag("zzzz")), "");
  EXPECT_EQ(dc.GetTextFace(), S("Times New Roman"));
  std::vector<uint16_t> glyphs = dc.GetGlyphIndices(u"A\uE000", GGI_MARK_NONEXISTING_GLYPHS);
  EXPECT_EQ(glyphs[0], FT_Get_Char_Index(oracle.face(), 'A'));
  EXPECT_EQ(glyphs[1], 0xFFFF);
}

// Builds a two-member collection of two font files, as a test fixture.
std::string MakeCollection(const std::string& a, const std::string& b) {
  auto be32 = [](uint32_t v) {
    return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
  };
  auto rd32 = [](const std::string& s, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[at])) << 24 | static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 8 | static_cast<uint8_t>(s[at + 3]);
  };
  std::string out = "ttcf" + be32(0x00010000) + be32(2) + be32(0) + be32(0);
  std::vector<std::string> fonts{a, b};
  for (int i = 0; i < 2; ++i) {
    // Each member's tables follow its directory; their offsets move by the member's start.
    while (out.size() % 4) out += '\0';
    uint32_t base = static_cast<uint32_t>(out.size());
    out.replace(12 + 4 * static_cast<size_t>(i), 4, be32(base));
    std::string f = fonts[static_cast<size_t>(i)];
    int numTables = static_cast<uint8_t>(f[4]) << 8 | static_cast<uint8_t>(f[5]);
    for (int t = 0; t < numTables; ++t) {
      size_t rec = 12 + 16 * static_cast<size_t>(t);
      f.replace(rec + 8, 4, be32(rd32(f, rec + 8) + base));
    }
    out += f;
  }
  return out;
}

TEST(FontData, CollectionMemberBecomesAStandaloneFont) {
  std::string serif = ReadFile(std::string(kLiberation) + "LiberationSerif-Regular.ttf");
  std::string mono = ReadFile(std::string(kLiberation) + "LiberationMono-Bold.ttf");
  std::string ttc = MakeCollection(serif, mono);
  std::string member = ExtractCollectionMember(ttc, 1);
  FT_Library lib;
  FT_Init_FreeType(&lib);
  FT_Face face;
  ASSERT_EQ(FT_New_Memory_Face(lib, reinterpret_cast<const FT_Byte*>(member.data()), static_cast<FT_Long>(member.size()), 0, &face), 0);
  EXPECT_EQ(face->num_faces, 1);
  EXPECT_STREQ(face->family_name, "Liberation Mono");
  EXPECT_STREQ(face->style_name, "Bold");
  EXPECT_EQ(FT_Load_Char(face, 'W', FT_LOAD_NO_SCALE), 0);
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
  EXPECT_THROW(ExtractCollectionMember(ttc, 2), EFontError);
  EXPECT_THROW(ExtractCollectionMember(ttc.substr(0, 20), 1), EFontError);
}

TEST(TextMeasure, FitCountsWithCharacterExtraAndJustification) {
  TMeasureDC dc;
  dc.SelectFont(TFontHandle::Create(Font("Arial", -16)));
  const String text = u"ab cd ef";
  std::vector<int> base = dc.GetCharWidth32(0, 127);
  auto width = [&](size_t n) {
    int w = 0;
    for (size_t i = 0; i < n; ++i) w += base[text[i]];
    return w;
  };
  EXPECT_EQ(dc.GetTextExtentPoint32(text).cx, width(text.size()));

  // Character extra: every character gets it, the last one too.
  dc.SetTextCharacterExtra(2);
  EXPECT_EQ(dc.GetTextExtentPoint32(text).cx, width(text.size()) + 2 * 8);
  TTextFit fit = dc.GetTextExtentExPoint(text, width(4) + 8);
  EXPECT_EQ(fit.Fit, 4);
  EXPECT_EQ(fit.PartialExtents[3], width(4) + 8);
  dc.SetTextCharacterExtra(0);

  // Justification: 5 extra pixels over 2 breaks: the first blank gets 3, the second 2.
  dc.SetTextJustification(5, 2);
  fit = dc.GetTextExtentExPoint(text, -1);
  EXPECT_EQ(fit.Fit, 8);
  EXPECT_EQ(fit.PartialExtents[2], width(3) + 3);
  EXPECT_EQ(fit.PartialExtents[5], width(6) + 5);
  EXPECT_EQ(fit.Extent.cx, width(8) + 5);
  EXPECT_EQ(dc.GetTextExtentExPoint(text, width(3) + 2).Fit, 2);
  EXPECT_EQ(dc.GetTextExtentExPoint(text, width(3) + 3).Fit, 3);
  // A negative extra takes pixels away by the same rule.
  dc.SetTextJustification(-3, 2);
  EXPECT_EQ(dc.GetTextExtentPoint32(text).cx, width(8) - 3);
  dc.SetTextJustification(0, 0);
  // A surrogate pair is one character: one advance, one character extra, on its first unit.
  dc.SetTextCharacterExtra(3);
  TTextFit pair = dc.GetTextExtentExPoint(u"a\U0001F600b", -1);
  ASSERT_EQ(pair.PartialExtents.size(), 4u);
  EXPECT_EQ(pair.PartialExtents[1], pair.PartialExtents[2]);
  EXPECT_EQ(pair.Extent.cx, base['a'] + base['b'] + dc.GetCharWidth32(0x1F600, 0x1F600)[0] + 3 * 3);
  dc.SetTextCharacterExtra(0);
  EXPECT_EQ(dc.GetTextExtentExPoint(u"", 10).Fit, 0);
  EXPECT_EQ(dc.GetTextExtentExPoint(text, 0).Fit, 0);
}

TEST(TextMeasure, SameAdvancesOnEveryDeviceContextAndMapping) {
  TMeasureDC a;
  TMeasureDC b({800, 600}, 1);
  TFontHandle font = TFontHandle::Create(Font("Times New Roman", -15));
  a.SelectFont(font);
  b.SelectFont(TFontHandle::Create(Font("Times New Roman", -15)));
  b.SetMapMode(MM_LOMETRIC);
  EXPECT_EQ(a.GetTextExtentPoint32(u"Wendrel layout"), b.GetTextExtentPoint32(u"Wendrel layout"));
  // Handles of equal logical fonts share one realised font.
  EXPECT_EQ(&font.Realized(), &TFontHandle::Create(Font("Times New Roman", -15)).Realized());
}

// A character the font lacks measures as wide as the font fontconfig falls back to draws it
// at the same em size (FreeType reading that family's file); one that no font has keeps the
// missing glyph's advance. Measuring and drawing share these advances.
TEST(TextMeasure, CharactersTheFontLacksMeasureInTheirFallbackFamily) {
  struct Case {
    const char* Face;
    int Height;
    int Weight;
    char32_t Char;
  } cases[] = {
      {"Arial", -16, FW_NORMAL, U'\u2603'},       // snowman
      {"Arial", -16, FW_BOLD, U'\u2713'},         // check mark
      {"Times New Roman", -21, FW_NORMAL, U'\u2603'},
      {"Courier New", -13, FW_NORMAL, U'\u2603'},  // a monospaced fallback
      {"Arial", -16, FW_NORMAL, U'\U0001F600'},    // outside the BMP: on the pair's first unit
      {"Arial", -20, FW_NORMAL, U'\u4E2D'},        // CJK
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Face) + " " + std::to_string(static_cast<int>(c.Char)));
    const TLogFont asked = Font(c.Face, c.Height, c.Weight);
    const String family = FallbackFamilyForChar(asked, c.Char);
    ASSERT_FALSE(family.empty());
    TLogFont fallback = asked;
    fallback.lfFaceName = family;
    const TFontLocation location = ResolveFont(fallback);
    TOracle oracle(location.FilePath, location.FaceIndex);
    ASSERT_NE(FT_Get_Char_Index(oracle.face(), c.Char), 0u);
    const int expected = oracle.Advance(c.Char, -c.Height);

    TMeasureDC dc;
    dc.SelectFont(TFontHandle::Create(asked));
    String text = u"x";
    AppendCodePoint(text, c.Char);
    text += u'x';
    const TTextFit fit = dc.GetTextExtentExPoint(text, -1);
    const int x = dc.GetTextExtentPoint32(u"x").cx;
    EXPECT_EQ(fit.PartialExtents[1], x + expected);
    EXPECT_EQ(fit.Extent.cx, 2 * x + expected);
    EXPECT_EQ(dc.GetCharWidth32(c.Char, c.Char)[0], expected);
    const TRealizedFont& font = TFontHandle::Create(asked).Realized();
    EXPECT_EQ(font.GlyphIndex(c.Char), 0u);  // the font's own glyph indices stay its own
    ASSERT_NE(font.FallbackFont(c.Char), nullptr);
    EXPECT_EQ(font.FallbackFont(c.Char)->Location().FilePath, location.FilePath);
  }
  // No font has a private-use character of plane 16: the missing glyph's advance.
  TRealizedFont arial(Font("Arial", -16));
  TOracle liberation(std::string(kLiberation) + "LiberationSans-Regular.ttf");
  FT_Set_Pixel_Sizes(liberation.face(), 0, 16);
  FT_Load_Glyph(liberation.face(), 0, FT_LOAD_NO_HINTING);
  EXPECT_EQ(arial.FallbackFont(U'\U0010FFFD'), nullptr);
  EXPECT_EQ(arial.Advance(U'\U0010FFFD'), std::lround(liberation.face()->glyph->linearHoriAdvance / 65536.0));
  // Characters the font has, blanks and controls never fall back.
  for (char32_t c : {U'A', U'\u00E4', U'\u03B1', U'\u0416', U' ', U'\t', U'\u0085'})
    EXPECT_EQ(arial.FallbackFont(c), nullptr) << static_cast<int>(c);
}

}  // namespace
