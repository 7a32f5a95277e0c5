#include "pdf/fonts/StandardFonts.h"

#include "pdf/helpers/TextHelpers.h"

namespace {

const TStandardFontMetrics kMetrics[] = {
#include "pdf/fonts/StandardFontWidths.inc"
};

const TStandardFont kStandardFonts[] = {
    {"Courier", "Courier", nullptr},
    {"Courier-Bold", "Courier-Bold", nullptr},
    {"Courier-Oblique", "Courier-Oblique", nullptr},
    {"Courier-BoldOblique", "Courier-BoldOblique", nullptr},
    {"Helvetica", "Helvetica", &kMetrics[0]},
    {"Helvetica-Bold", "Helvetica-Bold", &kMetrics[1]},
    {"Helvetica-Oblique", "Helvetica-Oblique", &kMetrics[2]},
    {"Helvetica-BoldOblique", "Helvetica-BoldOblique", &kMetrics[3]},
    {"Times", "Times-Roman", &kMetrics[4]},
    {"Times-Bold", "Times-Bold", &kMetrics[5]},
    {"Times-Oblique", "Times-Italic", &kMetrics[6]},
    {"Times-BoldOblique", "Times-BoldItalic", &kMetrics[7]},
};

}  // namespace

const TStandardFont* FindStandardFont(std::string_view name) {
  for (const TStandardFont& font : kStandardFonts)
    if (CompareAsciiNoCase(name, font.Name) == 0 || CompareAsciiNoCase(name, font.BaseFont) == 0) return &font;
  return nullptr;
}
