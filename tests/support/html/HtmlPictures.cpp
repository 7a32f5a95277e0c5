#include "tests/support/html/HtmlPictures.h"

#include <algorithm>

#include "tests/support/GdiPictures.h"

TTestPicture PaintDocumentPicture(THtmlTestDocument& document, const std::string& name, int height) {
  const int pictureHeight = std::max(1, height > 0 ? height : document.Height());
  TBitmap bitmap(std::max(1, document.Width()), pictureHeight, pf24bit);
  document.PaintOnto(bitmap);
  TTestPicture picture = PictureOf(bitmap.Image());
  WritePictureFile(picture, std::string(WENDREL_BUILD_DIR) + "/pictures/html-documents/" + name + ".png");
  return picture;
}

TTestPicture RenderHtml(THtmlTestDocument& document, const std::string& html, int width, const std::string& name) {
  document.Load(html);
  document.LayOut(width);
  return PaintDocumentPicture(document, name);
}
