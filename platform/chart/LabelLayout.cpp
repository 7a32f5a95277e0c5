#include "platform/chart/LabelLayout.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

namespace {

// Whether labels centred step slots apart (step 1: neighbours, 2: every other one) keep gap.
bool RowsFit(const std::vector<int>& widths, double slot, int gap, size_t step) {
  for (size_t i = 0; i + step < widths.size(); ++i)
    if ((widths[i] + widths[i + step]) / 2.0 + gap > slot * static_cast<double>(step)) return false;
  return true;
}

}  // namespace

TLabelPlacement ChooseLabelPlacement(const std::vector<int>& widths, double slot, int gap) {
  if (RowsFit(widths, slot, gap, 1)) return TLabelPlacement::Straight;
  // Staggered labels read better than turned ones, when they fit.
  if (RowsFit(widths, slot, gap, 2)) return TLabelPlacement::Staggered;
  return TLabelPlacement::Rotated;
}

void SpreadVertically(std::vector<TRect>& boxes, int gap, int top, int bottom) {
  if (boxes.empty()) return;
  std::vector<size_t> order(boxes.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return boxes[a].Top + boxes[a].Bottom < boxes[b].Top + boxes[b].Bottom;
  });
  auto moveTo = [&](TRect& r, int newTop) { r = r.Offset(0, newTop - r.Top); };
  // Down from the top: each box starts no higher than top and below the one before.
  int limit = top;
  for (size_t i : order) {
    if (boxes[i].Top < limit) moveTo(boxes[i], limit);
    limit = boxes[i].Bottom + gap;
  }
  // Up from the bottom: boxes pushed past bottom go back up as far as the ones above allow.
  limit = bottom;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    TRect& r = boxes[*it];
    if (r.Bottom > limit) moveTo(r, std::max(top, limit - r.Height()));
    limit = r.Top - gap;
  }
  // Where they do not fit, the second pass may have let boxes overlap at the top: the first
  // pass again keeps them apart (and lets the lowest ones hang below).
  limit = top;
  for (size_t i : order) {
    if (boxes[i].Top < limit) moveTo(boxes[i], limit);
    limit = boxes[i].Bottom + gap;
  }
}
