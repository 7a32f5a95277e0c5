// The text layer of a page drawn from a metafile on this machine's fonts, read back with
// poppler's tools: invisible formatting characters leave no gap, characters no font has stay
// in the text, and every embedded subset has a tag of its own.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Unicode.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/support/PdfWords.h"
#include "tests/support/TempDirectory.h"

namespace {

struct TLine {
  const char16_t* Face;
  std::u16string Text;
};

// The lines drawn one below the other at 16 pixels, rendered into a file on this machine's
// fonts (with its fallback families).
std::string RenderLines(const std::vector<TLine>& lines, const TTempDirectory& dir, const std::string& name) {
  TMetafileRecorder recorder;
  int y = 10;
  for (const TLine& line : lines) {
    TLogFont lf;
    lf.lfHeight = -16;
    lf.lfFaceName = line.Face;
    recorder.SelectFont(TFontHandle::Create(lf));
    recorder.TextOut(10, y, line.Text);
    y += 24;
  }
  TMetafile metafile;
  metafile.SetData(recorder.Finish(600, y));
  TPdfDocument doc(false, 0, false, DefaultPdfEnvironment());
  doc.EmbedTrueTypeFonts = true;
  doc.AddPage();
  RenderEmfToCanvas(doc.Canvas(), metafile, 1, 0, 0);
  const std::string path = dir.PathOf(name);
  EXPECT_TRUE(doc.WriteToFile(Utf8ToString(path)));
  ExpectQpdfCheckPasses(path);
  return path;
}

// pdffonts' font names, each with its object number.
std::vector<std::string> FontNames(const std::string& pdf) {
  TCommandResult fonts = RunCommand("pdffonts " + ShellQuote(pdf));
  EXPECT_EQ(fonts.ExitCode, 0) << fonts.Output;
  std::vector<std::string> names;
  std::istringstream in(fonts.Output);
  std::string line;
  std::getline(in, line);
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name;
    if (fields >> name) names.push_back(name);
  }
  return names;
}

TEST(TextLayer, ZeroWidthSpacesTheFontLacksLeaveNoGap) {
  TTempDirectory dir;
  TMetafileRecorder measure;
  TLogFont lf;
  lf.lfHeight = -16;
  lf.lfFaceName = u"Courier New";
  measure.SelectFont(TFontHandle::Create(lf));
  const int pitch = measure.GetTextExtentPoint32(u"M").cx;
  EXPECT_EQ(measure.GetTextExtentPoint32(u"A\u200BB\u2060C").cx, 3 * pitch) << "the screen gives them no room";

  std::string pdf = RenderLines({{u"Courier New", u"ARRAY_\u200BMAX_\u200BCARDINALITY"}, {u"Courier New", u"x\u2060y\u2060z"}}, dir, "zwsp.pdf");
  for (const std::string& name : FontNames(pdf)) EXPECT_NE(name.find("+LiberationMono"), std::string::npos) << name;
  std::vector<TPdfWord> words = PdfWords(pdf);
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0].Text, "ARRAY_MAX_CARDINALITY");
  EXPECT_NEAR(words[0].XMax - words[0].XMin, 21 * pitch * 0.75, 0.2);
  EXPECT_EQ(words[1].Text, "xyz");
  EXPECT_NEAR(words[1].XMax - words[1].XMin, 3 * pitch * 0.75, 0.2);
}

// A rune and an X-ray emoji, which no font of the test machines has: not drawn, but in the
// text.
TEST(TextLayer, CharactersNoFontHasStayInTheText) {
  TTempDirectory dir;
  const std::u16string line = u"Rune \u16A0 ray \U0001FA7B end";
  std::string pdf = RenderLines({{u"Arial", line}, {u"Times New Roman", u"serif \u16A0"}}, dir, "missing.pdf");
  TCommandResult text = RunCommand("pdftotext " + ShellQuote(pdf) + " -");
  ASSERT_EQ(text.ExitCode, 0) << text.Output;
  EXPECT_NE(text.Output.find(StringToUtf8(line)), std::string::npos) << text.Output;
  EXPECT_NE(text.Output.find(StringToUtf8(u"serif \u16A0")), std::string::npos) << text.Output;
}

// Two families with the same characters, the same family with other characters in another
// file: every subset its own tag (both halves of one font share its subset and tag). The same
// subset in another file has the same tag.
TEST(TextLayer, SubsetsThatDifferHaveDifferentTags) {
  TTempDirectory dir;
  auto tags = [](const std::string& pdf) {
    std::map<std::string, std::set<std::string>> byFont;  // base name: tags
    for (const std::string& name : FontNames(pdf)) {
      size_t plus = name.find('+');
      EXPECT_EQ(plus, 6u) << name;
      if (plus == 6) byFont[name.substr(7)].insert(name.substr(0, 6));
    }
    return byFont;
  };
  auto first = tags(RenderLines({{u"Arial", u"abc \u2192"}, {u"Times New Roman", u"abc \u2192"}}, dir, "a.pdf"));
  auto again = tags(RenderLines({{u"Arial", u"abc \u2192"}, {u"Times New Roman", u"abc \u2192"}}, dir, "b.pdf"));
  auto other = tags(RenderLines({{u"Arial", u"abd \u2192"}, {u"Times New Roman", u"abc \u2192"}}, dir, "c.pdf"));
  ASSERT_EQ(first.size(), 2u);
  ASSERT_EQ(first["LiberationSans"].size(), 1u);
  ASSERT_EQ(first["LiberationSerif"].size(), 1u);
  EXPECT_NE(*first["LiberationSans"].begin(), *first["LiberationSerif"].begin());
  EXPECT_EQ(first, again);
  EXPECT_NE(other["LiberationSans"], first["LiberationSans"]);
  EXPECT_EQ(other["LiberationSerif"], first["LiberationSerif"]);
}

}  // namespace
