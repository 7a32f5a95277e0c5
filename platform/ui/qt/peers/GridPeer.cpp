// The string grid as a table view over a model that reads the grid's cells where they are
// (nothing is copied). With a fixed first row or column, Qt's headers show that row or
// column, so it stays in place while the rest scrolls. Changes are gathered and reach the
// view once per turn of the event loop, so a workflow that fills a grid cell by cell or
// raises RowCount row by row does not make the view redo its work each time.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>

#include "platform/ui/grid/StringGrid.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/peers/GridCellPainting.h"
#include "platform/ui/qt/peers/Peers.h"

namespace {

class TGridModel : public QAbstractTableModel {
 public:
  explicit TGridModel(TStringGrid& grid) : grid_(grid) {}

  // The grid row and column of model row 0 and column 0.
  int RowOffset() const { return rowOffset_; }
  int ColOffset() const { return colOffset_; }

  // The view knows the counts of the last Sync; cells are read from the grid as they are.
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }
  QVariant data(const QModelIndex& index, int role) const override {
    int col = index.column() + ColOffset(), row = index.row() + RowOffset();
    if (role == Qt::DisplayRole) return ToQt(grid_.CellRef(col, row));
    if (role == Qt::BackgroundRole && (row < grid_.FixedRows() || col < grid_.FixedCols()))
      return ToQtColor(clBtnFace);
    return QVariant();
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Horizontal) return ToQt(grid_.CellRef(section + ColOffset(), 0));
    return ToQt(grid_.CellRef(0, section + RowOffset()));
  }
  // Takes the grid's current counts; false when they had not changed.
  bool Sync() {
    int rowOffset = grid_.FixedRows() > 0 ? 1 : 0, colOffset = grid_.FixedCols() > 0 ? 1 : 0;
    int rows = grid_.RowCount() - rowOffset, cols = grid_.ColCount() - colOffset;
    if (rows == rows_ && cols == cols_ && rowOffset == rowOffset_ && colOffset == colOffset_) return false;
    beginResetModel();
    rows_ = rows;
    cols_ = cols;
    rowOffset_ = rowOffset;
    colOffset_ = colOffset;
    endResetModel();
    return true;
  }
  void CellsChanged() {
    int rows = rowCount(QModelIndex()), cols = columnCount(QModelIndex());
    if (rows > 0 && cols > 0) emit dataChanged(index(0, 0), index(rows - 1, cols - 1), {Qt::DisplayRole});
    if (cols > 0) emit headerDataChanged(Qt::Horizontal, 0, cols - 1);
    if (rows > 0) emit headerDataChanged(Qt::Vertical, 0, rows - 1);
  }

 private:
  TStringGrid& grid_;
  int rows_ = 0, cols_ = 0, rowOffset_ = 0, colOffset_ = 0;
};

