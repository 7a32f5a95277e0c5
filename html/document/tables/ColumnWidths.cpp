// Column minimum and maximum widths from the cells, and the widths of the columns for the
// room the table has.
#include <algorithm>
#include <cstdint>

#include "html/document/model/Document.h"
#include "html/document/tables/HtmlTable.h"

namespace {
// A kind replaces a weaker one: absolute over all, percent over none and relative,
// relative over none.
void PromoteKind(TWidthType& column, TWidthType cell) {
  switch (cell) {
    case wtAbsolute: column = wtAbsolute; break;
    case wtPercent:
      if (column == wtNone || column == wtRelative) column = wtPercent;
      break;
    case wtRelative:
      if (column == wtNone) column = wtRelative;
      break;
    case wtNone: break;
  }
}

// The columns of first..last of the kind, ascending.
std::vector<int> ColumnsOfKind(const TWidthTypeArray& kinds, TWidthType kind, int first, int last) {
  std::vector<int> columns;
  for (int c = first; c <= last; ++c)
    if (kinds[c] == kind) columns.push_back(c);
  return columns;
}

// Sets the columns' values so that they sum to target, in proportion to their current
// values (equally when these are all 0).
void ScaleTo(IntArray& values, const std::vector<int>& columns, int target) {
  IntArray weights;
  for (int c : columns) weights.push_back(values[c]);
  const IntArray shares = ShareByWeights(columns, weights, target);
  for (size_t k = 0; k < columns.size(); ++k) values[columns[k]] = shares[k];
}

// Adds amount to the columns in proportion to the weights (equally when they sum to 0).
void AddShares(IntArray& values, const std::vector<int>& columns, const IntArray& weights, int amount) {
  const IntArray shares = ShareByWeights(columns, weights, amount);
  for (size_t k = 0; k < columns.size(); ++k) values[columns[k]] += shares[k];
}
}  // namespace

void THtmlTable::ComputeColumnMinMax(TCanvas& canvas) {
  const int columns = NumCols;
  FillAll(MinWidths, 0);
  FillAll(MaxWidths, 0);
  FillAll(Percents, 0);
  FillAll(Multis, 0);
  std::fill(ColumnKinds.begin(), ColumnKinds.end(), wtNone);
  for (int c = 0; c < columns && c < static_cast<int>(ColSpecs.size()); ++c) {
    const TWidthValue& width = ColSpecs[c].ColWidth;
    ColumnKinds[c] = width.Kind;
    switch (width.Kind) {
      case wtAbsolute: MinWidths[c] = MaxWidths[c] = width.Amount; break;
      case wtPercent: Percents[c] = width.Amount; break;
      case wtRelative: Multis[c] = width.Amount; break;
      case wtNone: break;
    }
  }

  // Cells of one column first, then the spanning cells by their span, shortest first (in
  // row and column order within a span): each sees the columns as the shorter spans left
  // them.
  struct TSpanning {
    int Span, Row, Index;
  };
  std::vector<TSpanning> spanning;
  const int rowCount = Rows.Count();
  for (int r = 0; r < rowCount; ++r) {
    TCellList& row = *Rows.Items(r);
    for (int i = 0; i < row.Count(); ++i) {
      TCellObj* cell = row.CellAt(i);
      if (!cell || !cell->IsReal() || i + cell->ColSpan > row.Count()) continue;
      if (cell->ColSpan > 1) {
        spanning.push_back({cell->ColSpan, r, i});
        continue;
      }
      int minWidth = 0, maxWidth = 0;
      TWidthValue spec;
      CellMinMax(canvas, *cell, minWidth, maxWidth, spec);
      MinWidths[i] = std::max(MinWidths[i], minWidth);
      MaxWidths[i] = std::max(MaxWidths[i], maxWidth);
      if (spec.Kind == wtPercent) Percents[i] = std::max(Percents[i], spec.Amount);
      if (spec.Kind == wtRelative) Multis[i] = std::max(Multis[i], spec.Amount);
      PromoteKind(ColumnKinds[i], spec.Kind);
    }
  }
  std::stable_sort(spanning.begin(), spanning.end(),
                   [](const TSpanning& a, const TSpanning& b) { return a.Span < b.Span; });
  for (const TSpanning& entry : spanning) {
    TCellObj& cell = *Rows.Items(entry.Row)->CellAt(entry.Index);
    int minWidth = 0, maxWidth = 0;
    TWidthValue spec;
    CellMinMax(canvas, cell, minWidth, maxWidth, spec);
    SpreadSpanningCell(entry.Index, entry.Span, minWidth, maxWidth, spec);
  }

  if (colSpecsWithWeight_ > 0) {
    MakeRelativeProportional(MinWidths);
    MakeRelativeProportional(MaxWidths);
  }
}

void THtmlTable::CellMinMax(TCanvas& canvas, TCellObj& cell, int& minWidth, int& maxWidth, TWidthValue& spec) {
  cell.Cell->MinMaxWidth(canvas, minWidth, maxWidth);
  spec = cell.SpecWidth;
  if (spec.Kind == wtAbsolute) {
    minWidth = std::max(minWidth, spec.Amount);
    maxWidth = std::max(maxWidth, spec.Amount);
  }
  const int extra = CellSpacing + cell.HzSpace;
  minWidth += extra;
  maxWidth += extra;
}

