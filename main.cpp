// Wendrel's entry point: starts the Qt window system, creates the windows in order and runs
// the message loop until the main window closes. The main window stays empty until its
// controls are built.
#include <memory>

#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"

int main(int argc, char** argv) {
  TApplication application;
  Application->SetBackend(std::make_unique<TQtBackend>(argc, argv));
  Application->Initialize();
  Application->SetMainFormOnTaskBar(true);
  TForm* Form1 = nullptr;
  Application->CreateForm(Form1);
  Form1->SetCaption(u"Wendrel");
  Form1->SetClientWidth(742);
  Form1->SetClientHeight(722);
  Application->Run();
  return 0;
}
