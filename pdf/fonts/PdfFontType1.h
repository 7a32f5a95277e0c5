// A standard Type1 font: referenced by name, never embedded, measured from its built-in
// width table (kept in the dictionary as an internal /Widths entry, never written).
#pragma once

#include "pdf/fonts/PdfFontWinAnsi.h"
#include "pdf/fonts/StandardFonts.h"

class TPdfFontType1 : public TPdfFontWinAnsi {
 public:
  // Without metrics every width is 600, ascent 833 and descent -300.
  TPdfFontType1(TPdfXref& xref, const TStandardFontMetrics* metrics, std::string name);
  // Stores the dictionary and fills the widths from its /MissingWidth, /FirstChar and
  // /Widths entries.
  void AttachDictionary(TPdfDictionary* dictionary) override;
};
