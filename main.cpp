// Wendrel's entry point: starts the Qt window system, creates the windows in order (the
// main window first) and runs the message loop until the main window closes.
#include <memory>

#include "app/AppForms.h"
#include "app/MainForm.h"
#include "app/ScraperForm.h"
#include "app/SettingsForm.h"
#include "app/TransferForm.h"
#include "platform/net/HttpSettings.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"

int main(int argc, char** argv) {
  TApplication application;
  Application->SetBackend(std::make_unique<TQtBackend>(argc, argv));
  Application->Initialize();
  // Message boxes carry the program's name, not the executable's file name.
  Application->SetTitle(u"Wendrel");
  Application->SetMainFormOnTaskBar(true);
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->CreateForm(Form3);
  Application->CreateForm(Form4);
  // The HTML-to-PDF export window: an empty window until the export fills it.
  TForm* exportWindow = nullptr;
  Application->CreateForm(exportWindow);
  exportWindow->SetCaption(u"Html2Pdf");
  MainForm = exportWindow;
  // Windows repaint and take input while a workflow waits for a web answer.
  SetHttpIdleHandler([] { Application->ProcessMessages(); });
  Application->Run();
  return 0;
}
