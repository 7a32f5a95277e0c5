// A metafile whose text in Liberation Sans holds characters that font lacks, some beyond the
// Basic Multilingual Plane, rendered into a whole document on this machine's fonts: every
// character comes back from the file.
#include <gtest/gtest.h>

#include <sstream>

#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/fonts/FontResolver.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Unicode.h"
#include "tests/pdf/PdfTestTools.h"

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

}  // namespace
