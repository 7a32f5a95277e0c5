// The process-wide cache of realised fonts, keyed by logical font. It keeps the most recently
// used fonts up to a fixed number (each holds an open FreeType face, a few hundred kilobytes);
// the least recently used one goes first. A font handed out stays alive while anyone holds it,
// whether or not the cache still does.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/gdi/fonts/RealizedFont.h"

// How many realised fonts the cache keeps at most.
constexpr size_t kFontCacheCapacity = 128;

// The realised font for a logical font: from the cache, or realised and cached.
std::shared_ptr<const TRealizedFont> RealizeFont(const TLogFont& font);

// How many realised fonts the cache keeps now.
size_t FontCacheSize();
