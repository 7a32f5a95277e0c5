// Test pictures of Qt's images, for the screenshot tests of the Qt windows.
#pragma once

#include <QImage>

#include "tests/support/Pictures.h"

inline TTestPicture PictureOf(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  TTestPicture picture(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    auto row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) picture.Set(x, y, row[x] & 0xFFFFFFu);
  }
  return picture;
}
