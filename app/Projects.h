// Project names.
#pragma once

#include "platform/rtl/Types.h"

// A name that can stand for a folder below "\projekte" and a line of projekte.txt: not empty,
// not ".", without "/", "\", ".." and control characters (C0, DEL, C1).
bool IsValidProjectName(const String& name);
