// Exceptions of the bitmap and image classes: broken or unsupported image data, and
// operations a graphic cannot carry out (a scan line out of range, a size over the budget).
#pragma once

#include "platform/rtl/Exceptions.h"

WENDREL_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
WENDREL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
