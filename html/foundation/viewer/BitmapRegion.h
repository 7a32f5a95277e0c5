// The region of the pixels of a bitmap that differ from a colour.
#pragma once

#include <optional>

#include "platform/gdi/Colors.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/gdi/regions/Region.h"

class TBitmap;

// Every run of pixels in a row whose red, green and blue differ from `color` becomes a
// one-pixel-high rectangle, transformed by `transform` when given. Nothing when no pixel
// differs.
std::optional<TRegion> RegionFromBitmap(const TBitmap& bitmap, const TXForm* transform, TColor color);
