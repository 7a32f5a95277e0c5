// The size limit every image passes before its pixels are allocated: both sides positive
// and the pixel count within a budget, computed in 64 bits so no product can overflow.
#pragma once

#include <cstdint>

// Default budget: 64 Mi pixels (256 MiB at 32 bits per pixel).
constexpr int64_t kDefaultImagePixelBudget = int64_t{64} * 1024 * 1024;
// No side may exceed this, whatever the budget.
constexpr int64_t kMaxImageSide = 1 << 20;

int64_t ImagePixelBudget();
// Lets tests and the fuzz targets lower (or raise) the budget; returns the previous one.
int64_t SetImagePixelBudget(int64_t pixels);

// Raises EInvalidGraphic when width or height is not positive, a side exceeds
// kMaxImageSide, or width * height exceeds the budget.
void CheckImageSize(int64_t width, int64_t height);
