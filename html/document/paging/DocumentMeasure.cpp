#include "html/document/paging/DocumentMeasure.h"

#include <memory>

#include "html/document/model/Document.h"

namespace {
constexpr int MeasureAvailableHeight = 300;
}

std::pair<int, int> MeasureDocumentCopy(const ThtDocument& document, int width) {
  if (width < 1) return {0, 0};
  auto copy = std::make_unique<ThtDocument>(document);
  int scrollWidth = 0, cursor = 0;
  const int height = copy->DoLogic(copy->MeasureCanvas(), 0, width, MeasureAvailableHeight, scrollWidth, cursor);
  return {scrollWidth, height};
}
