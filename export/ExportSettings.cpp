// The export window's settings file: read into the controls when the window is made,
// written from them when it goes.
#include <cmath>

#include "export/ExportWindow.h"
#include "export/FileFailures.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Paths.h"
#include "platform/ui/app/Application.h"

namespace {

constexpr const char16_t* kSettings = u"Settings";
constexpr const char16_t* kMargins = u"Margins";
constexpr double kDefaultMargin = 1;

bool TryMargin(const String& text, double& cm) { return TryParseIniFloat(text, cm) && std::isfinite(cm); }

int IndexOrDefault(int index, const TComboBox& box) { return index >= 0 && index < box.Items().Count() ? index : 0; }

}  // namespace

String ExportSettingsFileName() {
  String exe = Application ? ExtractFileName(Application->ExeName()) : String(u"wendrel");
  return ProgramFolder() + ChangeFileExt(exe, u".ini");
}

double MarginOf(const TEdit& edit, const String& which) {
  double cm = 0;
  if (!TryMargin(edit.Text(), cm))
    throw EConvertError(u"The " + which + u" margin \"" + edit.Text() + u"\" is not a number of centimetres.");
  return cm;
}

String MarginText(double cm) { return FloatToStr(cm); }

void TMainForm::ReadSettings() {
  lbHTML->SetText(IniFile->ReadString(kSettings, u"HTML", u""));
  lbPDF->SetText(IniFile->ReadString(kSettings, u"PDF", u""));
  cxOpenAfterSave->SetChecked(IniFile->ReadBool(kSettings, u"OpenAfterSave", true));
  edMarginLeft->SetText(MarginText(IniFile->ReadFloat(kMargins, u"Left", kDefaultMargin)));
  edMarginTop->SetText(MarginText(IniFile->ReadFloat(kMargins, u"Top", kDefaultMargin)));
  edMarginRight->SetText(MarginText(IniFile->ReadFloat(kMargins, u"Right", kDefaultMargin)));
  edMarginBottom->SetText(MarginText(IniFile->ReadFloat(kMargins, u"Bottom", kDefaultMargin)));
  cxPrintPage->SetChecked(IniFile->ReadBool(kMargins, u"PrintPage", false));
  cxScaleToFit->SetChecked(IniFile->ReadBool(kSettings, u"ScaleToFit", false));
  cbOrientation->SetItemIndex(IndexOrDefault(IniFile->ReadInteger(kSettings, u"Orientation", 0), *cbOrientation));
  cbPaperSize->SetItemIndex(IndexOrDefault(IniFile->ReadInteger(kSettings, u"PaperSize", 0), *cbPaperSize));
}

void TMainForm::WriteSettings() {
  WriteFileName(u"HTML", lbHTML->Text());
  WriteFileName(u"PDF", lbPDF->Text());
  IniFile->WriteBool(kSettings, u"OpenAfterSave", cxOpenAfterSave->Checked());
  // A box that holds no number keeps the value stored before.
  const std::pair<const char16_t*, TEdit*> margins[] = {
      {u"Left", edMarginLeft}, {u"Top", edMarginTop}, {u"Right", edMarginRight}, {u"Bottom", edMarginBottom}};
  for (const auto& [key, edit] : margins) {
    double cm = 0;
    if (TryMargin(edit->Text(), cm)) IniFile->WriteFloat(kMargins, key, cm);
  }
  IniFile->WriteBool(kMargins, u"PrintPage", cxPrintPage->Checked());
  IniFile->WriteBool(kSettings, u"ScaleToFit", cxScaleToFit->Checked());
  IniFile->WriteInteger(kSettings, u"Orientation", cbOrientation->ItemIndex());
  IniFile->WriteInteger(kSettings, u"PaperSize", cbPaperSize->ItemIndex());
}

void TMainForm::WriteFileName(const String& key, const String& fileName) {
  if (IniValueStorable(fileName)) {
    IniFile->WriteString(kSettings, key, fileName);
    return;
  }
  // Stored, the name would read back as another one (or add lines to the file): it is
  // left out, so that "/silent" names no file rather than a wrong one.
  IniFile->DeleteKey(kSettings, key);
  ReportWarning(u"The " + key + u" file name \"" + fileName + u"\" is not kept in \"" + IniFile->FileName() +
                u"\": a name with a line break, with a blank at either end or with bytes that are not UTF-8 "
                u"cannot be stored there.");
}

void TMainForm::FormCreate(TComponent*) {
  IniFile = std::make_unique<TMemIniFile>(ExportSettingsFileName());
  ReadSettings();
  // A conversion asked for on the command line does not load the file named in the
  // settings first: a stale name there must not stand in its way.
  if (Command.Unattended()) {
    ConvertUnattended();
    return;
  }
  // The remembered file is loaded when the window is first shown (a long document would
  // hold up every start of the program, and a stale name would greet it with an error).
  rememberedPending_ = !lbHTML->Text().empty();
}

void TMainForm::FormShow(TComponent*) { LoadRememberedHtml(); }

void TMainForm::FormDestroy(TComponent*) {
  if (!IniFile) return;
  WriteSettings();
  // The conversion is done whether or not its names can be remembered.
  try {
    IniFile->UpdateFile();
  } catch (const EFileWriteError& e) {
    ReportWarning(u"The settings could not be saved to \"" + IniFile->FileName() + u"\": " + WriteFailureReason(e));
  }
  IniFile.reset();
}
