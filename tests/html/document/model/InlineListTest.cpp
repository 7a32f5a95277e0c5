#include <gtest/gtest.h>

#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "tests/html/document/TestSections.h"

namespace {
TEST(InlineList, BordersOpenCloseAndConvertToCursors) {
  ThtDocument document(nullptr, nullptr);
  TCanvas canvas(std::make_unique<TMeasureDC>());
  document.AddSection(new TFixedSection(&document, 20, 10), 0);  // sources 100..109 are cursors 0..9
  int cursor = 0, maxWidth = 0;
  document.Layout(canvas, 0, cursor, maxWidth, 1000, 0, 500);

  TProperties span(false), other(false);
  span.Values[BorderLeftWidth] = String(u"4px");
  span.Values[BorderLeftStyle] = String(u"solid");
  document.OpenInlineBorder(102, span);
  document.OpenInlineBorder(103, other);
  document.OpenInlineBorder(105, span);
  document.CloseInlineBorder(107, span);  // the last open record of the same element
  document.CloseInlineBorder(104, other);
  ASSERT_EQ(document.InlineList.Count(), 3);
  EXPECT_EQ(document.InlineList.Items(0)->Box[BoxEntry(BorderLeftWidth)], 4);

  EXPECT_EQ(document.InlineList.StartOf(0), 2);
  EXPECT_EQ(document.InlineList.EndOf(0), OpenEndCursor);  // not ended yet
  EXPECT_EQ(document.InlineList.StartOf(1), 3);
  EXPECT_EQ(document.InlineList.EndOf(1), 4);
  EXPECT_EQ(document.InlineList.StartOf(2), 5);
  EXPECT_EQ(document.InlineList.EndOf(2), 7);
  EXPECT_EQ(document.InlineList.StartOf(3), 99999999);
  EXPECT_EQ(document.InlineList.EndOf(-1), 99999999);

  // An element without characters: the start moves one back; one after the text ends there.
  document.OpenInlineBorder(108, other);
  document.CloseInlineBorder(108, other);
  document.OpenInlineBorder(500, span);
  EXPECT_EQ(document.InlineList.StartOf(3), 7);
  EXPECT_EQ(document.InlineList.EndOf(3), 8);
  EXPECT_EQ(document.InlineList.StartOf(4), 10);
  document.InlineList.Clear();
  EXPECT_TRUE(document.InlineList.NeedsConverting);
}
}  // namespace
