// How the Qt view of a string grid draws a cell's text: as the grid model lays it out, two
// pixels in from the cell's left and top edges, on one line, cut at the cell's edge. The
// grid fits its columns to texts with its canvas's measure, which gives every character a
// whole-pixel advance; Qt's own layout adds fractional advances and runs up to a few per
// cent wider (forty capital W's: 415 pixels drawn against 400 measured). So the text is
// drawn in the canvas's font with each character placed at the advance the canvas measured:
// a fitted column holds its whole text, whatever the characters.
#pragma once

#include <QFont>
#include <QHeaderView>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <QStyledItemDelegate>
#include <cstdint>
#include <memory>

class TStringGrid;

// The offset of cell text from the cell's left and top edges.
constexpr int kGridTextOffset = 2;

// The grid's measuring font (its canvas's) for Qt, kept while the model's font stays the same.
class TGridTextFont {
 public:
  explicit TGridTextFont(TStringGrid& grid) : grid_(grid) {}
  // Where the text of a cell is drawn: from the cell's top left plus the text offset, as
  // wide as the grid measures the text and as high as the font's cell.
  QRect TextRect(const QRect& cell, const QString& text);
  // Draws the text at its place, each character at the grid's advance, cut at the cell's edge.
  void Draw(QPainter& painter, const QRect& cell, const QColor& color, const QString& text);

 private:
  void Refresh();

  TStringGrid& grid_;
  uint64_t serial_ = 0;  // of the realised font that font_ and raw_ stand for
  QFont font_;
  QRawFont raw_;
};

// Draws the cells: the style's background, selection and focus, then the text at its place.
class TGridCellDelegate : public QStyledItemDelegate {
 public:
  TGridCellDelegate(std::shared_ptr<TGridTextFont> text, QObject* parent)
      : QStyledItemDelegate(parent), text_(std::move(text)) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  std::shared_ptr<TGridTextFont> text_;
};

// The fixed row or column: the style's section, then the text at its place, whether or not
// the section is current (Qt would draw the current one bold, wider than its fitted column).
class TGridHeader : public QHeaderView {
 public:
  TGridHeader(Qt::Orientation orientation, std::shared_ptr<TGridTextFont> text, QWidget* parent);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  std::shared_ptr<TGridTextFont> text_;
};
