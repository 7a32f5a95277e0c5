#include "html/foundation/images/BuiltInImages.h"

#include <gtest/gtest.h>

TEST(BuiltInImages, SixteenColourPicturesAndTheBrokenImageMask) {
  for (const TBitmap* bitmap : {&PendingImageBitmap(), &BrokenImageBitmap()}) {
    EXPECT_EQ(bitmap->Width(), 16);
    EXPECT_EQ(bitmap->Height(), 16);
    EXPECT_EQ(bitmap->PixelFormat(), pf4bit);
  }
  const TBitmap& mask = BrokenImageMask();
  ASSERT_TRUE(mask.Monochrome());
  // The mask is transparent (white) around the page and opaque on it, frame included.
  EXPECT_EQ(mask.GetPixel(0, 0), clWhite);
  EXPECT_EQ(mask.GetPixel(2, 0), clBlack);
  EXPECT_EQ(mask.GetPixel(5, 5), clBlack);
  EXPECT_EQ(mask.GetPixel(15, 15), clWhite);
  EXPECT_NE(&DeferredImageStream(), &NoImageStream());
  EXPECT_EQ(DeferredImageStream().Size(), 0);
}
