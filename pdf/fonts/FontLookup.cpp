#include "pdf/fonts/FontLookup.h"

#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/fonts/PdfFontTrueType.h"
#include "pdf/fonts/PdfFontType1.h"
#include "pdf/helpers/TextHelpers.h"

TPdfFontType1* CreateStandardType1Font(TPdfDocument& document, std::string_view name) {
  if (!document.SubstituteStandardFonts) return nullptr;
  const TStandardFont* standard = FindStandardFont(name);
  if (standard == nullptr) return nullptr;
  auto font = std::make_unique<TPdfFontType1>(document.Xref(), standard->Metrics, standard->BaseFont);
  return static_cast<TPdfFontType1*>(&document.RegisterFont(std::move(font)));
}

TPdfFontTrueType* FindTrueTypeFontByIndex(const TPdfDocument& document, int fontIndex, uint8_t style, int charSet) {
  for (const auto& font : document.FontList()) {
    auto* tt = dynamic_cast<TPdfFontTrueType*>(font.get());
    if (tt != nullptr && !tt->IsUnicode && tt->FontIndex == fontIndex && tt->Style == style &&
        tt->LogicalFont.lfCharSet == charSet)
      return tt;
  }
  return nullptr;
}

TPdfFontTrueType* FindTrueTypeFontByLogFont(const TPdfDocument& document, const TLogFont& logFont) {
  for (const auto& font : document.FontList()) {
    auto* tt = dynamic_cast<TPdfFontTrueType*>(font.get());
    if (tt == nullptr || tt->IsUnicode) continue;
    const TLogFont& lf = tt->LogicalFont;
    if (lf.lfWeight == logFont.lfWeight && lf.lfItalic == logFont.lfItalic && lf.lfUnderline == logFont.lfUnderline &&
        lf.lfStrikeOut == logFont.lfStrikeOut && lf.lfCharSet == logFont.lfCharSet &&
        CompareWideNoCase(lf.lfFaceName, logFont.lfFaceName) == 0)
      return tt;
  }
  return nullptr;
}
