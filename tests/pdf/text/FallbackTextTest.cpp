// Characters a font lacks drawn in the family fontconfig chooses for them, and characters
// beyond the Basic Multilingual Plane (surrogate pairs) written as one glyph each.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/gdi/fonts/FontResolver.h"
#include "platform/gdi/fonts/RealizedFont.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/document/PdfPage.h"
#include "pdf/fonts/FontSubset.h"
#include "pdf/fonts/PdfFontTrueType.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/text/PdfTextOutput.h"
#include "tests/pdf/PdfTestTools.h"

namespace {

constexpr const char* kCjkFamily = "WenQuanYi Micro Hei";

// The test families with the font layer's fallback choice, and no fallback family of the
// document's own.
TPdfEnvironment FallbackEnvironment() {
  TPdfEnvironment env = FixedPdfEnvironment({u"Arial", u"DejaVu Sans", u"Times New Roman", Utf8ToString(kCjkFamily)});
  env.FallbackFamily = FallbackFamilyForChar;
  return env;
}

class FallbackText : public testing::Test {
 protected:
  FallbackText() : doc_(false, 0, false, FallbackEnvironment()) {
    doc_.CompressStreams = false;
    doc_.AddPage();
  }
  std::string Show(const String& text) {
    TPdfStream* s = doc_.Canvas().Contents();
    s->ClearContent();
    AddUnicodeText(s->Writer(), text, false, doc_.Canvas());
    return s->Writer().ContentText();
  }
  TPdfFontTrueType& Select(const char* family) {
    return *static_cast<TPdfFontTrueType*>(doc_.Canvas().SelectFont(family, 0, 10));
  }
  TPdfFontTrueType& FontOf(const char* family) {
    return *static_cast<TPdfFontTrueType*>(doc_.Canvas().SelectFont({}, 0, 10, -1, doc_.FindTrueTypeFont(family)));
  }
  static std::string Hex(unsigned glyph) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", glyph);
    return text;
  }
  TPdfDocument doc_;
};

TEST_F(FallbackText, CharactersTheFontLacksComeFromTheFamilyThatHasThem) {
  if (!IsFontInstalled(Utf8ToString(kCjkFamily))) GTEST_SKIP() << "fonts-wqy-microhei";
  Select("Arial");  // F0; its Unicode half F1, DejaVu Sans F2 and F3, the CJK family F4 and F5
  std::string out = Show(u"a\u2603\u4E2D\U0001F600b");
  TPdfFontTrueType& dejavu = FontOf("DejaVu Sans");
  TPdfFontTrueType& cjk = FontOf(kCjkFamily);
  unsigned snowman = dejavu.FontHandle->GlyphIndex(0x2603), smile = dejavu.FontHandle->GlyphIndex(0x1F600);
  unsigned zhong = cjk.FontHandle->GlyphIndex(0x4E2D);
  ASSERT_NE(snowman * smile * zhong, 0u);
  EXPECT_EQ(out, "(a) Tj\n/F3 10 Tf\n<" + Hex(snowman) + "> Tj\n/F5 10 Tf\n<" + Hex(zhong) + "> Tj\n/F3 10 Tf\n<" +
                     Hex(smile) + "> Tj\n/F0 10 Tf\n(b) Tj\n");
  // The characters are recorded where they were drawn: the pair as one character.
  EXPECT_EQ(dejavu.UsedWide, (std::vector<char32_t>{0x2603, 0x1F600}));
  EXPECT_EQ(cjk.UsedWide, (std::vector<char32_t>{0x4E2D}));
}

