// The command line of the export: an existing .html or .htm file converts that file into
// the PDF file named by a second argument, else into the same name with ".pdf"; "/silent"
// converts the files named in the settings. Both run without a window and end the program.
// "--help" shows the usage; arguments the command line does not know are refused.
#pragma once

#include <iosfwd>
#include <vector>

#include "platform/rtl/Types.h"

struct TExportCommand {
  enum TKind {
    None,     // no conversion asked for: the program starts as usual
    Convert,  // Html into Pdf (absolute paths)
    Silent,   // the files named in the settings
    Help,     // "--help": the usage, nothing else
    Refused,  // arguments the command line does not know (Error says which)
  };
  TKind Kind = None;
  String Html;
  String Pdf;
  String Error;
  bool Unattended() const { return Kind == Convert || Kind == Silent; }
};

// The arguments without the program's name, as the file system holds them (see
// FileNameFromNative). A first argument ending in ".html" or ".htm" (any case) asks for a
// conversion also when no such file exists: the conversion then fails with its reason
// instead of the program starting a window for a script. An argument starting with "-"
// is an option: "--help", or one of the window system's own (such as "-platform
// offscreen"); any other is refused, as is an argument more than the command knows.
TExportCommand ReadExportCommand(const std::vector<String>& args);

// What the program says about its command line.
String ExportUsage();

// For Help and Refused: writes the usage (and why the arguments are refused) and returns
// the exit code, 0 for Help and 2 for Refused.
int AnswerCommandLine(const TExportCommand& command, std::ostream& output, std::ostream& errors);
