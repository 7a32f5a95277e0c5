// Fields of a CSV line as ranking exports write them.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"

// The fields of one CSV line: only commas separate; a field in double quotes may hold
// commas, and a doubled quote inside it stands for one.
std::vector<String> ParseCsvFields(const String& line);
