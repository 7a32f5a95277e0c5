// The first installed family of a CSS family list.
#pragma once

#include "platform/rtl/Types.h"

// Generic names map to Windows faces; quotes around a family are dropped; an empty family
// ends the search. The answer keeps the list's spelling; empty when none is installed.
String FirstAvailableFont(const String& families);
