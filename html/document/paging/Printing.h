// Printing a document to a printer object. Only printers based on TMetaFilePrinter can count
// pages or show a preview, and this system has no such class: every request to print ends
// with the message that says so.
#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

WENDREL_DECLARE_EXCEPTION(EIllegalArgument, Exception);

// A printer a document can be handed to, known by the name of its class.
class TPrinter {
 public:
  virtual ~TPrinter() = default;
  virtual String ClassName() const = 0;
};

enum TPrintMode {
  pmCountPages = 1,  // the number of pages a print would take
  pmPreview = 2,     // the pages for a preview
};

// Raises EIllegalArgument: "No printer to print or preview to." without a printer, else the
// mode's message naming the printer's class, which is not based on TMetaFilePrinter.
[[noreturn]] void RefusePrinter(const TPrinter* printer, TPrintMode mode);
