#include "tests/html/document/viewer/TextPoints.h"

#include <gtest/gtest.h>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/rtl/Unicode.h"

TPoint PanelPointOf(TMarkupViewer& viewer, const std::u16string& text, int offset) {
  ThtDocument& document = viewer.Document();
  const int cursor = document.FindString(0, text, true);
  EXPECT_GE(cursor, 0) << StringToUtf8(text);
  int x = 0, y = 0;
  EXPECT_TRUE(document.CursorToXY(document.MeasureCanvas(), cursor + offset, x, y));
  return TPoint{x + 1, y - document.YOffset + 4};
}
