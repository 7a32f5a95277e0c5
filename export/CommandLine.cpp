#include "export/CommandLine.h"

#include <algorithm>
#include <iterator>
#include <ostream>

#include "platform/rtl/Compare.h"
#include "platform/rtl/NativeNames.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Unicode.h"

namespace {

// The window system's own options (read when the windows start), "-name" or "--name";
// those of the first list take a value, as the next argument or after "=".
constexpr const char16_t* kWindowOptionsWithValue[] = {
    u"platform", u"platformpluginpath", u"platformtheme", u"plugin", u"qmljsdebugger", u"qwindowgeometry",
    u"qwindowicon", u"qwindowtitle", u"session", u"display", u"geometry", u"style", u"stylesheet"};
constexpr const char16_t* kWindowFlags[] = {u"reverse", u"widgetcount", u"nograb", u"dograb", u"sync"};

bool Listed(const auto& list, const String& name) {
  return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

TExportCommand Refuse(const String& why) {
  TExportCommand command;
  command.Kind = TExportCommand::Refused;
  command.Error = why;
  return command;
}

TExportCommand TooMany(const String& firstExtra) {
  return Refuse(u"too many arguments: \"" + firstExtra + u"\" and what follows it are more than the command knows.");
}

}  // namespace

TExportCommand ReadExportCommand(const std::vector<String>& args) {
  std::vector<String> names;
  for (size_t i = 0; i < args.size(); ++i) {
    const String& arg = args[i];
    if (!arg.starts_with(u'-')) {
      names.push_back(arg);
      continue;
    }
    if (arg == u"--help") {
      TExportCommand help;
      help.Kind = TExportCommand::Help;
      return help;
    }
    const String option = arg.substr(arg.starts_with(u"--") ? 2 : 1);
    const size_t equals = option.find(u'=');
    const String name = option.substr(0, equals);
    if (equals == String::npos && Listed(kWindowFlags, name)) continue;
    if (!Listed(kWindowOptionsWithValue, name)) return Refuse(u"unknown option \"" + arg + u"\".");
    if (equals != String::npos) continue;
    if (i + 1 == args.size()) return Refuse(u"the option \"" + arg + u"\" needs a value.");
    ++i;
  }

  TExportCommand command;
  if (names.empty()) return command;
  const String& first = names[0];
  const String ext = UpperCase(ExtractFileExt(first));
  if (ext == u".HTML" || ext == u".HTM") {
    if (names.size() > 2) return TooMany(names[2]);
    command.Kind = TExportCommand::Convert;
    command.Html = ExpandFileName(first);
    command.Pdf = names.size() == 2 ? ExpandFileName(names[1]) : ChangeFileExt(command.Html, u".pdf");
  } else if (SameText(first, u"/silent")) {
    if (names.size() > 1) return TooMany(names[1]);
    command.Kind = TExportCommand::Silent;
  } else if (names.size() > 1) {
    // The windows take one file name (which they do not use) at most.
    return TooMany(names[1]);
  }
  return command;
}

String ExportUsage() {
  return u"Usage: wendrel page.html [out.pdf]  converts page.html (or .htm) into out.pdf, or into page.pdf\n"
         u"                                    next to it\n"
         u"       wendrel /silent              converts the files named in wendrel.ini\n"
         u"       wendrel                      opens the windows\n"
         u"       wendrel --help               shows this text\n"
         u"The settings of wendrel.ini (margins, paper, scaling, page numbers) apply to every conversion.\n"
         u"Exit codes: 0 the PDF was written, 1 it was not (the reason is on standard error), 2 the\n"
         u"arguments are wrong.\n";
}

int AnswerCommandLine(const TExportCommand& command, std::ostream& output, std::ostream& errors) {
  if (command.Kind == TExportCommand::Help) {
    output << StringToUtf8(ExportUsage());
    return 0;
  }
  errors << "wendrel: " << StringToUtf8(ReadableFileName(command.Error)) << "\n" << StringToUtf8(ExportUsage());
  return 2;
}
