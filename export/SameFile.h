// Whether two names lead to the same file: one path written two ways, a symbolic link to
// it or a hard link of it.
#pragma once

#include "platform/rtl/Types.h"

// True when both names exist and are one file (same device and inode, links followed).
bool SameFile(const String& first, const String& second);
