// Keyboard shortcuts of menu items: a virtual key code with modifier bits, and its text
// ("Ctrl+A", "Shift+Ctrl+F5").
#pragma once

#include <cstdint>

#include "platform/rtl/Types.h"

using TShortCut = uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// "Ctrl+A" -> scCtrl | 'A'. Modifier and key names compare without regard to case; a text
// that names no key gives scNone.
TShortCut TextToShortCut(const String& text);
// scCtrl | 'A' -> "Ctrl+A"; scNone -> "".
String ShortCutToText(TShortCut shortCut);
