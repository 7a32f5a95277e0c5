// The command line of the export: an existing .html or .htm file converts that file into
// the PDF file named by the second argument when exactly two are given, else into the
// same name with ".pdf"; "/silent" converts the files named in the settings. Both run
// without a window and end the program.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"

struct TExportCommand {
  enum TKind {
    None,     // no conversion asked for: the program starts as usual
    Convert,  // Html into Pdf (absolute paths)
    Silent,   // the files named in the settings
  };
  TKind Kind = None;
  String Html;
  String Pdf;
  bool Unattended() const { return Kind != None; }
};

// The arguments without the program's name. A first argument ending in ".html" or ".htm"
// (any case) asks for a conversion also when no such file exists: the conversion then
// fails with its reason instead of the program starting a window for a script.
TExportCommand ReadExportCommand(const std::vector<String>& args);