void THtmlTable::SpreadSpanningCell(int first, int span, int minWidth, int maxWidth, TWidthValue spec) {
  const int last = first + span - 1;
  int sumMin = SumRange(MinWidths, first, last);
  int sumMax = SumRange(MaxWidths, first, last);
  if (sumMin >= minWidth && sumMax >= maxWidth) return;
  std::array<int, 4> counts{};
  CountKinds(counts, ColumnKinds, first, last);
  if (spec.Kind == wtPercent) {
    const int percentSum = SumOfKind(wtPercent, ColumnKinds, Percents, first, last);
    if (spec.Amount < percentSum) return;
    if (counts[wtNone] > 0) {
      // The columns without a kind share what the cell's percentage adds, in proportion to
      // their widest content; then every column of the span is a percent column, and the
      // cell's minimum and maximum are spread over them below.
      const std::vector<int> none = ColumnsOfKind(ColumnKinds, wtNone, first, last);
      IntArray weights;
      for (int c : none) weights.push_back(MaxWidths[c]);
      AddShares(Percents, none, weights, spec.Amount - percentSum);
      for (int c = first; c <= last; ++c) ColumnKinds[c] = wtPercent;
      CountKinds(counts, ColumnKinds, first, last);
    }
  }
  if (counts[wtNone] > 0) {
    DistributeToKind(wtNone, first, last, minWidth, maxWidth);
  } else if (counts[wtRelative] > 0) {
    const int relativeSum = SumOfKind(wtRelative, ColumnKinds, Multis, first, last);
    if (relativeSum < 1) {
      if (sumMin < sumMax) DistributeByRange(wtRelative, first, last, minWidth, maxWidth);
      else DistributeToKind(wtRelative, first, last, minWidth, maxWidth);
    } else {
      if (sumMin < minWidth)
        DistributeRelative(MinWidths, minWidth - SumOfOtherKinds(wtRelative, ColumnKinds, MinWidths, first, last),
                           first, last, true);
      if (sumMax < maxWidth)
        DistributeRelative(MaxWidths, maxWidth - SumOfOtherKinds(wtRelative, ColumnKinds, MaxWidths, first, last),
                           first, last, true);
    }
  } else if (counts[wtPercent] == 0) {
    DistributeToKind(wtAbsolute, first, last, minWidth, maxWidth);
  } else if (sumMin < sumMax) {
    DistributeByRange(wtPercent, first, last, minWidth, maxWidth);
  } else if (SumOfKind(wtPercent, ColumnKinds, Percents, first, last) < 1) {
    DistributeToKind(wtPercent, first, last, minWidth, maxWidth);
  } else {
    const std::vector<int> percent = ColumnsOfKind(ColumnKinds, wtPercent, first, last);
    IntArray weights;
    for (int c : percent) weights.push_back(Percents[c]);
    if (minWidth > sumMin) AddShares(MinWidths, percent, weights, minWidth - sumMin);
    if (maxWidth > sumMax) AddShares(MaxWidths, percent, weights, maxWidth - sumMax);
  }
}

void THtmlTable::DistributeToKind(TWidthType kind, int first, int last, int minWidth, int maxWidth) {
  const std::vector<int> columns = ColumnsOfKind(ColumnKinds, kind, first, last);
  if (columns.empty()) return;
  const int others = SumOfOtherKinds(kind, ColumnKinds, MinWidths, first, last);
  const int minTarget = minWidth - others;
  const int maxTarget = maxWidth - others;
  if (SumOfKind(kind, ColumnKinds, MinWidths, first, last) < minTarget) ScaleTo(MinWidths, columns, minTarget);
  if (SumOfKind(kind, ColumnKinds, MaxWidths, first, last) < maxTarget) ScaleTo(MaxWidths, columns, maxTarget);
}

void THtmlTable::DistributeByRange(TWidthType kind, int first, int last, int minWidth, int maxWidth) {
  const std::vector<int> columns = ColumnsOfKind(ColumnKinds, kind, first, last);
  if (columns.empty()) return;
  IntArray ranges;
  for (int c : columns) ranges.push_back(std::max(0, MaxWidths[c] - MinWidths[c]));
  const int sumMin = SumRange(MinWidths, first, last);
  const int sumMax = SumRange(MaxWidths, first, last);
  if (minWidth > sumMin) AddShares(MinWidths, columns, ranges, minWidth - sumMin);
  if (maxWidth > sumMax) AddShares(MaxWidths, columns, ranges, maxWidth - sumMax);
}

