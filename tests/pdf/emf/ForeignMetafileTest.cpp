// Metafiles from an independent writer: pstoedit turns a PostScript page into an enhanced
// metafile (map modes, ANSI text records, poly-polygons). The PDF passes qpdf, pdftotext reads
// the text back, and pdftoppm finds the shapes in their colours on the page.
#include <gtest/gtest.h>

#include <fstream>

#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/rtl/Unicode.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/pdf/emf/EmfTestTools.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempDirectory.h"

namespace {

constexpr const char* kPostScript = R"(%!PS
/Helvetica findfont 24 scalefont setfont
20 120 moveto (Hello from PostScript) show
1 0 0 setrgbcolor 20 60 120 40 rectfill
0 0 1 setrgbcolor 4 setlinewidth 160 20 moveto 260 100 lineto 200 20 lineto closepath stroke
0 0.5 0 setrgbcolor newpath 300 60 30 0 360 arc fill
showpage
)";

TEST(ForeignMetafiles, APostScriptPageConvertedByPstoedit) {
  TTempDirectory dir;
  dir.WriteFile("page.ps", kPostScript);
  TCommandResult convert = RunCommand("pstoedit -q -f emf " + ShellQuote(dir.PathOf("page.ps")) + " " +
                                      ShellQuote(dir.PathOf("page.emf")));
  ASSERT_EQ(convert.ExitCode, 0) << convert.Output;
  TMetafile metafile;
  metafile.SetData(dir.ReadFile("page.emf"));

  TPdfDocument doc(false, 0, false, FixedPdfEnvironment({u"Arial", u"Courier New", u"Times New Roman"}));
  doc.AddPage();
  RenderEmfToCanvas(doc.Canvas(), metafile, 1, 0, 0);
  std::string pdf = dir.PathOf("page.pdf");
  ASSERT_TRUE(doc.WriteToFile(Utf8ToString(pdf)));
  ExpectQpdfCheckPasses(pdf);

  TCommandResult text = RunCommand("pdftotext " + ShellQuote(pdf) + " -");
  EXPECT_NE(text.Output.find("Hello from PostScript"), std::string::npos) << text.Output;

  // The drawing lands on the page: pdftoppm finds the red, blue and green shapes.
  TCommandResult run = RunCommand("pdftoppm -r 96 -aa no -aaVector no -singlefile " + ShellQuote(pdf) + " " + ShellQuote(dir.PathOf("page")));
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  TTestPicture page = ReadPictureFile(dir.PathOf("page.ppm"));
  int red = 0, blue = 0, green = 0;
  for (int y = 0; y < page.Height; ++y)
    for (int x = 0; x < page.Width; ++x) {
      uint32_t p = page.Rgb(x, y);
      red += p == 0xFF0000;
      blue += p == 0x0000FF;
      green += p == 0x008000 || p == 0x007F00;
    }
  EXPECT_GT(red, 100);
  EXPECT_GT(blue, 50);
  EXPECT_GT(green, 100);
}

}  // namespace