class TGridPeer : public TQtPeer {
 public:
  TGridPeer(TStringGrid& g, QTableView* w)
      : TQtPeer(g, w), grid_(g), model_(new TGridModel(g)), corner_(new QLabel(w)) {
    // The cell where the fixed row and column meet sits over Qt's corner button.
    corner_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    corner_->setContentsMargins(kGridTextOffset, kGridTextOffset, 0, 0);
    corner_->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto text = std::make_shared<TGridTextFont>(g);
    w->setHorizontalHeader(new TGridHeader(Qt::Horizontal, text, w));
    w->setVerticalHeader(new TGridHeader(Qt::Vertical, text, w));
    w->setItemDelegate(new TGridCellDelegate(text, w));
    model_->setParent(w);
    w->setModel(model_);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    // Cells are single lines cut at the column's edge (the delegate draws them so): the model
    // fits columns to their text with its own measure, and a pixel of hinting must not turn
    // the end of a fitted URL into "...".
    w->setTextElideMode(Qt::ElideNone);
    w->setWordWrap(false);
    w->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    w->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    w->horizontalHeader()->setMinimumSectionSize(0);
    w->verticalHeader()->setMinimumSectionSize(0);
    Watch(w->viewport());
    Watch(w->horizontalHeader()->viewport());
    Watch(w->verticalHeader()->viewport());
    QObject::connect(w->selectionModel(), &QItemSelectionModel::currentChanged, this,
                     [this](const QModelIndex& current) {
                       if (Pushing() || !current.isValid()) return;
                       Run([&] {
                         grid_.UserSelectCell(current.column() + model_->ColOffset(), current.row() + model_->RowOffset());
                       });
                     });
    auto scrolled = [this, w] {
      if (Pushing()) return;
      int top = w->rowAt(0), left = w->columnAt(0);
      grid_.UserScrolled(top < 0 ? grid_.FixedRows() : top + model_->RowOffset(),
                         left < 0 ? grid_.FixedCols() : left + model_->ColOffset());
    };
    QObject::connect(w->verticalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
    QObject::connect(w->horizontalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
    QObject::connect(w->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
      if (!Pushing()) Run([&] { grid_.SetColWidths(section + model_->ColOffset(), size); });
    });
  }

  void Update(TChange what) override {
    if (what == TChange::Cells)
      cellsPending_ = true;
    else if (what == TChange::GridLayout)
      layoutPending_ = true;
    else
      return;
    if (flushQueued_) return;
    flushQueued_ = true;
    // The widget is the context: a flush still queued when the grid goes is dropped.
    QMetaObject::invokeMethod(Widget(), [this] { Flush(); }, Qt::QueuedConnection);
  }

 protected:
  QPoint ToControl(QObject* watched, QPoint p) const override {
    // Client coordinates of the grid: inside the frame, the fixed cells first.
    auto* w = static_cast<QTableView*>(Widget());
    QPoint q = qobject_cast<QWidget*>(watched)->mapTo(w, p);
    return q - QPoint(w->frameWidth(), w->frameWidth());
  }
  bool ClickOnRelease() const override { return true; }

 private:
  void Flush() {
    flushQueued_ = false;
    auto* w = static_cast<QTableView*>(Widget());
    PushScope push(*this);
    if (layoutPending_) {
      layoutPending_ = false;
      model_->Sync();
      ApplySizes(w);
      QModelIndex current = model_->index(grid_.Row() - model_->RowOffset(), grid_.Col() - model_->ColOffset());
      if (current.isValid() && current != w->currentIndex()) w->setCurrentIndex(current);
    }
    if (cellsPending_) {
      cellsPending_ = false;
      model_->CellsChanged();
    }
    corner_->setText(ToQt(grid_.CellRef(0, 0)));
    bool corner = model_->RowOffset() && model_->ColOffset();
    corner_->setVisible(corner);
    if (corner) {
      corner_->setGeometry(w->frameWidth(), w->frameWidth(), grid_.ColWidths(0), grid_.RowHeights(0));
      corner_->raise();
    }
  }

  void ApplySizes(QTableView* w) {
    int colOff = model_->ColOffset(), rowOff = model_->RowOffset();
    w->horizontalHeader()->setVisible(rowOff > 0);
    w->verticalHeader()->setVisible(colOff > 0);
    w->setShowGrid(grid_.GridLineWidth() > 0);
    if (rowOff) w->horizontalHeader()->setFixedHeight(grid_.RowHeights(0));
    if (colOff) w->verticalHeader()->setFixedWidth(grid_.ColWidths(0));
    for (int c = colOff; c < grid_.ColCount(); ++c) w->setColumnWidth(c - colOff, grid_.ColWidths(c));
    w->verticalHeader()->setDefaultSectionSize(grid_.DefaultRowHeight());
    // Only rows with a height of their own are told; 100,000 default rows cost nothing.
    for (int r = rowOff; r < grid_.RowCount(); ++r) {
      int h = grid_.RowHeights(r);
      if (h != grid_.DefaultRowHeight()) w->setRowHeight(r - rowOff, h);
    }
  }

  TStringGrid& grid_;
  TGridModel* model_;
  QLabel* corner_;
  bool cellsPending_ = false, layoutPending_ = false, flushQueued_ = false;
};

}  // namespace

std::unique_ptr<TQtPeer> MakeGridPeer(TControl& control) {
  if (auto* g = dynamic_cast<TStringGrid*>(&control)) return std::make_unique<TGridPeer>(*g, new QTableView());
  return nullptr;
}
