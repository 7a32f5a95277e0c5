// Per-column integer arrays of the column-width computation and the sums over them.
#pragma once

#include <array>
#include <vector>

#include "html/foundation/shared/WidthValue.h"

using IntArray = std::vector<int>;
using TWidthTypeArray = std::vector<TWidthType>;

// 0 when last < first.
int SumRange(const IntArray& values, int first, int last);
int SumAll(const IntArray& values);
// a[i] - b[i] over the shorter length.
IntArray SubtractArrays(const IntArray& a, const IntArray& b);
void FillRange(IntArray& values, int value, int first, int last);
void FillAll(IntArray& values, int value);
// How many columns of each kind lie in first..last.
void CountKinds(std::array<int, 4>& counts, const TWidthTypeArray& kinds, int first, int last);
int SumOfKind(TWidthType kind, const TWidthTypeArray& kinds, const IntArray& values, int first, int last);
int SumOfOtherKinds(TWidthType kind, const TWidthTypeArray& kinds, const IntArray& values, int first, int last);

// Shares of `total` for the columns in `columns` (ascending indexes) in proportion to
// `weights` (one per column): walked from the highest index down over cumulative sums, so
// that the shares add up to `total` exactly; the lowest index takes the remainder. Equal
// shares when the weights sum to 0 or less.
IntArray ShareByWeights(const std::vector<int>& columns, const IntArray& weights, int total);
