// Texts of operating-system errors, as the German system the program assumes words them.
#pragma once

#include "platform/rtl/Types.h"

// The text of an errno value. The common file errors have their German wording; any other
// value falls back to the C library's text.
String SysErrorMessage(int errorCode);
