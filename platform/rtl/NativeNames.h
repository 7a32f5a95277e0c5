// File names as the file system and the command line hold them: bytes, mostly UTF-8. A
// name that is not UTF-8 still names its file: each byte that is not part of well-formed
// UTF-8 (0x80 to 0xFF) is held in the String as the lone surrogate U+DC80 to U+DCFF, and
// goes back to the file system as that byte.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

// The name as String; NativeFileName gives back exactly these bytes.
String FileNameFromNative(std::string_view bytes);
// The bytes of the name for the file system: UTF-8, and each unit that stands for a byte
// that is not UTF-8 that byte again.
std::string NativeFileName(const String& name);
// The text for a message: each byte that is not UTF-8 written as "\xFF", and each control
// character (a line break in a name) as "\x0A", so that the message stays one line.
String ReadableFileName(const String& name);