TEST_F(FallbackText, ASurrogatePairIsOneCharacter) {
  TPdfFontTrueType& dejavu = Select("DejaVu Sans");
  unsigned smile = dejavu.FontHandle->GlyphIndex(0x1F600);
  EXPECT_EQ(Show(u"\U0001F600"), "/F1 10 Tf\n<" + Hex(smile) + "> Tj\n");
  // One width, the font's own, not two of 600.
  int width = dejavu.WidthOfWideChar(0x1F600);
  EXPECT_GT(width, 0);
  EXPECT_FLOAT_EQ(doc_.Canvas().UnicodeTextWidth(u"\U0001F600"), static_cast<float>(width) / 100);
  // In a right-to-left run the pair stays a pair when the characters are reversed.
  doc_.ShapeComplexScripts = true;
  doc_.Canvas().RightToLeftText = true;
  std::string out = Show(u"\U0001F600 ab");
  EXPECT_NE(out.find("<" + Hex(smile) + ">"), std::string::npos) << out;
  EXPECT_EQ(out.find("<0000>"), std::string::npos) << out;
}

// A character that is not drawn gets a code of its own past the font's glyphs (a pair one
// code), the same code each time, and the ToUnicode map names it.
TEST_F(FallbackText, WithoutAFamilyThatHasItAPairIsOneCodeOfItsOwnOrQuestionMark) {
  struct Case {
    const char* name;
    bool enabled;
    String text;
    unsigned code;  // past the font's glyphs
  } cases[] = {
      {"fallback off", false, u"\U0001F600", 0},
      {"no font has it", true, u"\U0010FFFD", 1},
      {"the first again", false, u"\U0001F600", 0},
  };
  TPdfFontTrueType& arial = Select("Arial");
  const unsigned first = GlyphCount(arial.FontHandle->FileData());
  ASSERT_GT(first, 0u);
  for (const Case& k : cases) {
    doc_.FallbackFontEnabled = k.enabled;
    EXPECT_EQ(Show(k.text), "/F1 10 Tf\n<" + Hex(first + k.code) + "> Tj\n") << k.name;
    Show(u"a");
  }
  // Without a TrueType font: one "?" for the pair.
  doc_.SubstituteStandardFonts = true;
  doc_.Canvas().SelectFont("Helvetica", 0, 10);
  EXPECT_EQ(Show(u"a\U0001F600b"), "(a?b) Tj\n");
  const std::string file = WriteToString(doc_);
  EXPECT_NE(file.find("<" + Hex(first) + "> <D83DDE00>"), std::string::npos);
  EXPECT_NE(file.find("<" + Hex(first + 1) + "> <DBFFDFFD>"), std::string::npos);
}

TEST_F(FallbackText, MeasuringUsesTheFallbackFamilysWidth) {
  TPdfFontTrueType& arial = Select("Arial");
  TPdfFontTrueType& dejavu = FontOf("DejaVu Sans");
  doc_.Canvas().SetFontAndSize(&arial, 10);
  float expected = static_cast<float>(arial.WidthOfWideChar(U'a') + dejavu.WidthOfWideChar(0x2603) +
                                      dejavu.WidthOfWideChar(0x1F600)) / 100;
  EXPECT_FLOAT_EQ(doc_.Canvas().UnicodeTextWidth(u"a\u2603\U0001F600"), expected);
  EXPECT_NE(dejavu.WidthOfWideChar(0x1F600), 0);
}

TEST_F(FallbackText, TheDocumentsOwnFallbackFamilyComesFirst) {
  doc_.SetFallbackFontIndex(doc_.FindTrueTypeFont("Times New Roman"));  // lacks the snowman
  Select("Arial");
  std::string out = Show(u"\u2603");
  TPdfFontTrueType& dejavu = FontOf("DejaVu Sans");
  // Arial F0 and its Unicode half F1, Times New Roman F2, DejaVu Sans F3 and F4.
  EXPECT_EQ(out, "/F4 10 Tf\n<" + Hex(dejavu.FontHandle->GlyphIndex(0x2603)) + "> Tj\n/F0 10 Tf\n") << out;
  // A family of its own that has the character serves.
  doc_.SetFallbackFontIndex(doc_.FindTrueTypeFont("DejaVu Sans"));
  EXPECT_NE(Show(u"\u2603").find("/F4 10 Tf"), std::string::npos);
}

}  // namespace
