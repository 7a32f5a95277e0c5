// Text runs drawn in the slots the layout measured for them, as a page draws them at screen
// sizes (where the screen's whole-pixel advances differ most from the font's widths): each run
// ends where its advances end, so the space before the next run stays visible, and
// preformatted text keeps its columns. Positions are read back with pdftotext -bbox.
#include <gtest/gtest.h>

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

TLogFont Font(const char16_t* face, int height) {
  TLogFont lf;
  lf.lfHeight = height;
  lf.lfFaceName = face;
  return lf;
}

struct TRun {
  const char16_t* Face;
  std::u16string Text;
};

// The runs drawn one after the other on a line at y, each where the recorder's advances of
// the runs before it end (as a line of the layout is drawn); the x of every run's start.
std::vector<int> DrawLine(TMetafileRecorder& recorder, int x, int y, int height, const std::vector<TRun>& runs) {
  std::vector<int> starts;
  for (const TRun& run : runs) {
    recorder.SelectFont(TFontHandle::Create(Font(run.Face, height)));
    starts.push_back(x);
    recorder.TextOut(x, y, run.Text);
    x += recorder.GetTextExtentPoint32(run.Text).cx;
  }
  starts.push_back(x);
  return starts;
}

std::vector<TPdfWord> RenderedWords(const std::string& emf, const TTempDirectory& dir) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment({u"Arial", u"Courier New", u"Times New Roman"}));
  doc.EmbedTrueTypeFonts = true;
  doc.AddPage();
  TMetafile metafile;
  metafile.SetData(emf);
  RenderEmfToCanvas(doc.Canvas(), metafile, 1, 0, 0);
  const std::string pdf = dir.PathOf("runs.pdf");
  EXPECT_TRUE(doc.WriteToFile(Utf8ToString(pdf)));
  return PdfWords(pdf);
}

struct TSlotCase {
  const char* Name;
  const char16_t* Face;
  int Height;
  std::vector<TRun> Runs;
};

class RunSlots : public ::testing::TestWithParam<TSlotCase> {};

// Each run is one word followed by a space, the last one without: a word with a space leaves
// at least half the space's width before the next run, the last ends within a tenth of a
// point of where its slot ends, and pdftotext keeps the words apart.
TEST_P(RunSlots, EveryRunEndsWhereItsAdvancesEnd) {
  const TSlotCase& c = GetParam();
  TMetafileRecorder recorder;
  std::vector<int> starts = DrawLine(recorder, 10, 20, c.Height, c.Runs);
  std::vector<int> spaceWidths;
  for (const TRun& run : c.Runs) {
    recorder.SelectFont(TFontHandle::Create(Font(run.Face, c.Height)));
    spaceWidths.push_back(run.Text.back() == u' ' ? recorder.GetTextExtentPoint32(u" ").cx : 0);
  }
  TTempDirectory dir;
  std::vector<TPdfWord> words = RenderedWords(recorder.Finish(800, 100), dir);
  ASSERT_EQ(words.size(), c.Runs.size());
  for (size_t i = 0; i < words.size(); ++i) {
    std::u16string word = c.Runs[i].Text;
    while (!word.empty() && word.back() == u' ') word.pop_back();
    EXPECT_EQ(words[i].Text, StringToUtf8(word));
    EXPECT_NEAR(words[i].XMin, starts[i] * 0.75, 0.1) << words[i].Text;
    if (spaceWidths[i] == 0)
      EXPECT_NEAR(words[i].XMax, starts[i + 1] * 0.75, 0.1) << words[i].Text;
    else
      EXPECT_LE(words[i].XMax, (starts[i + 1] - spaceWidths[i] / 2.0) * 0.75) << words[i].Text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunSlots,
    ::testing::Values(
        TSlotCase{"ProseBeforeCode", u"Arial", -13, {{u"Arial", u"granting "}, {u"Courier New", u"CREATE "}, {u"Arial", u"privilege"}}},
        TSlotCase{"LinkAfterWord", u"Times New Roman", -16, {{u"Times New Roman", u"without "}, {u"Arial", u"ADMIN "}, {u"Times New Roman", u"option"}}},
        TSlotCase{"SmallSerif", u"Times New Roman", -11, {{u"Times New Roman", u"Mammoth "}, {u"Times New Roman", u"willowherb"}}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Preformatted lines in a fixed-pitch font: every word starts at its column, whatever the
// spaces before it, as on the screen.
TEST(PreformattedRuns, KeepTheirColumns) {
  const std::u16string lines[] = {u"int main(void) {", u"    return table[index];", u"x       yy      zzz", u"}"};
  TMetafileRecorder recorder;
  recorder.SelectFont(TFontHandle::Create(Font(u"Courier New", -13)));
  const int pitch = recorder.GetTextExtentPoint32(u"m").cx;
  int y = 10;
  for (const std::u16string& line : lines) {
    recorder.TextOut(10, y, line);
    y += 16;
  }
  TTempDirectory dir;
  std::vector<TPdfWord> words = RenderedWords(recorder.Finish(800, 100), dir);
  size_t w = 0;
  for (const std::u16string& line : lines)
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == u' ' || (i > 0 && line[i - 1] != u' ')) continue;
      ASSERT_LT(w, words.size());
      EXPECT_NEAR(words[w].XMin, (10 + static_cast<int>(i) * pitch) * 0.75, 0.1) << words[w].Text << " in " << StringToUtf8(line);
      ++w;
    }
  EXPECT_EQ(w, words.size());
}

}  // namespace
