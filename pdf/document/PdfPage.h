// A page dictionary. Its first element is the /MediaBox [0 0 width height] in whole
// points, from the document's page size at creation. The page also holds the text state
// the canvas has put in force on it: font, size, spacing and scaling.
#pragma once

#include <cstdint>
#include <string_view>

#include "pdf/objects/PdfContainers.h"

class TPdfDocument;
class TPdfFont;

class TPdfPage : public TPdfDictionary {
 public:
  explicit TPdfPage(TPdfDocument& document);

  virtual void SetPageWidth(int32_t width);
  virtual void SetPageHeight(int32_t height);
  int32_t PageWidthOf() const;
  int32_t PageHeightOf() const;

  // Each raises EPdfInvalidValue with its own name for a value out of range.
  void SetFontSize(float size);            // 0 to 2000
  void SetHorizontalScaling(float percent);  // 10 to 300
  void SetWordSpace(float points);         // 0 or more

  // Width of a text in the document's code page in points with the current font, size,
  // spacing and scaling.
  float TextWidth(std::string_view text) const;

  TPdfDocument& Document;
  TPdfArray* MediaBoxArray;
  float WordSpace = 0;
  float CharSpace = 0;
  float FontSize = 0;
  TPdfFont* Font = nullptr;
  float HorizontalScaling = 0;  // 0: not set (100)
};