void THtmlTable::DistributeRelative(IntArray& widths, int amount, int first, int last, bool raiseToWidths) {
  std::vector<int> weighted;
  int64_t relativeSum = 0;
  for (int c = first; c <= last; ++c) {
    if (ColumnKinds[c] != wtRelative) continue;
    if (Multis[c] < 1) {
      amount -= widths[c];
    } else {
      weighted.push_back(c);
      relativeSum += Multis[c];
    }
  }
  if (weighted.empty() || relativeSum < 1 || amount <= 0) return;
  double unit = static_cast<double>(amount) / static_cast<double>(relativeSum);
  if (raiseToWidths)
    for (int c : weighted) unit = std::max(unit, static_cast<double>(widths[c]) / Multis[c]);
  const int total = static_cast<int>(std::min<double>(amount, static_cast<double>(relativeSum) * unit));
  int64_t cumulative = 0;
  int given = 0;
  for (size_t k = weighted.size(); k-- > 1;) {
    cumulative += Multis[weighted[k]];
    const int upTo = static_cast<int>(std::min<double>(total, static_cast<double>(cumulative) * unit));
    widths[weighted[k]] = upTo - given;
    given = upTo;
  }
  widths[weighted[0]] = total - given;
}

void THtmlTable::MakeRelativeProportional(IntArray& widths) {
  std::vector<int> columns;
  IntArray weights;
  int64_t unit = 100;
  int64_t weightSum = 0;
  for (int c = 0; c < NumCols; ++c) {
    if (ColumnKinds[c] != wtRelative || Multis[c] < 1) continue;
    columns.push_back(c);
    weights.push_back(Multis[c]);
    weightSum += Multis[c];
    unit = std::max<int64_t>(unit, int64_t{widths[c]} * 100 / Multis[c]);
  }
  if (columns.empty()) return;
  const int64_t total = std::min<int64_t>(unit * weightSum / 100, INT32_MAX);
  const IntArray shares = ShareByWeights(columns, weights, static_cast<int>(total));
  for (size_t k = 0; k < columns.size(); ++k) widths[columns[k]] = shares[k];
}

void THtmlTable::GrowKind(TWidthType kind, int total, int width) {
  const std::vector<int> columns = ColumnsOfKind(ColumnKinds, kind, 0, NumCols - 1);
  if (columns.empty()) return;
  IntArray ranges;
  int rangeSum = 0;
  for (int c : columns) {
    ranges.push_back(MaxWidths[c] - MinWidths[c]);
    rangeSum += ranges.back();
  }
  if (rangeSum != 0) {
    AddShares(Widths, columns, ranges, width - total);
    return;
  }
  // No range to go by: the columns keep their proportions (equal shares when they are all
  // empty) and together take what is missing or too much.
  const int current = SumOfKind(kind, ColumnKinds, Widths, 0, NumCols - 1);
  ScaleTo(Widths, columns, current + width - total);
}

int THtmlTable::FindColumnWidths(TCanvas& canvas, TIndentManager& indents, int y) {
  int width = SpecifiedWidth > 0 ? SpecifiedWidth : indents.RightAt(y) - indents.LeftAt(y);
  Initialize();
  width -= CellSpacing;
  ComputeColumnMinMax(canvas);
  const int totalMin = SumAll(MinWidths);
  const int totalMax = SumAll(MaxWidths);
  if (width < totalMin) {
    Widths = MinWidths;
    return SumAll(Widths) + CellSpacing;
  }
  Widths = MinWidths;
  const int percentSum = SumAll(Percents);
  if (width > 0 && percentSum > 0) {
    const int p = std::max(1000, percentSum);
    std::vector<int> wanting;
    IntArray excess;
    for (int c = 0; c < NumCols; ++c) {
      if (ColumnKinds[c] != wtPercent || Percents[c] <= 0) continue;
      const double share = static_cast<double>(Percents[c]) / p - static_cast<double>(MinWidths[c]) / width;
      const int e = static_cast<int>(share * 1000);
      if (e > 0) {
        wanting.push_back(c);
        excess.push_back(e);
      }
    }
    const IntArray shares = ShareByWeights(wanting, excess, width - totalMin);
    for (size_t k = 0; k < wanting.size(); ++k) {
      const int c = wanting[k];
      const int cap = static_cast<int>(int64_t{width} * Percents[c] / p);
      Widths[c] = std::min(Widths[c] + shares[k], std::max(Widths[c], cap));
    }
  }
  const int total = SumAll(Widths);
  std::array<int, 4> counts{};
  CountKinds(counts, ColumnKinds, 0, NumCols - 1);
  if (width < total) {
    GrowKind(wtPercent, total, width);
  } else if (SpecifiedWidth <= 0 && width >= totalMax) {
    Widths = MaxWidths;
  } else if (total < width) {
    if (counts[wtNone] > 0) {
      GrowKind(wtNone, total, width);
    } else if (counts[wtRelative] == 0) {
      GrowKind(counts[wtPercent] > 0 ? wtPercent : wtAbsolute, total, width);
    } else {
      const int relativeNow = SumOfKind(wtRelative, ColumnKinds, Widths, 0, NumCols - 1);
      DistributeRelative(Widths, width - (total - relativeNow), 0, NumCols - 1, false);
    }
  }
  return SumAll(Widths) + CellSpacing;
}
