// Form data as a browser sends it (application/x-www-form-urlencoded): the name=value lines
// of a submission joined by "&", names and values in UTF-8 with every byte other than
// letters, digits and "*-._" percent-encoded and blanks written as "+".
#pragma once

#include "platform/rtl/StringList.h"
#include "platform/rtl/Types.h"

// One name or value; a lone surrogate is encoded as U+FFFD.
String EncodeFormText(const String& text);
// Each line is split at its first "="; a line without one is a name with an empty value.
String EncodeFormData(const TStringList& lines);
