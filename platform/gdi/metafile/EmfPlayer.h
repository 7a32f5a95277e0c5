// Playing an enhanced metafile onto any device context: the records are drawn in order,
// scaled so that the metafile's frame fills `dest` (logical units of the target). The target
// starts from the default state (black pen, white brush, default font, black text on an
// opaque white background) and gets its own state back afterwards; the metafile's clipping
// never reaches outside the clip region the target had before.
//
// World transforms move the points of every shape (an upright shape stays upright: its
// corners are transformed). Records that the device-context interface cannot express
// (palettes, chords, mask and plane blits, clip paths, comments) are skipped. A malformed metafile raises
// EInvalidMetafile; what was drawn up to the broken record stays drawn.
#pragma once

#include <string_view>

#include "platform/gdi/dc/DeviceContext.h"

void PlayEnhMetafile(TDeviceContext& target, std::string_view metafile, const TRect& dest);
