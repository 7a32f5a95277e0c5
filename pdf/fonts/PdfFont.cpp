#include "pdf/fonts/PdfFont.h"

int TPdfFont::WidthOfAnsiChar(std::string_view, int) const { return 0; }
