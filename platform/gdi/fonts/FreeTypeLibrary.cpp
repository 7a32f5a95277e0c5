#include "platform/gdi/fonts/FreeTypeLibrary.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/gdi/fonts/FontResolver.h"
#include "platform/rtl/Unicode.h"

std::mutex& FreeTypeLibraryMutex() {
  static std::mutex m;
  return m;
}

FT_Library FreeTypeLibrary() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw EFontError(S("FreeType kann nicht gestartet werden"));
    return lib;
  }();
  return library;
}
