// Text runs in the content stream, and whole documents as qpdf, pdffonts and pdftotext
// read them.
#include <gtest/gtest.h>

#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include "platform/gdi/fonts/FontResolver.h"
#include "platform/gdi/fonts/RealizedFont.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/document/PdfPage.h"
#include "pdf/fonts/FontSubset.h"
#include "pdf/fonts/PdfFontTrueType.h"
#include "pdf/fonts/PdfFontType1.h"
#include "pdf/helpers/AnsiConvert.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/text/PdfTextOutput.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/support/TempDirectory.h"

namespace {

std::vector<String> TestFamilies() { return {u"Arial", u"Courier New", u"DejaVu Sans", u"Times New Roman"}; }
int FreeTypeWidth(const TRealizedFont& font, char32_t ch);

class TextRuns : public testing::Test {
 protected:
  TextRuns() : doc_(false, 0, false, FixedPdfEnvironment(TestFamilies())) {
    doc_.CompressStreams = false;
    doc_.SetFallbackFontIndex(doc_.FindTrueTypeFont("DejaVu Sans"));
    doc_.AddPage();
  }
  std::string Show(const String& text, bool nextLine = false) {
    TPdfStream* s = doc_.Canvas().Contents();
    s->ClearContent();
    AddUnicodeText(s->Writer(), text, nextLine, doc_.Canvas());
    return s->Writer().ContentText();
  }
  TPdfFontTrueType& Arial() { return *static_cast<TPdfFontTrueType*>(doc_.Canvas().SelectFont("Arial", 0, 10)); }
  TPdfDocument doc_;
};

TEST_F(TextRuns, LiteralAndGlyphRuns) {
  TPdfFontTrueType& arial = Arial();  // F0; its Unicode half becomes F1, DejaVu Sans F2 and F3
  uint16_t be = arial.GlyphOfWideChar(u'б');
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X", be);
  struct Case {
    const char* name;
    String text;
    bool nextLine;
    std::string expected;
  } cases[] = {
      {"umlauts in one literal", u"Grüße", false, "(Gr\xFC\xDF" "e) Tj\n"},
      {"euro, no-break space, delimiters", u"1\u00A0\u20AC (x)\\", false, "(1 \x80 \\(x\\)\\\\) Tj\n"},
      {"Cyrillic in the Unicode half", u"б", false, "/F1 10 Tf\n<" + std::string(hex) + "> Tj\n"},
      {"Latin, Cyrillic, Latin; next line only first", u"aбa", true,
       "/F0 10 Tf\n(a) '\n/F1 10 Tf\n<" + std::string(hex) + "> Tj\n/F0 10 Tf\n(a) Tj\n"},
  };
  for (const Case& k : cases) EXPECT_EQ(Show(k.text, k.nextLine), k.expected) << k.name;
  // The no-break space was written as a space, so the space is what the widths need.
  EXPECT_TRUE(arial.UsedAnsiChars.test(' '));
  EXPECT_FALSE(arial.UsedAnsiChars.test(0xA0));
}

TEST_F(TextRuns, WinAnsiWidthsAreThoseOfCodePage1252WhateverTheCharset) {
  auto* cyrillic = static_cast<TPdfFontTrueType*>(doc_.Canvas().SelectFont("Arial", 0, 10, 204));  // RUSSIAN_CHARSET
  auto* ansi = static_cast<TPdfFontTrueType*>(doc_.Canvas().SelectFont("Arial", 0, 10, 0));
  ASSERT_NE(cyrillic, ansi);
  for (unsigned char code : {0x80, 0xC0, 0xFF})
    EXPECT_EQ(cyrillic->WidthOfCode(code), FreeTypeWidth(*cyrillic->FontHandle, WinAnsiConverter().AnsiToWideTable()[code]));
  EXPECT_NE(cyrillic->WidthOfCode(0x80), FreeTypeWidth(*cyrillic->FontHandle, U'Ђ'));  // 0x80 of code page 1251
}

TEST_F(TextRuns, MissingGlyphSwitchesToTheFallbackFamilyAndBack) {
  TPdfFontTrueType& arial = Arial();
  Show(u"б");  // Arial's Unicode half is current
  uint16_t be = arial.GlyphOfWideChar(u'б');
  std::string out = Show(u"бشб");  // Arabic sheen: not in Liberation Sans, in DejaVu Sans
  auto* dejavu = static_cast<TPdfFontTrueType*>(doc_.Canvas().SelectFont({}, 0, 10, -1, doc_.FallbackFontIndex()));
  uint16_t sheen = dejavu->GlyphOfWideChar(u'ش');
  ASSERT_NE(sheen, 0);
  EXPECT_EQ(arial.GlyphOfWideChar(u'ش'), 0);
  char expected[200];
  std::snprintf(expected, sizeof expected, "<%04X> Tj\n/F3 10 Tf\n<%04X> Tj\n/F1 10 Tf\n<%04X> Tj\n", be, sheen, be);
  EXPECT_EQ(out, expected);
  // Ending in the fallback family puts the font asked for back in force.
  std::snprintf(expected, sizeof expected, "/F3 10 Tf\n<%04X> Tj\n/F0 10 Tf\n", sheen);
  EXPECT_EQ(Show(u"ش"), expected);
  EXPECT_EQ(Show(u"a"), "(a) Tj\n");
}

// A code past the font's glyphs, which the ToUnicode map names (see FallbackText).
TEST_F(TextRuns, WithoutFallbackAMissingGlyphGetsACodeOfItsOwn) {
  doc_.FallbackFontEnabled = false;
  TPdfFontTrueType& arial = Arial();
  char code[8];
  std::snprintf(code, sizeof code, "%04X", GlyphCount(arial.FontHandle->FileData()));
  EXPECT_EQ(Show(u"ش"), std::string("/F1 10 Tf\n<") + code + "> Tj\n");
}

TEST_F(TextRuns, NoFontNoText) { EXPECT_EQ(Show(u"abc"), ""); }

TEST_F(TextRuns, Type1FontWritesQuestionMarksForOtherCharacters) {
  doc_.SubstituteStandardFonts = true;
  doc_.Canvas().SelectFont("Helvetica", 0, 10);
  EXPECT_EQ(Show(u"aбc"), "(a?c) Tj\n");
}

// FreeType's advance of a character in thousandths of the em, rounded.
int FreeTypeWidth(const TRealizedFont& font, char32_t ch) {
  FT_Library lib;
  FT_Init_FreeType(&lib);
  FT_Face face;
  EXPECT_EQ(FT_New_Face(lib, font.Location().FilePath.c_str(), font.Location().FaceIndex, &face), 0);
  FT_Fixed advance = 0;
  FT_Get_Advance(face, FT_Get_Char_Index(face, ch), FT_LOAD_NO_SCALE, &advance);
  int w = static_cast<int>((advance * 1000 + face->units_per_EM / 2) / face->units_per_EM);
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
  return w;
}

TEST_F(TextRuns, WidthsAgreeWithFreeType) {
  TPdfFontTrueType& arial = Arial();
  for (char32_t ch : {U'A', U'W', U'ü', U'€', U'б', U'Ж', U'Ω', U'ש'})
    EXPECT_EQ(arial.WidthOfWideChar(static_cast<Char>(ch)), FreeTypeWidth(*arial.FontHandle, ch)) << static_cast<int>(ch);
  EXPECT_EQ(arial.WidthOfWideChar(u'ش'), 0);
  // Measuring marked the characters outside code page 1252 as used and made the Unicode half.
  EXPECT_NE(arial.UnicodeHalf, nullptr);
  EXPECT_EQ(arial.UsedWide.size(), 5u);
  // Unicode text width: the fallback family measures the Arabic letter.
  float w = doc_.Canvas().UnicodeTextWidth(u"Aش");
  auto* dejavu = static_cast<TPdfFontTrueType*>(doc_.Canvas().SelectFont({}, 0, 10, -1, doc_.FallbackFontIndex()));
  EXPECT_FLOAT_EQ(w, static_cast<float>(FreeTypeWidth(*arial.FontHandle, U'A') + FreeTypeWidth(*dejavu->FontHandle, U'ش')) / 100);
}

TEST(StandardFonts, TelltaleWidths) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.SubstituteStandardFonts = true;
  doc.AddPage();
  struct Case {
    const char* family;
    uint8_t style;
    char ch;
    int width;
  } cases[] = {{"Helvetica", 0, ' ', 278}, {"Helvetica", 0, '@', 1015}, {"Helvetica", 0, 'W', 944},
               {"Helvetica", fsBold, 'A', 722}, {"Times", 0, ' ', 250},   {"Times", 0, '@', 921},
               {"Times", 0, 'a', 444},          {"Times", fsItalic, 'A', 611}, {"Times", fsBold, '%', 1000},
               {"Courier", 0, 'i', 600},        {"Courier", fsBold, '\x80', 600}, {"Helvetica", 0, '\t', 0}};
  for (const Case& k : cases) {
    TPdfFont* f = doc.Canvas().SelectFont(k.family, k.style, 10);
    std::string text(1, k.ch);
    EXPECT_EQ(f->WidthOfAnsiChar(text, 1), k.width) << k.family << " " << k.ch;
  }
}

