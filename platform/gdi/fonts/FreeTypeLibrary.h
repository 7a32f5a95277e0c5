// The process-wide FreeType library handle. FreeType allows one library to serve faces on
// several threads only when face creation and destruction are serialised, which LibraryMutex does.
#pragma once

#include <mutex>

typedef struct FT_LibraryRec_* FT_Library;

FT_Library FreeTypeLibrary();
std::mutex& FreeTypeLibraryMutex();
