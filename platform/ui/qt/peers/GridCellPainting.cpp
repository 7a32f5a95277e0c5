#include "platform/ui/qt/peers/GridCellPainting.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionHeader>

QRect GridTextRect(const QRect& cell, const QFontMetrics& metrics, const QString& text) {
  return QRect(cell.left() + kGridTextOffset, cell.top() + kGridTextOffset, metrics.horizontalAdvance(text),
               metrics.height());
}

namespace {

// The text drawn at its place, cut at the cell's edge.
void DrawCellText(QPainter* painter, const QRect& cell, const QFont& font, const QColor& color, const QString& text) {
  if (text.isEmpty()) return;
  painter->save();
  painter->setClipRect(cell, Qt::IntersectClip);
  painter->setFont(font);
  painter->setPen(color);
  QRect place = GridTextRect(cell, QFontMetrics(font), text);
  painter->drawText(place.left(), place.top() + QFontMetrics(font).ascent(), text);
  painter->restore();
}

}  // namespace

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
  bool selected = opt.state & QStyle::State_Selected;
  QColor color = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  DrawCellText(painter, option.rect, opt.widget ? opt.widget->font() : opt.font, color, text);
}

TGridHeader::TGridHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent) {
  // Qt draws the current section's text bold: wider than the column fitted to it.
  setHighlightSections(false);
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  QStyleOptionHeader opt;
  initStyleOption(&opt);
  opt.rect = rect;
  opt.section = logicalIndex;
  opt.state |= QStyle::State_Raised;
  if (isEnabled()) opt.state |= QStyle::State_Enabled;
  style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
  const QWidget* view = parentWidget() ? parentWidget() : this;
  QString text = model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString() : QString();
  DrawCellText(painter, rect, view->font(), opt.palette.color(QPalette::ButtonText), text);
}
