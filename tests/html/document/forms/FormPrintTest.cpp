// A form painted by a printing copy into a page metafile: no windows, each control's print
// image (frame and value) at the place of its window, checked on the replayed picture.
#include <gtest/gtest.h>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/metafile/MetafileCanvas.h"
#include "tests/html/document/forms/FormFixture.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PictureReference.h"

namespace {

constexpr int PageWidth = 420, PageHeight = 60;

struct FormPrintTest : FormFixture {};

// True when a pixel of the rectangle is darker than mid grey (text or a mark).
bool HasDarkPixel(TCanvas& canvas, const TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const TColor c = canvas.Pixel(x, y);
      if ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 0x60) return true;
    }
  return false;
}

TEST_F(FormPrintTest, ControlsPrintTheirFramesAndValuesWhereTheirWindowsWouldBe) {
  auto line = Line();
  auto* edit = dynamic_cast<TEditFormControlObj*>(Field(*line, u"input", u"name=n value=Hi size=6"));
  Text(*line, u" ");
  auto* check = dynamic_cast<TCheckBoxFormControlObj*>(Field(*line, u"input", u"type=checkbox name=c checked"));
  Text(*line, u" ");
  auto* radio = dynamic_cast<TRadioButtonFormControlObj*>(Field(*line, u"input", u"type=radio name=r checked"));
  Text(*line, u" ");
  auto* button = dynamic_cast<TButtonFormControlObj*>(Field(*line, u"input", u"type=submit value=OK"));
  Text(*line, u" ");
  auto* combo = dynamic_cast<TComboFormControlObj*>(Field(*line, u"select", u"name=s", u"", u"Yes*|No"));
  auto* secret = dynamic_cast<TEditFormControlObj*>(Field(*line, u"input", u"type=password name=p value=WWW size=6"));
  TSection& section = Close(std::move(line));
  LayOut(PageWidth);

  // The printing copy lays itself out and paints into the metafile; the screen document's
  // windows stay where they are.
  ThtDocument copy(document);
  copy.Printing = true;
  int cursor = 0, maxWidth = 0;
  copy.Layout(canvas, 0, cursor, maxWidth, 1000, 0, PageWidth);
  TMetafile metafile;
  metafile.SetWidth(PageWidth);
  metafile.SetHeight(PageHeight);
  {
    TMetafileCanvas recorder(metafile);
    recorder.Brush().SetColor(clWhite);
    recorder.FillRect(TRect{0, 0, PageWidth, PageHeight});
    copy.Draw(recorder, TRect{0, 0, PageWidth, PageHeight}, PageWidth, 0, 0, 0, 0);
  }
  TBitmap page(PageWidth, PageHeight, pf24bit);
  page.Canvas().Draw(0, 0, metafile);
  TCanvas& c = page.Canvas();
  EXPECT_EQ(edit->Edit->Left(), OffScreenX);  // no window was placed

  // Where each control stands: after the text before it, on the line's text bottom.
  const LineRec& l = *section.Lines[0];
  const int textBottom = l.SpaceBefore + l.LineHeight;
  const auto leftOf = [&](int index) { return section.TextWidthOf(canvas, 0, index, false); };
  const auto topOf = [&](const TFormControlObj& control, int extra) {
    return textBottom - control.GetHeight() - control.VSpaceBottom - (control.VerticalAlign == 3 ? l.Descent : 0) + extra;
  };

  const int ex = leftOf(0), ey = topOf(*edit, 0), ew = edit->GetWidth(), eh = edit->GetHeight();
  EXPECT_EQ(c.Pixel(ex, ey + eh / 2), ColorToRGB(clBtnShadow));          // the sunken frame's left side
  EXPECT_EQ(c.Pixel(ex + ew - 1, ey + eh / 2), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(c.Pixel(ex + ew - 5, ey + eh / 2), clWhite);                  // the field inside
  EXPECT_TRUE(HasDarkPixel(c, TRect{ex + 4, ey + 2, ex + 20, ey + eh - 2}));  // "Hi"
  EXPECT_FALSE(HasDarkPixel(c, TRect{ex - 3, ey + 2, ex, ey + eh - 2}));

  const int cx = leftOf(2), cy = topOf(*check, 1);
  EXPECT_EQ(c.Pixel(cx, cy + 6), ColorToRGB(clBtnShadow));  // the frame, 2 pixels wide across its edge
  EXPECT_EQ(c.Pixel(cx + 5, cy + 6 + 2), clBlack);  // the check mark: down to the middle, then up
  EXPECT_EQ(c.Pixel(cx + 8, cy + 6 - 1), clBlack);
  EXPECT_EQ(c.Pixel(cx + 10, cy + 10), clWhite);

  const int rx = leftOf(4), ry = topOf(*radio, 2);
  EXPECT_EQ(c.Pixel(rx + 7, ry + 7), clBlack);  // the dot
  EXPECT_EQ(c.Pixel(rx + 7, ry + 11), clWhite);

  const int bx = leftOf(6), by = topOf(*button, 0), bw = button->GetWidth(), bh = button->GetHeight();
  EXPECT_EQ(c.Pixel(bx + 2, by + bh / 2), ColorToRGB(clBtnFace));
  EXPECT_TRUE(HasDarkPixel(c, TRect{bx + 4, by + 3, bx + bw - 4, by + bh - 3}));  // "OK"

  const int sx = leftOf(8), sy = topOf(*combo, 0);
  EXPECT_EQ(c.Pixel(sx, sy + combo->GetHeight() / 2), ColorToRGB(clBtnShadow));
  EXPECT_TRUE(HasDarkPixel(c, TRect{sx + 4, sy + 3, sx + 30, sy + combo->GetHeight() - 3}));  // "Yes"

  // A password field prints its stars, never its text: "***" is narrower than "WWW".
  const int px = leftOf(9), py = topOf(*secret, 0);
  canvas.Font().Assign(secret->Edit->Font());
  const int stars = canvas.TextWidth(u"***");
  ASSERT_LT(stars + 2, canvas.TextWidth(u"WWW"));
  EXPECT_TRUE(HasDarkPixel(c, TRect{px + 4, py + 2, px + 4 + stars, py + secret->GetHeight() - 2}));
  EXPECT_FALSE(HasDarkPixel(c, TRect{px + 6 + stars, py + 2, px + secret->GetWidth() - 4, py + secret->GetHeight() - 2}));

  EXPECT_TRUE(MatchesReference(PictureOf(page.Image()), "html/forms/printed-controls", {.Channel = 8, .Pixels = 40}));
}

}  // namespace
