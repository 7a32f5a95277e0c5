// A metafile whose text in Liberation Sans holds characters that font lacks, some beyond the
// Basic Multilingual Plane, rendered into a whole document on this machine's fonts: every
// character comes back from the file, and pdftoppm's raster of the page agrees with the
// metafile player's (both draw the lacking characters in the same fallback families).
#include <gtest/gtest.h>

#include <sstream>

#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/fonts/FontResolver.h"
#include "platform/gdi/metafile/EmfPlayer.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Unicode.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/TempDirectory.h"

namespace {

TEST(TextFallbackDocument, EveryCharacterComesBackFromTheFile) {
  const String line = u"Snow \u2603 smile \U0001F600 CJK \u4E2D\u6587 end";
  TMetafileRecorder recorder;
  TLogFont lf;
  lf.lfHeight = -24;
  lf.lfFaceName = u"Arial";
  recorder.SelectFont(TFontHandle::Create(lf));
  recorder.TextOut(10, 20, line);
  TMetafile metafile;
  metafile.SetData(recorder.Finish(600, 100));

  TPdfDocument doc(false, 0, false, DefaultPdfEnvironment());
  doc.EmbedTrueTypeFonts = true;
  doc.AddPage();
  RenderEmfToCanvas(doc.Canvas(), metafile, 1, 0, 0);
  std::string path = WENDREL_BUILD_DIR "/pdf-emf-fallback.pdf";
  ASSERT_TRUE(doc.WriteToFile(Utf8ToString(path)));
  ExpectQpdfCheckPasses(path);

  TCommandResult fonts = RunCommand("pdffonts " + ShellQuote(path));
  ASSERT_EQ(fonts.ExitCode, 0) << fonts.Output;
  bool dejavu = false, cjk = false;
  std::istringstream in(fonts.Output);
  for (std::string l; std::getline(in, l);) {
    if (l.find("CID TrueType") == std::string::npos) continue;
    EXPECT_NE(l.find("yes yes yes"), std::string::npos) << "embedded subset with ToUnicode: " << l;
    dejavu = dejavu || l.find("+DejaVuSans ") != std::string::npos;
    cjk = cjk || l.find("+WenQuanYiMicroHei") != std::string::npos;
  }
  EXPECT_TRUE(dejavu) << fonts.Output;
  if (IsFontInstalled(u"WenQuanYi Micro Hei")) {
    EXPECT_TRUE(cjk) << fonts.Output;
  }
  TCommandResult text = RunCommand("pdftotext " + ShellQuote(path) + " -");
  EXPECT_NE(text.Output.find(StringToUtf8(line)), std::string::npos) << text.Output;
}

TEST(TextFallbackDocument, RasterOfThePageAgreesWithTheMetafilePlayer) {
  constexpr int kWidth = 560, kHeight = 60;
  const String line = u"Greek \u03B1\u03B2\u03B3 Cyrillic \u0416\u0434 \u2603\u2713\u21E8 \u4E2D\u6587 \U0001F600 end";
  TMetafileRecorder recorder;
  TLogFont lf;
  lf.lfHeight = -24;
  lf.lfFaceName = u"Arial";
  recorder.SelectFont(TFontHandle::Create(lf));
  recorder.SetBkMode(TRANSPARENT);
  recorder.SetTextAlign(TA_BASELINE);  // (top-aligned text lands 2 pixels higher on the page)
  recorder.TextOut(10, 40, line);
  const std::string emf = recorder.Finish(kWidth, kHeight);
  TPixelImage expected(kWidth, kHeight);
  TRasterDC raster(expected.Buffer());
  PlayEnhMetafile(raster, emf, {0, 0, kWidth, kHeight});

  TTempDirectory dir;
  TPdfDocument doc(false, 0, false, DefaultPdfEnvironment());
  doc.EmbedTrueTypeFonts = true;
  doc.AddPage();
  TMetafile metafile;
  metafile.SetData(emf);
  RenderEmfToCanvas(doc.Canvas(), metafile, 1, 0, 0);
  const std::string pdf = dir.PathOf("fallback.pdf");
  ASSERT_TRUE(doc.WriteToFile(Utf8ToString(pdf)));
  const std::string ppm = dir.PathOf("page");
  TCommandResult run = RunCommand("pdftoppm -r 96 -aa no -aaVector no -x 0 -y 0 -W " + std::to_string(kWidth) + " -H " +
                                  std::to_string(kHeight) + " -singlefile " + ShellQuote(pdf) + " " + ShellQuote(ppm));
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const TTestPicture actual = ReadPictureFile(ppm + ".ppm");
  const TTestPicture player = PictureOf(expected);
  ASSERT_EQ(actual.Width, kWidth);
  // The page is not anti-aliased and the player is: compare the ink (pixels darker than
  // mid-grey), allowing an edge to fall on the neighbouring pixel. A glyph drawn otherwise
  // (a missing-glyph box), or text moved by a different advance, leaves far more ink alone.
  const auto ink = [](const TTestPicture& picture, int x, int y) {
    const uint32_t c = picture.Rgb(x, y);
    return ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) < 3 * 128;
  };
  const auto alone = [&](const TTestPicture& from, const TTestPicture& in, int& total) {
    int count = 0;
    for (int y = 1; y + 1 < kHeight; ++y)
      for (int x = 1; x + 1 < kWidth; ++x) {
        if (!ink(from, x, y)) continue;
        ++total;
        bool near = false;
        for (int dy = -1; dy <= 1 && !near; ++dy)
          for (int dx = -1; dx <= 1 && !near; ++dx) near = ink(in, x + dx, y + dy);
        count += !near;
      }
    return count;
  };
  int playerInk = 0, pageInk = 0;
  const int playerAlone = alone(player, actual, playerInk), pageAlone = alone(actual, player, pageInk);
  EXPECT_GT(playerInk, 1000);
  EXPECT_LE(playerAlone, playerInk / 50) << playerAlone << " of " << playerInk;
  EXPECT_LE(pageAlone, pageInk / 50) << pageAlone << " of " << pageInk;
  // The ink of the last word begins at the same column on both.
  const auto firstInkFrom = [](const TTestPicture& picture, int x0) {
    for (int x = x0; x < picture.Width; ++x)
      for (int y = 0; y < picture.Height; ++y)
        if (picture.Rgb(x, y) != 0xFFFFFF) return x;
    return -1;
  };
  TMeasureDC measure;
  measure.SelectFont(TFontHandle::Create(lf));
  const int endColumn = 10 + measure.GetTextExtentPoint32(line.substr(0, line.size() - 3)).cx;
  EXPECT_NEAR(firstInkFrom(actual, endColumn - 2), firstInkFrom(player, endColumn - 2), 1);
}

}  // namespace
