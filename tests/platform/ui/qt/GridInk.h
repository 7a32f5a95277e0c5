// Where the text drawn into a grid cell ends, read off the picture of the view.
#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdlib>

// The rightmost column of the area that holds ink: a pixel differing by more than a shade
// in some channel from the area's bottom-right pixel (its background, below the text's
// line); -1 when there is none.
inline int RightmostInk(const QImage& picture, const QRect& area) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  const QRgb background = image.pixel(area.right(), area.bottom());
  int rightmost = -1;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      const int difference = std::max({std::abs(qRed(p) - qRed(background)), std::abs(qGreen(p) - qGreen(background)),
                                       std::abs(qBlue(p) - qBlue(background))});
      if (difference > 48) rightmost = std::max(rightmost, x);
    }
  return rightmost;
}
