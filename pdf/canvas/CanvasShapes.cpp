// Ellipses and rounded rectangles as Bezier paths, and the device-coordinate forms of
// TPdfCanvas.
#include <algorithm>
#include <cmath>

#include "pdf/document/PdfCanvas.h"

namespace {

// The control-point distance of a quarter circle of radius 1, held as a single.
const double kKappa = static_cast<float>(0.5522847771644592);

}  // namespace

void TPdfCanvas::Ellipse(double x, double y, double w, double h) {
  double kw = kKappa * w / 2, kh = kKappa * h / 2;
  MoveTo(x, y + h / 2);
  CurveTo(x, y + h / 2 - kh, x + w / 2 - kw, y, x + w / 2, y);
  CurveTo(x + w / 2 + kw, y, x + w, y + h / 2 - kh, x + w, y + h / 2);
  CurveTo(x + w, y + h / 2 + kh, x + w / 2 + kw, y + h, x + w / 2, y + h);
  CurveTo(x + w / 2 - kw, y + h, x, y + h / 2 + kh, x, y + h / 2);
}

void TPdfCanvas::RoundRect(double x1, double y1, double x2, double y2, double cx, double cy) {
  double rx = cx / 2, ry = cy / 2, kx = kKappa * rx, ky = kKappa * ry;
  MoveTo(x1 + rx, y1);
  LineTo(x2 - rx, y1);
  CurveTo(x2 - rx + kx, y1, x2, y1 + ry - ky, x2, y1 + ry);
  LineTo(x2, y2 - ry);
  CurveTo(x2, y2 - ry + ky, x2 - rx + kx, y2, x2 - rx, y2);
  LineTo(x1 + rx, y2);
  CurveTo(x1 + rx - kx, y2, x1, y2 - ry + ky, x1, y2 - ry);
  LineTo(x1, y1 + ry);
  CurveTo(x1, y1 + ry - ky, x1 + rx - kx, y1, x1 + rx, y1);
  ClosePath();
}

void TPdfCanvas::CurveToCI(int x1, int y1, int x2, int y2, int x3, int y3) {
  CurveTo(MapX(x1), MapY(y1), MapX(x2), MapY(y2), MapX(x3), MapY(y3));
}

void TPdfCanvas::RoundRectI(const TRect& r, const TSize& corner) {
  RoundRect(MapX(r.Left), MapY(r.Top), MapX(r.Right), MapY(r.Bottom), corner.cx * WorldFactorX, -corner.cy * WorldFactorY);
}

void TPdfCanvas::RectToBox(const TRect& r, double& x, double& y, double& w, double& h) const {
  w = std::abs(r.Right - r.Left) * WorldFactorX;
  h = std::abs(r.Bottom - r.Top) * WorldFactorY;
  x = MapX(r.Left);
  y = MapY(r.Top) - h;
}

void TPdfCanvas::RectToPdfRect(const TRect& r, double& left, double& bottom, double& right, double& top) const {
  TRect n = NormalizeRect(r);
  left = MapX(n.Left);
  bottom = MapY(n.Bottom);
  right = MapX(n.Right);
  top = MapY(n.Top);
}

TRect TPdfCanvas::NormalizeRect(const TRect& r) {
  TRect n = r;
  if (n.Left > n.Right) std::swap(n.Left, n.Right);
  if (n.Top > n.Bottom) std::swap(n.Top, n.Bottom);
  return n;
}