class TextDocuments : public testing::Test {
 protected:
  std::string Save(TPdfDocument& doc, const std::string& name) {
    std::string path = WENDREL_BUILD_DIR "/pdf-text-" + name;
    EXPECT_TRUE(doc.WriteToFile(Utf8ToString(path)));
    ExpectQpdfCheckPasses(path);
    return path;
  }
};

const char* const kLines[] = {"Latin: The quick brown fox", "Deutsch: Grüße aus Köln, Maß und Äpfel",
                              "Ελληνικά: Καλημέρα κόσμε", "Русский: Съешь же ещё этих булок",
                              "Arabic: مرحبا", "Hebrew: שלום עולם"};

TEST_F(TextDocuments, EmbeddedSubsetFontsGiveTheTextBack) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment(TestFamilies()));
  doc.SetFallbackFontIndex(doc.FindTrueTypeFont("DejaVu Sans"));
  doc.EmbedTrueTypeFonts = true;
  doc.AddPage();
  TPdfCanvas& c = doc.Canvas();
  c.SelectFont("Arial", 0, 14);
  double y = 780;
  for (const char* line : kLines) {
    c.Contents()->Writer().Add("BT\n72 ").AddRealWithSpace(y).Add("Td\n");
    AddUnicodeText(c.Contents()->Writer(), Utf8ToString(line), false, c);
    c.Contents()->Writer().Add("ET\n");
    y -= 24;
  }
  c.SelectFont("Times New Roman", fsBold | fsItalic, 12);
  c.DrawTextAt(72, 600, "Times (bold italic) \x80 5");
  std::string path = Save(doc, "scripts.pdf");

  TCommandResult fonts = RunCommand("pdffonts " + ShellQuote(path));
  ASSERT_EQ(fonts.ExitCode, 0) << fonts.Output;
  // name, type, encoding, emb, sub, uni: every font embedded, subset, with a ToUnicode map
  // (the WinAnsi halves too, so that no reader has to guess from glyph names).
  int lines = 0;
  std::istringstream in(fonts.Output);
  for (std::string line; std::getline(in, line);) {
    if (line.find('+') == std::string::npos) continue;
    ++lines;
    EXPECT_NE(line.find("yes yes yes"), std::string::npos) << line;
  }
  // Arial: both halves; DejaVu Sans: only its Unicode half (the Latin text after the Arabic
  // line stays in Arial); Times: the WinAnsi half.
  EXPECT_EQ(lines, 4) << fonts.Output;
  EXPECT_NE(fonts.Output.find("LiberationSans"), std::string::npos) << fonts.Output;
  EXPECT_NE(fonts.Output.find("LiberationSerif-BoldItalic"), std::string::npos) << fonts.Output;

  TCommandResult text = RunCommand("pdftotext -raw " + ShellQuote(path) + " -");
  ASSERT_EQ(text.ExitCode, 0);
  for (const char* line : {kLines[0], kLines[1], kLines[2], kLines[3]})
    EXPECT_NE(text.Output.find(line), std::string::npos) << line << "\n" << text.Output;
  EXPECT_NE(text.Output.find("Times (bold italic) € 5"), std::string::npos) << text.Output;
  // The Arabic and Hebrew letters come back (unshaped, in the order drawn).
  for (const char* word : {"مرحبا", "שלום"}) {
    String w = Utf8ToString(word), found = Utf8ToString(text.Output);
    String reversed(w.rbegin(), w.rend());
    EXPECT_TRUE(found.find(w) != String::npos || found.find(reversed) != String::npos) << word << "\n" << text.Output;
  }
  RunCommand("pdftoppm -r 60 -png -singlefile " + ShellQuote(path) + " " + ShellQuote(path.substr(0, path.size() - 4)));
}

