// Basic types of the runtime library: the UTF-16 string every window and engine works in,
// its character type, and the day-count date/time value.
#pragma once

#include <cstdint>
#include <string>

using Char = char16_t;
using String = std::u16string;

// Days since 30 Dec 1899; the fraction is the time of day.
using TDateTime = double;
