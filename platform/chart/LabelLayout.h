// Placing texts of a chart so that they do not run into each other: the labels under the
// bars of a bar chart, and the marks beside the slices of a pie.
#pragma once

#include <vector>

#include "platform/gdi/geometry/Geometry.h"

// How the labels under the bars are written.
enum class TLabelPlacement {
  Straight,   // one row, each label centred under its bar
  Staggered,  // two rows, every other label in the second one
  Rotated,    // turned by 90 degrees, reading upwards, each ending just below the axis
};

// Chooses how labels of the given widths, centred in slots of slot pixels side by side, are
// written: straight or staggered when no label then comes nearer than gap to its neighbour
// in the same row, turned otherwise (a turned label needs only its height across).
TLabelPlacement ChooseLabelPlacement(const std::vector<int>& widths, double slot, int gap);

// Moves boxes up or down, as little as it can, until no two of them overlap or come nearer
// than gap to each other, keeping their order from the top and keeping them between top
// and bottom where they fit (when they do not, the lowest one may end below bottom). Boxes
// keep their size and horizontal place.
void SpreadVertically(std::vector<TRect>& boxes, int gap, int top, int bottom);