TEST_F(TextDocuments, WidthsOfTheCodesUsedAndWholeFonts) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment(TestFamilies()));
  doc.CompressStreams = false;
  doc.EmbedTrueTypeFonts = true;
  doc.EmbedWholeFonts = true;
  doc.AddPage();
  auto* arial = static_cast<TPdfFontTrueType*>(doc.Canvas().SelectFont("Arial", 0, 10));
  doc.Canvas().DrawTextAt(10, 10, "CA");
  auto* times = static_cast<TPdfFontTrueType*>(doc.Canvas().SelectFont("Times New Roman", 0, 10));
  AddUnicodeText(doc.Canvas().Contents()->Writer(), u"б", false, doc.Canvas());  // only a glyph run
  std::string path = Save(doc, "widths.pdf");
  nlohmann::json objects = QpdfObjects(path);
  auto dict = [&](TPdfObject* o) { return objects.at("obj:" + std::to_string(o->ObjectNumber()) + " 0 R").at("value"); };
  nlohmann::json a = dict(arial->Dictionary);
  EXPECT_EQ(a.at("/FirstChar"), 65);
  EXPECT_EQ(a.at("/LastChar"), 67);
  EXPECT_EQ(a.at("/Widths"), nlohmann::json::array({arial->WidthOfCode('A'), 0, arial->WidthOfCode('C')}));
  // Referenced with no code used: still FirstChar, LastChar and Widths.
  nlohmann::json t = dict(times->Dictionary);
  EXPECT_EQ(t.at("/FirstChar"), 32);
  EXPECT_EQ(t.at("/Widths").size(), 1u);
  // The whole font file, with its length.
  std::string file = arial->FontHandle->FileData();
  auto* stream = arial->FontFile;
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(objects.at("obj:" + std::to_string(stream->ObjectNumber()) + " 0 R").at("stream").at("dict").at("/Length1"),
            file.size());
  nlohmann::json desc = dict(arial->Descriptor);
  EXPECT_EQ(desc.at("/FontName"), "/LiberationSans");
  EXPECT_EQ(desc.at("/ItalicAngle"), 0);
}

