// The errors that line lists raise, with the platform's German texts.
#pragma once

#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

// "Listenindex überschreitet das Maximum (<index>)"
[[noreturn]] inline void ListIndexError(int index) {
  throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) +
                   u")");
}

[[noreturn]] inline void DuplicateStringError() {
  throw EListError(S("Stringliste erlaubt keine Duplikate"));
}

[[noreturn]] inline void SortedListError() {
  throw EListError(S("Operation bei sortierten Listen nicht erlaubt"));
}
