// Files that a document pulls in by name (linked style sheets): read only when they are
// regular files of a bounded size, so that a link to a device or a pipe cannot hang a load.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

// The file opened for reading (others may not write meanwhile); nil when it is missing, is
// not a regular file, or holds more than maxSize bytes.
std::unique_ptr<TStream> OpenRegularFile(const String& fileName, int64_t maxSize);
