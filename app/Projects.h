// Project names.
#pragma once

#include "platform/rtl/Types.h"

// A name that can stand for a folder below "\projekte": not empty, without "/", "\" and "..".
bool IsValidProjectName(const String& name);
