// One row or one column of a string grid as a line list: line i is the cell at column i
// (of a row) or row i (of a column); Count is the grid's column or row count.
//  - Text is the cells each followed by a line break.
//  - Clear empties the cells (also those beyond the count); setting Text, Assign and Add
//    fill the cells in order from the first, each empty line leaving its cell empty. Lines
//    beyond the count go into the cells beyond it, which keep them for when it grows.
//  - Insert and Delete would shift a whole grid and raise EInvalidOperation.
#pragma once

#include "platform/rtl/Strings.h"

class TStringGrid;

class TGridStrings : public TStrings {
 public:
  TGridStrings(TStringGrid& grid, bool isRow, int index);

  int Count() const override;
  String Get(int index) const override;
  void Put(int index, const String& s) override;
  void Insert(int index, const String& s) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const String& s) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  const String& Cell(int i) const;
  void SetCell(int i, const String& s);

  TStringGrid& grid_;
  bool isRow_;
  int index_;
  int next_ = 0;  // where Add writes next
};
