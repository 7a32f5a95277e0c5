#include "platform/ui/grid/GridStrings.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/grid/StringGrid.h"

TGridStrings::TGridStrings(TStringGrid& grid, bool isRow, int index) : grid_(grid), isRow_(isRow), index_(index) {}

int TGridStrings::Count() const { return isRow_ ? grid_.ColCount() : grid_.RowCount(); }

const String& TGridStrings::Cell(int i) const { return isRow_ ? grid_.CellRef(i, index_) : grid_.CellRef(index_, i); }

void TGridStrings::SetCell(int i, const String& s) {
  if (isRow_)
    grid_.SetCell(i, index_, s);
  else
    grid_.SetCell(index_, i, s);
}

String TGridStrings::Get(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) + u")");
  return Cell(index);
}

void TGridStrings::Put(int index, const String& s) {
  if (index < 0) throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) + u")");
  SetCell(index, s);
}

void TGridStrings::Insert(int, const String&) {
  throw EInvalidOperation(S("Zeilen können nicht in das Gitter eingefügt oder daraus gelöscht werden"));
}

void TGridStrings::Delete(int) {
  throw EInvalidOperation(S("Zeilen können nicht in das Gitter eingefügt oder daraus gelöscht werden"));
}

void TGridStrings::Clear() {
  if (isRow_)
    grid_.ClearRow(index_);
  else
    grid_.ClearColumn(index_);
  next_ = 0;
}

int TGridStrings::Add(const String& s) {
  SetCell(next_, s);
  return next_++;
}

void TGridStrings::SetUpdateState(bool updating) { grid_.SetCellUpdates(updating); }
