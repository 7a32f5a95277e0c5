// TMainForm: the export window "Html2Pdf". It shows an HTML file, lets the user choose the
// PDF file, margins, paper, orientation, scaling and a page-number footer, and writes the
// PDF through THtml2Pdf. Its settings live in the program's .ini file (read in FormCreate,
// written in FormDestroy). Given an unattended command, FormCreate converts without showing
// anything and reports failures on standard error with ExitCode 1.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>

#include "export/CommandLine.h"
#include "export/HtmlView.h"
#include "platform/rtl/IniFiles.h"
#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/CheckBoxes.h"
#include "platform/ui/controls/Edits.h"
#include "platform/ui/controls/ListControls.h"
#include "platform/ui/dialogs/FileDialogs.h"
#include "platform/ui/forms/Form.h"

class THtml2Pdf;

// The settings file: the program's file name with ".ini", in the program folder.
String ExportSettingsFileName();

// A margin box's text as centimetres ("1,5" and "1.5" alike); raises EConvertError naming
// the margin when the text is not a number.
double MarginOf(const TEdit& edit, const String& which);
// How a margin box shows centimetres (the platform's float text, "1,5").
String MarginText(double cm);

class TMainForm : public TForm {
 public:
  explicit TMainForm(TComponent* AOwner);
  ~TMainForm() override;

  void FormCreate(TComponent* Sender);
  // Loads the HTML file named in the settings the first time the window is shown.
  void FormShow(TComponent* Sender);
  void FormDestroy(TComponent* Sender);
  void btnOpenClick(TComponent* Sender);
  void btnSaveAsClick(TComponent* Sender);
  void btnSaveClick(TComponent* Sender);

  TButton* btnOpen;
  TLabel* lbHTML;
  THtmlView* Viewer = nullptr;  // null when no viewer could be made
  TCheckBox* cxOpenAfterSave;
  TButton* btnSaveAs;
  TButton* btnSave;
  TLabel* lbPDF;
  TComboBox* cbPaperSize;
  TComboBox* cbOrientation;
  TCheckBox* cxScaleToFit;
  TLabel* lbMargins;
  TEdit* edMarginLeft;
  TEdit* edMarginTop;
  TEdit* edMarginRight;
  TEdit* edMarginBottom;
  TCheckBox* cxPrintPage;
  TOpenDialog* OpenDialog;
  TSaveDialog* SaveDialog;
  std::unique_ptr<TMemIniFile> IniFile;

  // Set before FormCreate runs: a conversion asked for on the command line.
  TExportCommand Command;
  // 0, or 1 once an unattended conversion failed (a settings file that cannot be saved is
  // only a warning: the PDF is the result).
  int ExitCode = 0;
  // Where unattended failures are written (standard error unless a test says otherwise).
  std::ostream* ErrorOutput;
  // Opens a saved PDF with the desktop (xdg-open); true when it could.
  std::function<bool(const String& fileName)> Opener;

 private:
  // Loads the file into the viewer (the busy cursor shows, the clicks made meanwhile are
  // dropped); false (after telling why) when it could not.
  bool LoadHtml(const String& fileName);
  // Loads the file named in the settings unless it was loaded or another file was opened;
  // false when that load failed.
  bool LoadRememberedHtml();
  // The save of btnSaveClick, busy like a load; false (after telling why) when no file
  // was written.
  bool SavePdf();
  // Pages the document into the file; empty, or why nothing was written.
  String WritePdf(const String& pdf);
  void ConfigureDocument(THtml2Pdf& doc);
  // A failure of the window's work: a message box, or unattended a line on ErrorOutput.
  void ReportFailure(const String& text);
  // Something the user should know that did not stop the work (ExitCode stays): a message
  // box, or unattended a line "Warning: ..." on ErrorOutput.
  void ReportWarning(const String& text);
  void ReadSettings();
  void WriteSettings();
  // Stores a file name under [Settings], or leaves it out (with a warning) when the file
  // could not give it back as the same name.
  void WriteFileName(const String& key, const String& fileName);
  void ConvertUnattended();

  std::unique_ptr<THtmlView> viewer_;
  // The settings name an HTML file that has not been loaded yet.
  bool rememberedPending_ = false;
  // The folder of the last PDF that could not be written; empty after a save that worked.
  String failedSaveFolder_;
};

// Runs an unattended command the way the program does when it starts with one: the
// window is made (reading the settings and converting) and destroyed again (writing them)
// without being shown. Needs an Application; returns the exit code. Help and refused
// arguments are answered (AnswerCommandLine) without a window.
int RunExportCommand(const TExportCommand& command);
