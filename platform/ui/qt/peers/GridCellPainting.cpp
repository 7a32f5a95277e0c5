#include "platform/ui/qt/peers/GridCellPainting.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QStyleOptionHeader>
#include <string_view>
#include <vector>

#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/fonts/TextMeasure.h"
#include "platform/ui/grid/StringGrid.h"
#include "platform/ui/qt/QtConvert.h"

void TGridTextFont::Refresh() {
  const TFont& font = grid_.Canvas().Font();
  const uint64_t serial = font.Handle().Realized().Serial();
  if (serial == serial_) return;
  serial_ = serial;
  font_ = ToQtFont(font);
  raw_ = QRawFont::fromFont(font_);
}

QRect TGridTextFont::TextRect(const QRect& cell, const QString& text) {
  Refresh();
  const int width = text.isEmpty() ? 0 : grid_.Canvas().TextWidth(FromQt(text));
  return QRect(cell.left() + kGridTextOffset, cell.top() + kGridTextOffset, width, QFontMetrics(font_).height());
}

void TGridTextFont::Draw(QPainter& painter, const QRect& cell, const QColor& color, const QString& text) {
  if (text.isEmpty()) return;
  Refresh();
  const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
  const std::vector<int> advances = TextAdvances(grid_.Canvas().Font().Handle().Realized(), units, {});
  painter.save();
  painter.setClipRect(cell, Qt::IntersectClip);
  painter.setFont(font_);
  painter.setPen(color);
  const double baseline = cell.top() + kGridTextOffset + QFontMetrics(font_).ascent();
  double x = cell.left() + kGridTextOffset;

  // Characters of the font go out as glyph runs; one it lacks is drawn alone by Qt, which
  // picks a font that has it.
  QList<quint32> glyphs;
  QList<QPointF> positions;
  auto drawRun = [&] {
    if (glyphs.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(font_.underline());
    run.setStrikeOut(font_.strikeOut());
    painter.drawGlyphRun(QPointF(0, 0), run);
    glyphs.clear();
    positions.clear();
  };
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    const char32_t codePoint = length == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
    quint32 glyph = 0;
    int count = 1;
    if (raw_.supportsCharacter(codePoint) && raw_.glyphIndexesForChars(text.constData() + i, static_cast<int>(length), &glyph, &count) &&
        count == 1) {
      glyphs.push_back(glyph);
      positions.push_back(QPointF(x, baseline));
    } else {
      drawRun();
      painter.drawText(QPointF(x, baseline), text.mid(i, length));
    }
    for (qsizetype k = 0; k < length; ++k) x += advances[static_cast<size_t>(i + k)];
    i += length;
  }
  drawRun();
  painter.restore();
}

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
  bool selected = opt.state & QStyle::State_Selected;
  text_->Draw(*painter, option.rect, opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), text);
}

TGridHeader::TGridHeader(Qt::Orientation orientation, std::shared_ptr<TGridTextFont> text, QWidget* parent)
    : QHeaderView(orientation, parent), text_(std::move(text)) {
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
  QString text = model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString() : QString();
  text_->Draw(*painter, rect, opt.palette.color(QPalette::ButtonText), text);
}
