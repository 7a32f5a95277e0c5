// A large picture shown many times at a small size, cut into pages: decoded once for the
// document, and each page holds a reduction of it made once and drawn at every place, not
// all of its pixels for every place; played back, the places show the picture's colour.
#include <gtest/gtest.h>

#include <string>

#include "html/document/paging/PageRenderer.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/html/HtmlTestDocument.h"

namespace {

constexpr int Side = 800, Uses = 8;
constexpr uint32_t Teal = 0x008080;  // 0x00RRGGBB

struct TPictureFile {
  const char* Name;
  // Writes a Side x Side picture of the colour into the folder under Name.
  void (*Write)(const TTempDirectory& dir, const std::string& name);
};

void WritePngWithAlpha(const TTempDirectory& dir, const std::string& name) {
  TDibImage image(Side, Side, pf32bit);
  for (int y = 0; y < Side; ++y)
    for (int x = 0; x < Side; ++x) reinterpret_cast<uint32_t*>(image.ScanLine(y))[x] = 0xFF000000u | Teal;
  dir.WriteFile(name, EncodePng(image, true));
}

void WriteBmp(const TTempDirectory& dir, const std::string& name) {
  TBitmap bitmap(Side, Side, pf24bit);
  bitmap.Canvas().Brush().SetColor(static_cast<TColor>(0x808000));  // BGR
  bitmap.Canvas().FillRect(TRect{0, 0, Side, Side});
  bitmap.SaveToFile(Utf8ToString(dir.PathOf(name)));
}

class PrintedPictures : public testing::TestWithParam<TPictureFile> {};

TEST_P(PrintedPictures, ManyPlacesOfOnePictureShareOneDecodingAndOneReduction) {
  TTempDirectory dir("wendrel-printed-pictures");
  GetParam().Write(dir, GetParam().Name);
  std::string html = "<html><body><p>";
  for (int i = 0; i < Uses; ++i) html += "<img src=\"" + std::string(GetParam().Name) + "\" width=10 height=10> ";
  THtmlTestDocument document;
  document.Load(html + "</p></body></html>", dir.PathOf("doc.html"));

  const TPageMetafileList pages = RenderPageMetafiles(document.Document(), 718, 1047);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(document.Document().ImageCache->Count(), 1);
  // Each full copy would take Side x Side x 3 bytes at least.
  EXPECT_LT(pages[0]->Data().size(), size_t{Side} * Side * 3);

  TBitmap played(1, 1, pf24bit);
  pages[0]->AssignTo(played);
  int teal = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) teal += played.Image().GetRgb(x, y) == Teal;
  EXPECT_GE(teal, Uses * 64);  // 8 x 8 of each 10 x 10 place at least
}

INSTANTIATE_TEST_SUITE_P(Kinds, PrintedPictures,
                         testing::Values(TPictureFile{"picture.png", WritePngWithAlpha},
                                         TPictureFile{"picture.bmp", WriteBmp}),
                         [](const testing::TestParamInfo<TPictureFile>& info) {
                           return std::string(info.param.Name).substr(8);
                         });

}  // namespace
