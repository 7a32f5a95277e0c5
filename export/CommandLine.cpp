#include "export/CommandLine.h"

#include "platform/rtl/Paths.h"
#include "platform/rtl/Compare.h"
#include "platform/rtl/StrUtils.h"

TExportCommand ReadExportCommand(const std::vector<String>& args) {
  TExportCommand command;
  if (args.empty()) return command;
  const String& first = args[0];
  const String ext = UpperCase(ExtractFileExt(first));
  if (ext == u".HTML" || ext == u".HTM") {
    command.Kind = TExportCommand::Convert;
    command.Html = ExpandFileName(first);
    command.Pdf = args.size() == 2 ? ExpandFileName(args[1]) : ChangeFileExt(command.Html, u".pdf");
  } else if (SameText(first, u"/silent")) {
    command.Kind = TExportCommand::Silent;
  }
  return command;
}
