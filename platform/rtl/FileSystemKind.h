// What kind of file system a path lies on.
#pragma once

#include "platform/rtl/Types.h"

// True for a path in the kernel's own view of the system rather than in stored files: the
// process and system tables (/proc, /sys), the device folder /dev and the kernel's other
// virtual file systems (devpts, debugfs, cgroups, ...). Their entries are no place for a
// user's files, and reading some of them blocks (/proc/kmsg). False for a path that does
// not exist.
bool IsOnPseudoFileSystem(const String& path);
