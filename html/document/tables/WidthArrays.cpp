#include "html/document/tables/WidthArrays.h"

#include <algorithm>
#include <cstdint>

#include "html/foundation/css/DocumentLimits.h"

int SumRange(const IntArray& values, int first, int last) {
  int64_t sum = 0;
  for (int i = std::max(first, 0); i <= last && i < static_cast<int>(values.size()); ++i) sum += values[i];
  return ClampFlowY(sum);
}

int SumAll(const IntArray& values) { return SumRange(values, 0, static_cast<int>(values.size()) - 1); }

IntArray SubtractArrays(const IntArray& a, const IntArray& b) {
  IntArray result(std::min(a.size(), b.size()));
  for (size_t i = 0; i < result.size(); ++i) result[i] = a[i] - b[i];
  return result;
}

void FillRange(IntArray& values, int value, int first, int last) {
  for (int i = std::max(first, 0); i <= last && i < static_cast<int>(values.size()); ++i) values[i] = value;
}

void FillAll(IntArray& values, int value) { std::fill(values.begin(), values.end(), value); }

void CountKinds(std::array<int, 4>& counts, const TWidthTypeArray& kinds, int first, int last) {
  counts.fill(0);
  for (int i = std::max(first, 0); i <= last && i < static_cast<int>(kinds.size()); ++i) ++counts[kinds[i]];
}

int SumOfKind(TWidthType kind, const TWidthTypeArray& kinds, const IntArray& values, int first, int last) {
  int sum = 0;
  for (int i = std::max(first, 0); i <= last && i < static_cast<int>(kinds.size()); ++i)
    if (kinds[i] == kind) sum += values[i];
  return sum;
}

int SumOfOtherKinds(TWidthType kind, const TWidthTypeArray& kinds, const IntArray& values, int first, int last) {
  int sum = 0;
  for (int i = std::max(first, 0); i <= last && i < static_cast<int>(kinds.size()); ++i)
    if (kinds[i] != kind) sum += values[i];
  return sum;
}

namespace {
// a / b rounded to the nearest integer, halves away from zero (b > 0).
int64_t RoundedDivide(int64_t a, int64_t b) { return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b); }
}  // namespace

IntArray ShareByWeights(const std::vector<int>& columns, const IntArray& weights, int total) {
  const size_t n = columns.size();
  IntArray shares(n, 0);
  if (n == 0) return shares;
  int64_t weightSum = 0;
  for (int w : weights) weightSum += w;
  const bool equal = weightSum <= 0;
  if (equal) weightSum = static_cast<int64_t>(n);
  int64_t cumulative = 0, given = 0;
  for (size_t k = n; k-- > 1;) {
    cumulative += equal ? 1 : weights[k];
    const int64_t upTo = RoundedDivide(cumulative * total, weightSum);
    shares[k] = static_cast<int>(upTo - given);
    given = upTo;
  }
  shares[0] = static_cast<int>(total - given);
  return shares;
}
