// The conversion the command line asks for: no window, no dialog, failures on standard
// error.
#include <iostream>

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
  if (!LoadHtml(lbHTML->Text())) return;
  btnSaveClick(this);
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
