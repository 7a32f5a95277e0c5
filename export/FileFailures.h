// Why the export could not write or read a file, in the export's own words (English, like
// its other messages), each ending with a full stop.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/rtl/WholeFileWrite.h"

String WriteFailureReason(const EFileWriteError& error);

// Why the file cannot be opened for reading (it is opened again to ask); `fallback` when
// it now can be.
String ReadFailureReason(const String& fileName, const String& fallback);
