// A page dictionary. Its first element is the /MediaBox [0 0 width height] in whole
// points, from the document's page size at creation.
#pragma once

#include <cstdint>

#include "pdf/objects/PdfContainers.h"

class TPdfDocument;

class TPdfPage : public TPdfDictionary {
 public:
  explicit TPdfPage(TPdfDocument& document);

  virtual void SetPageWidth(int32_t width);
  virtual void SetPageHeight(int32_t height);
  int32_t PageWidthOf() const;
  int32_t PageHeightOf() const;

  TPdfDocument& Document;
  TPdfArray* MediaBoxArray;
};
