// The cursors of the controls as Qt cursors. Qt has no cursors for scrolling with the middle
// mouse button: they are drawn here, a round mark with arrows up and down, up only or down
// only, their hot spot in the middle.
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/ui/qt/QtConvert.h"

namespace {

QCursor ScrollCursor(bool up, bool down) {
  constexpr int size = 32, middle = size / 2;
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 1));
  painter.setBrush(Qt::black);
  painter.drawEllipse(QPointF(middle, middle), 3, 3);
  auto arrow = [&](int direction) {
    QPainterPath path;
    const int tip = middle + direction * 13, base = middle + direction * 6;
    path.moveTo(middle, tip);
    path.lineTo(middle - 6, base);
    path.lineTo(middle + 6, base);
    path.closeSubpath();
    painter.drawPath(path);
  };
  if (up) arrow(-1);
  if (down) arrow(1);
  painter.end();
  return QCursor(pixmap, middle, middle);
}

}  // namespace

QCursor ToQtCursor(TCursor cursor) {
  switch (cursor) {
    case TCursor::crIBeam: return Qt::IBeamCursor;
    case TCursor::crHourGlass: return Qt::WaitCursor;
    case TCursor::crHandPoint: return Qt::PointingHandCursor;
    case TCursor::crCross: return Qt::CrossCursor;
    case TCursor::crSizeWE: return Qt::SizeHorCursor;
    case TCursor::crSizeNS: return Qt::SizeVerCursor;
    case TCursor::crScrollUpDown: return ScrollCursor(true, true);
    case TCursor::crScrollUpOnly: return ScrollCursor(true, false);
    case TCursor::crScrollDownOnly: return ScrollCursor(false, true);
    default: return Qt::ArrowCursor;
  }
}
