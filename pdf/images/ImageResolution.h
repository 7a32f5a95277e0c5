// Recording pixels per inch in encoded image files: the JFIF density of a JPEG, a pHYs
// chunk in a PNG, the pixels-per-metre fields of a BMP. Files of other formats, or whose
// headers are not where the encoders put them, come back unchanged.
#pragma once

#include <string>

#include "pdf/images/VevPicture.h"

std::string WithResolution(std::string file, TVevImageFormat format, int dpi);
