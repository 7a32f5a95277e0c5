// How the Qt view of a string grid draws a cell's text: as the grid model lays it out, two
// pixels in from the cell's left and top edges, on one line, in the view's font (no bold
// header for the current column), cut at the cell's edge. The grid fits its columns to
// texts with the same font measure, so a fitted column holds its whole text.
#pragma once

#include <QFontMetrics>
#include <QHeaderView>
#include <QRect>
#include <QString>
#include <QStyledItemDelegate>

// Where the text of a cell is drawn: from the cell's top left plus the grid's text offset,
// as wide and high as the font makes the text.
QRect GridTextRect(const QRect& cell, const QFontMetrics& metrics, const QString& text);

// Draws the cells: the style's background, selection and focus, then the text at its place.
class TGridCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The fixed row or column: the style's section, then the text at its place in the view's
// font, whether or not the section is current.
class TGridHeader : public QHeaderView {
 public:
  TGridHeader(Qt::Orientation orientation, QWidget* parent);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

// The grid's offset of cell text from the cell's left and top edges.
constexpr int kGridTextOffset = 2;