TEST_F(TextDocuments, ToUnicodeBlocksOfNinetyNine) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment(TestFamilies()));
  doc.CompressStreams = false;
  doc.AddPage();
  auto* dejavu = static_cast<TPdfFontTrueType*>(doc.Canvas().SelectFont("DejaVu Sans", 0, 10));
  String text;
  for (Char c = 0x0400; c < 0x0400 + 250; ++c) text += c;  // Cyrillic: DejaVu Sans has them all
  AddUnicodeText(doc.Canvas().Contents()->Writer(), text, false, doc.Canvas());
  std::string pdf = WriteToString(doc);
  EXPECT_NE(pdf.find("<0000> <FFFF>\nendcodespacerange\n99 beginbfchar\n"), std::string::npos);
  size_t second = pdf.find("endbfchar\n99 beginbfchar\n");
  ASSERT_NE(second, std::string::npos);
  EXPECT_NE(pdf.find("endbfchar\n52 beginbfchar\n", second + 1), std::string::npos);
  EXPECT_EQ(dejavu->UsedWide.size(), 250u);
}

TEST_F(TextDocuments, FixedPitchFontWritesOnlyTheDefaultWidth) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment(TestFamilies()));
  doc.CompressStreams = false;
  doc.AddPage();
  doc.Canvas().SelectFont("Courier New", 0, 10);
  AddUnicodeText(doc.Canvas().Contents()->Writer(), u"ж", false, doc.Canvas());
  std::string pdf = WriteToString(doc);
  EXPECT_NE(pdf.find("/DW 600"), std::string::npos);
  EXPECT_EQ(pdf.find("/W ["), std::string::npos);
}

}  // namespace

