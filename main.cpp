// Wendrel's entry point. A conversion asked for on the command line runs first, without
// any window system (so it runs on a machine without a display), and ends the program.
// Otherwise, when Qt can open a display to show windows on: starts the Qt window system,
// creates the windows in order (the main window first) and runs the message loop until the
// main window closes. Without a display it says so and how to convert, and ends with 1.
#include <memory>
#include <vector>

#include "app/AppForms.h"
#include "app/MainForm.h"
#include "app/ScraperForm.h"
#include "app/SettingsForm.h"
#include "app/TransferForm.h"
#include "export/CommandLine.h"
#include "export/ExportWindow.h"
#include "platform/net/HttpSettings.h"
#include "platform/rtl/NativeNames.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Wait.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtDisplay.h"

int main(int argc, char** argv) {
  std::vector<String> args;
  for (int i = 1; i < argc; ++i) args.push_back(FileNameFromNative(argv[i]));
  const TExportCommand command = ReadExportCommand(args);

  TApplication application;
  // Message boxes carry the program's name, not the executable's file name.
  Application->SetTitle(u"Wendrel");
  if (command.Kind != TExportCommand::None) return RunExportCommand(command);
  // Qt chooses the display as it always does; when it can open none, this ends the program.
  Application->SetBackend(std::make_unique<TQtBackend>(StartQtApplication(
      argc, argv,
      "wendrel: there is no display to show the windows on (none is named, or it cannot be opened).\n"
      "To convert an HTML file without windows: wendrel page.html [out.pdf]\n",
      1)));
  Application->Initialize();
  Application->SetMainFormOnTaskBar(true);
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->CreateForm(Form3);
  Application->CreateForm(Form4);
  TMainForm* exportWindow = nullptr;
  Application->CreateForm(exportWindow);
  MainForm = exportWindow;
  // Windows repaint and take input while a workflow waits for a web answer; closing the
  // program breaks off the request.
  SetHttpIdleHandler(ProcessMessagesWhileWaiting);
  Application->Run();
  return 0;
}
