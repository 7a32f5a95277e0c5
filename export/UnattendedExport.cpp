// The conversion the command line asks for: no window, no dialog, failures on standard
// error.
#include <iostream>
#include <new>

#include "export/ExportWindow.h"
#include "platform/ui/app/Application.h"

void TMainForm::ConvertUnattended() {
  if (Command.Kind == TExportCommand::Convert) {
    lbHTML->SetText(Command.Html);
    lbPDF->SetText(Command.Pdf);
  }
  if (lbHTML->Text().empty()) {
    ReportFailure(u"No HTML file to convert: the settings file \"" + IniFile->FileName() + u"\" names none.");
    return;
  }
  if (lbPDF->Text().empty()) {
    ReportFailure(u"No PDF file to write: the settings file \"" + IniFile->FileName() +
                  u"\" names none (give both files: wendrel page.html out.pdf).");
    return;
  }
  // A document that needs more memory than the program may take ends the conversion with
  // the reason, like any other failure, instead of aborting the program.
  try {
    if (!LoadHtml(lbHTML->Text())) return;
    btnSaveClick(this);
  } catch (const std::bad_alloc&) {
    ReportFailure(u"Cannot convert \"" + lbHTML->Text() + u"\": there is not enough memory to convert it.");
  }
}

int RunExportCommand(const TExportCommand& command) {
  if (!command.Unattended()) return AnswerCommandLine(command, std::cout, std::cerr);
  auto* form = new TMainForm(Application);
  form->Command = command;
  form->DoCreate();
  form->DoDestroy();
  const int exitCode = form->ExitCode;
  delete form;
  return exitCode;
}