namespace {

TEST_F(TextDocuments, ShapedArabicAndHebrewGiveTheTextBack) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment(TestFamilies()));
  doc.SetFallbackFontIndex(doc.FindTrueTypeFont("DejaVu Sans"));
  doc.EmbedTrueTypeFonts = true;
  doc.ShapeComplexScripts = true;
  doc.AddPage();
  TPdfCanvas& c = doc.Canvas();
  c.SelectFont("Arial", 0, 14);
  const char* const lines[] = {"Arabic: مرحبا بالعالم", "Hebrew: שלום עולם", "Mixed: abc (שלום) def", "Latin only: Grüße"};
  double y = 780;
  for (const char* line : lines) {
    c.Contents()->Writer().Add("BT\n72 ").AddRealWithSpace(y).Add("Td\n");
    AddUnicodeText(c.Contents()->Writer(), Utf8ToString(line), false, c);
    c.Contents()->Writer().Add("ET\n");
    y -= 24;
  }
  std::string path = Save(doc, "shaped.pdf");
  // pdftotext puts right-to-left words between embedding marks (U+202B ... U+202C).
  TCommandResult text = RunCommand("pdftotext " + ShellQuote(path) + " -");
  ASSERT_EQ(text.ExitCode, 0);
  for (size_t at; (at = text.Output.find("\xE2\x80")) != std::string::npos && at + 2 < text.Output.size() &&
                  static_cast<unsigned char>(text.Output[at + 2]) >= 0xAA && static_cast<unsigned char>(text.Output[at + 2]) <= 0xAE;)
    text.Output.erase(at, 3);
  for (const char* line : {lines[0], lines[1], lines[3]})
    EXPECT_NE(text.Output.find(line), std::string::npos) << line << "\n" << text.Output;
  // Mixed directions: pdftotext moves the neutral characters next to the Hebrew word about,
  // but every word comes back whole.
  for (const char* word : {"Mixed: abc (", "שלום", "def"})
    EXPECT_NE(text.Output.find(word), std::string::npos) << word << "\n" << text.Output;
  // The Arabic letters were shaped into their joining forms: no isolated form of the
  // unshaped text is drawn, the glyphs differ from the font's own characters' glyphs.
  auto* dejavu = static_cast<TPdfFontTrueType*>(c.SelectFont({}, 0, 14, -1, doc.FallbackFontIndex()));
  EXPECT_FALSE(dejavu->ShapedGlyphs.empty());
  RunCommand("pdftoppm -r 60 -png -singlefile " + ShellQuote(path) + " " + ShellQuote(path.substr(0, path.size() - 4)));
}

}  // namespace

namespace {

TEST_F(TextDocuments, CjkFromACollectionMemberIsEmbeddedAsAStandaloneSubset) {
  const char* family = "WenQuanYi Micro Hei";
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment({u"Arial", Utf8ToString(family)}));
  if (doc.FindTrueTypeFont(family) < 0 || !IsFontInstalled(Utf8ToString(family))) GTEST_SKIP() << "fonts-wqy-microhei";
  doc.SetFallbackFontIndex(doc.FindTrueTypeFont(family));
  doc.EmbedTrueTypeFonts = true;
  doc.AddPage();
  TPdfCanvas& c = doc.Canvas();
  c.SelectFont("Arial", 0, 14);
  c.Contents()->Writer().Add("BT\n72 780 Td\n");
  AddUnicodeText(c.Contents()->Writer(), u"CJK: 中文测试, 日本語", false, c);
  c.Contents()->Writer().Add("ET\n");
  std::string path = Save(doc, "cjk.pdf");
  TCommandResult fonts = RunCommand("pdffonts " + ShellQuote(path));
  EXPECT_NE(fonts.Output.find("+WenQuanYiMicroHei"), std::string::npos) << fonts.Output;
  EXPECT_NE(fonts.Output.find("CID TrueType      Identity-H       yes yes yes"), std::string::npos) << fonts.Output;
  TCommandResult text = RunCommand("pdftotext " + ShellQuote(path) + " -");
  EXPECT_NE(text.Output.find("CJK: 中文测试, 日本語"), std::string::npos) << text.Output;
}

}  // namespace

