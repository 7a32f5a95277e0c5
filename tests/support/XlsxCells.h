// Reads the cells of a written .xlsx file through Python's zipfile and XML parser (an
// outside reader of the zip of XML): cell reference ("A1") to text, shared and inline
// strings resolved, "_xHHHH_" escapes undone as spreadsheet programs do.
#pragma once

#include <map>
#include <string>

#include "platform/rtl/Types.h"

// The cells of worksheet number `sheet` (from 1); raises std::runtime_error when the file
// is no readable zip or lacks the sheet.
std::map<std::string, String> ReadXlsxCells(const std::string& path, int sheet = 1);
