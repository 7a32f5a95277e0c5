// Font selection of TPdfCanvas: standard Type1 substitutes, TrueType families with their
// substitution chain, and text measurement.
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/document/PdfPage.h"
#include "pdf/fonts/FontLookup.h"
#include "pdf/fonts/PdfFontTrueType.h"
#include "pdf/fonts/PdfFontType1.h"
#include "pdf/helpers/TextHelpers.h"

namespace {

struct TStandardPair {
  const char* Standard;
  const char* Windows;
};
constexpr TStandardPair kStandardPairs[] = {{"Helvetica", "Arial"}, {"Courier", "Courier New"}, {"Times", "Times New Roman"}};

struct TPrefixSubstitute {
  const char* Prefix;
  const char* Family;
};
constexpr TPrefixSubstitute kPrefixes[] = {{"HELVETICA", "Arial"}, {"COURIER", "Courier New"}, {"TIMES", "Times New Roman"}};

}  // namespace

TPdfFont* TPdfCanvas::SelectFont(std::string_view familyUtf8, uint8_t style, float size, int charSet, int fontIndex,
                                 bool fixedPitch) {
  int index = fontIndex;
  if (fontIndex < 0) {
    if (doc_.CharSet() == 0 && doc_.SubstituteStandardFonts) {
      for (const TStandardPair& pair : kStandardPairs) {
        if (CompareAsciiNoCase(familyUtf8, pair.Standard) != 0 && CompareAsciiNoCase(familyUtf8, pair.Windows) != 0)
          continue;
        std::string name = pair.Standard;
        if ((style & fsBold) && (style & fsItalic))
          name += "-BoldOblique";
        else if (style & fsBold)
          name += "-Bold";
        else if (style & fsItalic)
          name += "-Oblique";
        const TStandardFont* standard = FindStandardFont(name);
        TPdfFont* font = doc_.FindFontByName(standard->BaseFont);
        if (font == nullptr) font = CreateStandardType1Font(doc_, name);
        if (font != nullptr) {
          SetFontAndSize(font, size);
          return font;
        }
      }
    }
    if (!LastSubstitutedName.empty() && LastSubstitutedName == familyUtf8) {
      index = LastSubstitutedIndex;
    } else {
      index = doc_.FindTrueTypeFont(familyUtf8);
      if (index < 0) {
        if (fixedPitch) index = doc_.FindTrueTypeFont("Courier New");
        for (const TPrefixSubstitute& p : kPrefixes)
          if (index < 0 && StartsWithUpper(familyUtf8, p.Prefix)) index = doc_.FindTrueTypeFont(p.Family);
        if (index < 0) index = doc_.FallbackFontIndex();
        if (index < 0) index = doc_.FindTrueTypeFont("Arial");
        if (index < 0) return nullptr;
        LastSubstitutedName = std::string(familyUtf8);
        LastSubstitutedIndex = index;
      }
    }
  }
  if (index < 0 || static_cast<size_t>(index) >= doc_.TrueTypeFontNames().size()) return nullptr;
  if (charSet < 0) charSet = doc_.CharSet();

  TPdfFont* font = FindTrueTypeFontByIndex(doc_, index + 1, style, charSet);
  if (font == nullptr) {
    TLogFont lf;
    lf.lfHeight = -1000;
    lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = static_cast<uint8_t>(charSet);
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lf.lfFaceName = Utf8ToString(doc_.TrueTypeFontNames()[static_cast<size_t>(index)]);
    font = &TPdfFontTrueType::Create(doc_, nullptr, lf, style, index);
  }
  if (fontIndex < 0) SetFontAndSize(font, size);
  return font;
}

TPdfFont* TPdfCanvas::SelectFontByLogFont(const TLogFont& logFont, float size) {
  if (TPdfFont* font = FindTrueTypeFontByLogFont(doc_, logFont)) {
    SetFontAndSize(font, size);
    return font;
  }
  uint8_t style = static_cast<uint8_t>((logFont.lfWeight >= FW_SEMIBOLD ? fsBold : 0) | (logFont.lfItalic ? fsItalic : 0) |
                                       (logFont.lfUnderline ? fsUnderline : 0) | (logFont.lfStrikeOut ? fsStrikeOut : 0));
  return SelectFont(StringToUtf8(logFont.lfFaceName), style, size, logFont.lfCharSet, -1,
                    (logFont.lfPitchAndFamily & 3) == FIXED_PITCH);
}

float TPdfCanvas::MeasureText(std::string_view text) const {
  if (page_ == nullptr) return 0;
  return page_->TextWidth(text);
}