namespace {

TEST_F(TextRuns, ShapedGlyphsGoThroughTheUsedRecord) {
  TPdfFontTrueType& arial = Arial();
  uint16_t a = static_cast<uint16_t>(arial.FontHandle->GlyphIndex(U'б'));
  uint16_t glyphs[] = {a, 0xFFF0};  // the second is no glyph of any character
  TPdfStream* s = doc_.Canvas().Contents();
  s->ClearContent();
  AddGlyphs(s->Writer(), glyphs, 2, doc_.Canvas());
  char expected[64];
  std::snprintf(expected, sizeof expected, "/F1 10 Tf\n<%04X0000> Tj\n", a);
  EXPECT_EQ(s->Writer().ContentText(), expected);
  EXPECT_EQ(arial.UsedWide, std::vector<char32_t>{U'б'});
}

TEST_F(TextRuns, SelectFontByLogFontReusesTheFontOfTheSameDescription) {
  TLogFont lf;
  lf.lfFaceName = u"arial";
  lf.lfWeight = FW_BOLD;
  TPdfFont* bold = doc_.Canvas().SelectFontByLogFont(lf, 12);
  ASSERT_NE(bold, nullptr);
  EXPECT_EQ(static_cast<TPdfFontTrueType*>(bold)->Style, fsBold);
  EXPECT_EQ(bold->Name, "LiberationSans-Bold");
  lf.lfWeight = FW_SEMIBOLD;
  EXPECT_EQ(doc_.Canvas().SelectFontByLogFont(lf, 12), bold);  // 600 counts as bold
  lf.lfItalic = 1;
  EXPECT_NE(doc_.Canvas().SelectFontByLogFont(lf, 12), bold);
}

TEST(PdfA1Text, AMissingGlyphWithoutFallbackFamilyRaises) {
  TPdfDocument doc(false, 0, true, FixedPdfEnvironment({u"Arial"}));
  doc.AddPage();
  doc.Canvas().SelectFont("Arial", 0, 10);
  TPdfWrite& w = doc.Canvas().Contents()->Writer();
  EXPECT_NO_THROW(AddUnicodeText(w, u"б", false, doc.Canvas()));
  EXPECT_THROW(AddUnicodeText(w, u"ش", false, doc.Canvas()), Exception);
}

TEST(CodePageText, NonAnsiDocumentsConvertTextForTrueTypeFontsAndHexForOthers) {
  TPdfDocument doc(false, 1251, false, FixedPdfEnvironment({u"Arial"}));
  doc.CompressStreams = false;
  doc.SubstituteStandardFonts = true;
  doc.AddPage();
  TPdfCanvas& c = doc.Canvas();
  auto* arial = static_cast<TPdfFontTrueType*>(c.SelectFont("Arial", 0, 10));
  TPdfStream* s = c.Contents();
  s->ClearContent();
  c.ShowText("\xC0\xE1 ok");  // "Аб ok" in code page 1251
  char expected[80];
  std::snprintf(expected, sizeof expected, "/F1 10 Tf\n<%04X%04X> Tj\n/F0 10 Tf\n( ok) Tj\n", arial->GlyphOfWideChar(u'А'),
                arial->GlyphOfWideChar(u'б'));
  EXPECT_EQ(s->Writer().ContentText(), expected);
}

TEST_F(TextDocuments, StandardFontsAreReferencedWithoutWidthsAndItalicAngleIsInDegrees) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment(TestFamilies()));
  doc.CompressStreams = false;
  doc.SubstituteStandardFonts = true;
  doc.EmbedTrueTypeFonts = true;
  doc.EmbedExcludedFonts = {"Times New Roman"};
  doc.AddPage();
  doc.Canvas().SelectFont("Times", fsItalic, 10);
  doc.Canvas().DrawTextAt(10, 10, "Type1");
  doc.SubstituteStandardFonts = false;
  auto* times = static_cast<TPdfFontTrueType*>(doc.Canvas().SelectFont("Times New Roman", fsItalic, 10));
  doc.Canvas().DrawTextAt(10, 30, "TrueType");
  std::string path = Save(doc, "standard.pdf");
  nlohmann::json objects = QpdfObjects(path);
  nlohmann::json type1 = objects.at("obj:" + std::to_string(doc.FontList()[0]->Dictionary->ObjectNumber()) + " 0 R").at("value");
  EXPECT_EQ(type1.at("/BaseFont"), "/Times-Italic");
  EXPECT_FALSE(type1.contains("/Widths"));
  nlohmann::json desc = objects.at("obj:" + std::to_string(times->Descriptor->ObjectNumber()) + " 0 R").at("value");
  EXPECT_EQ(desc.at("/ItalicAngle"), times->OutlineMetric.otmItalicAngle);
  EXPECT_LT(desc.at("/ItalicAngle").get<int>(), -5);
  EXPECT_GT(desc.at("/ItalicAngle").get<int>(), -30);
  EXPECT_FALSE(desc.contains("/FontFile2"));  // excluded from embedding
  TCommandResult fonts = RunCommand("pdffonts " + ShellQuote(path));
  EXPECT_NE(fonts.Output.find("Times-Italic"), std::string::npos);
  EXPECT_NE(fonts.Output.find("LiberationSerif-Italic               TrueType          WinAnsi          no  no  no"),
            std::string::npos) << fonts.Output;
  TCommandResult text = RunCommand("pdftotext " + ShellQuote(path) + " -");
  EXPECT_NE(text.Output.find("Type1"), std::string::npos);
  EXPECT_NE(text.Output.find("TrueType"), std::string::npos);
}

}  // namespace
