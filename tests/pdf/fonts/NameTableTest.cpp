#include "pdf/fonts/NameTable.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/gdi/fonts/FreeTypeLibrary.h"
#include "platform/gdi/fonts/RealizedFont.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "tests/pdf/PdfTestTools.h"

namespace {

constexpr uint32_t kName = 0x656D616E;

// FreeType reads the PostScript name of the same font file: the oracle.
TEST(NameTable, PostScriptNamesAgreeWithFreeType) {
  for (const char16_t* face : {u"Liberation Sans", u"Liberation Serif", u"Liberation Mono", u"DejaVu Sans"}) {
    for (int weight : {400, 700}) {
      TLogFont lf;
      lf.lfFaceName = face;
      lf.lfHeight = -1000;
      lf.lfWeight = weight;
      TRealizedFont font(lf);
      std::string expected;
      {
        std::lock_guard lock(font.FaceMutex());
        const char* ps = FT_Get_Postscript_Name(font.Face());
        ASSERT_NE(ps, nullptr);
        expected = ps;
      }
      EXPECT_EQ(PostScriptNameFromNameTable(font.TableData(kName)), expected) << StringToUtf8(face);
    }
  }
}

// A table of one record: name id, platform and the string's bytes.
std::string Table(uint16_t platform, uint16_t nameId, const std::string& text, int lengthFudge = 0) {
  auto w = [](uint16_t v) { return std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}; };
  std::string t = w(0) + w(1) + w(18);
  t += w(platform) + w(platform == 3 ? 1 : 0) + w(0) + w(nameId) +
       w(static_cast<uint16_t>(text.size() + lengthFudge)) + w(0);
  return t + text;
}

TEST(NameTable, RecordsAndDamagedTables) {
  const std::string utf16 = std::string("\0T\0\xFC\0x", 6);  // "Tüx"
  struct Case {
    std::string table;
    std::string name;
  } cases[] = {
      {Table(3, 6, utf16), "T\xFCx"},
      {Table(0, 6, utf16), "T\xFCx"},
      {Table(1, 6, "MacName"), "MacName"},
      {Table(3, 4, utf16), ""},          // the full name, not the PostScript name
      {Table(3, 6, utf16, 40), ""},      // the string runs past the table
      {Table(3, 6, utf16).substr(0, 10), ""},  // the record itself is cut
      {"", ""},
      {std::string("\0\0\xFF\xFF\0\0", 6), ""},  // 65535 records announced, none there
  };
  for (const auto& c : cases) EXPECT_EQ(PostScriptNameFromNameTable(c.table), c.name);
}

TEST(NameTable, DocumentUsesItOnlyForNonAsciiFamilies) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment({u"Liberation Sans", u"Lib\u00E9ration Sans"}));
  TLogFont lf;
  lf.lfFaceName = u"Liberation Sans";
  lf.lfHeight = -1000;
  int ascii = doc.FindTrueTypeFont("Liberation Sans");
  int accented = doc.FindTrueTypeFont("Lib\xC3\xA9ration Sans");
  ASSERT_GE(ascii, 0);
  ASSERT_GE(accented, 0);
  EXPECT_EQ(doc.TrueTypeFontPostScriptName(ascii, fsBold, lf), "LiberationSans,Bold");
  EXPECT_EQ(doc.TrueTypeFontPostScriptName(accented, fsBold, lf), "LiberationSans");
}

}  // namespace
