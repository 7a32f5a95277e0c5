#include "html/document/paging/Printing.h"

void RefusePrinter(const TPrinter* printer, TPrintMode mode) {
  if (!printer) throw EIllegalArgument(u"No printer to print or preview to.");
  if (mode == pmCountPages)
    throw EIllegalArgument(
        u"Getting the total number of pages to print requires a printer based on TMetaFilePrinter but not a " +
        printer->ClassName());
  throw EIllegalArgument(u"Previewing a print requires a printer based on TMetaFilePrinter but not a " +
                         printer->ClassName());
}
