#include "export/ExportWindow.h"

#include <iostream>

#include "export/FileFailures.h"
#include "export/Html2Pdf.h"
#include "export/SameFile.h"
#include "platform/gdi/Colors.h"
#include "platform/office/Spreadsheet.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/NativeNames.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/BusyScope.h"


namespace {

template <class T>
T* Add(TMainForm* form, TWinControl* parent, const char16_t* name, int left, int top, int width, int height,
       const String& caption = String()) {
  T* c = new T(form);
  c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  if (!caption.empty()) c->SetText(caption);
  return c;
}

TLabel* PathLabel(TMainForm* form, TWinControl* parent, const char16_t* name, int left, int top, int width) {
  auto* label = Add<TLabel>(form, parent, name, left, top, width, 17);
  label->SetAlignment(TAlignment::taCenter);
  TFont font = label->Font();
  font.SetColor(clNavy);
  label->SetFont(font);
  return label;
}

}  // namespace

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner), ErrorOutput(&std::cerr), Opener(OpenWithDesktop) {
  SetName(u"MainForm");
  SetCaption(u"Html2Pdf");
  SetClientWidth(800);
  SetClientHeight(600);

  auto* bar = Add<TPanel>(this, this, u"Panel1", 0, 0, 800, 100);
  bar->SetAlign(TAlign::alTop);
  bar->SetBevelOuter(TPanelBevel::bvNone);
  btnOpen = Add<TButton>(this, bar, u"btnOpen", 8, 6, 75, 25, u"Open");
  lbHTML = PathLabel(this, bar, u"lbHTML", 92, 10, 700);
  cxOpenAfterSave = Add<TCheckBox>(this, bar, u"cxOpenAfterSave", 8, 40, 110, 17, u"Open after save");
  btnSaveAs = Add<TButton>(this, bar, u"btnSaveAs", 122, 36, 75, 25, u"Save As");
  btnSave = Add<TButton>(this, bar, u"btnSave", 203, 36, 75, 25, u"Save");
  lbPDF = PathLabel(this, bar, u"lbPDF", 286, 40, 506);
  cbPaperSize = Add<TComboBox>(this, bar, u"cbPaperSize", 8, 70, 70, 21);
  cbPaperSize->SetStyle(TComboBoxStyle::csDropDownList);
  cbPaperSize->Items().SetText(u"A4\r\nA5\r\nA3\r\nLetter\r\nLegal\r\n");
  cbPaperSize->SetItemIndex(0);
  cbOrientation = Add<TComboBox>(this, bar, u"cbOrientation", 84, 70, 90, 21);
  cbOrientation->SetStyle(TComboBoxStyle::csDropDownList);
  cbOrientation->Items().SetText(u"Portrait\r\nLandscape\r\n");
  cbOrientation->SetItemIndex(0);
  cxScaleToFit = Add<TCheckBox>(this, bar, u"cxScaleToFit", 182, 72, 90, 17, u"Scale to fit");
  lbMargins = Add<TLabel>(this, bar, u"lbMargins", 278, 73, 200, 17, u"Margins Left, Top, Right, Bottom:");
  edMarginLeft = Add<TEdit>(this, bar, u"edMarginLeft", 482, 70, 45, 21);
  edMarginTop = Add<TEdit>(this, bar, u"edMarginTop", 531, 70, 45, 21);
  edMarginRight = Add<TEdit>(this, bar, u"edMarginRight", 580, 70, 45, 21);
  edMarginBottom = Add<TEdit>(this, bar, u"edMarginBottom", 629, 70, 45, 21);
  cxPrintPage = Add<TCheckBox>(this, bar, u"cxPrintPage", 682, 72, 100, 17, u"with Page #");
  // Narrower, the bar would cut off the last margin boxes and "with Page #"; lower, the
  // document would have no room.
  SetConstraints({cxPrintPage->Left() + cxPrintPage->Width() + 8, bar->Height() + 150});
  SetPosition(TPosition::poMainFormCenter);

  OpenDialog = new TOpenDialog(this);
  // Two patterns: "*.htm?" would match neither name on Linux (one character more).
  OpenDialog->Filter = u"HTML Files|*.htm;*.html";
  SaveDialog = new TSaveDialog(this);
  SaveDialog->Filter = u"PDF Files|*.pdf";
  SaveDialog->DefaultExt = u".pdf";

  if (HtmlViewFactory) {
    viewer_ = HtmlViewFactory(*this);
    Viewer = viewer_.get();
    if (Viewer) Viewer->Control().SetAlign(TAlign::alClient);
  }

  OnCreate = [this](TComponent* Sender) { FormCreate(Sender); };
  OnShow = [this](TComponent* Sender) { FormShow(Sender); };
  OnDestroy = [this](TComponent* Sender) { FormDestroy(Sender); };
  btnOpen->OnClick = [this](TComponent* Sender) { btnOpenClick(Sender); };
  btnSaveAs->OnClick = [this](TComponent* Sender) { btnSaveAsClick(Sender); };
  btnSave->OnClick = [this](TComponent* Sender) { btnSaveClick(Sender); };
}

TMainForm::~TMainForm() = default;

void TMainForm::ReportFailure(const String& text) {
  if (Command.Unattended()) {
    ExitCode = 1;
    *ErrorOutput << StringToUtf8(ReadableFileName(text)) << std::endl;
  } else if (Application) {
    Application->MessageBox(ReadableFileName(text), u"Html2Pdf", MB_OK | MB_ICONERROR);
  }
}

void TMainForm::ReportWarning(const String& text) {
  if (Command.Unattended())
    *ErrorOutput << "Warning: " << StringToUtf8(ReadableFileName(text)) << std::endl;
  else if (Application)
    Application->MessageBox(ReadableFileName(text), u"Html2Pdf", MB_OK | MB_ICONWARNING);
}

bool TMainForm::LoadHtml(const String& fileName) {
  rememberedPending_ = false;
  if (Viewer == nullptr) {
    ReportFailure(u"Cannot show \"" + fileName + u"\": this program has no HTML viewer.");
    return false;
  }
  String failure;
  {
    TBusyScope busy;
    try {
      // A conversion that shows no window lays the document out for its pages only.
      if (Command.Unattended()) Viewer->LoadDocumentFileForPaging(fileName);
      else Viewer->LoadDocumentFile(fileName);
    } catch (const EStreamError& e) {
      // The file is there (the viewer says so otherwise) but cannot be read.
      failure = u"Cannot read \"" + fileName + u"\": " + ReadFailureReason(fileName, e.Message());
    } catch (const Exception& e) {
      failure = e.Message();
    }
  }
  if (failure.empty()) return true;
  ReportFailure(failure);
  return false;
}

bool TMainForm::LoadRememberedHtml() { return !rememberedPending_ || LoadHtml(lbHTML->Text()); }

void TMainForm::btnOpenClick(TComponent*) {
  OpenDialog->InitialDir = ExtractFilePath(lbHTML->Text());
  OpenDialog->FileName = ExtractFileName(lbHTML->Text());
  if (!OpenDialog->Execute()) return;
  lbHTML->SetText(OpenDialog->FileName);
  LoadHtml(lbHTML->Text());
}

void TMainForm::btnSaveAsClick(TComponent* Sender) {
  String folder = ExtractFilePath(lbPDF->Text());
  // Not again where the last save could not be written: the HTML file's folder instead.
  if (!failedSaveFolder_.empty() && folder == failedSaveFolder_) folder = ExtractFilePath(lbHTML->Text());
  SaveDialog->InitialDir = folder;
  SaveDialog->FileName = ChangeFileExt(ExtractFileName(lbHTML->Text()), u"");
  if (!SaveDialog->Execute()) return;
  lbPDF->SetText(SaveDialog->WithDefaultExt(SaveDialog->FileName));
  btnSaveClick(Sender);
}

void TMainForm::btnSaveClick(TComponent* Sender) {
  if (lbPDF->Text().empty()) {
    btnSaveAsClick(Sender);
    return;
  }
  if (!LoadRememberedHtml()) return;
  if (!SavePdf() || !cxOpenAfterSave->Checked() || Command.Unattended()) return;
  if (Opener && !Opener(lbPDF->Text()) && Application)
    Application->MessageBox(u"The PDF file was saved as \"" + lbPDF->Text() + u"\", but no program could open it.",
                            u"Html2Pdf", MB_OK | MB_ICONINFORMATION);
}

void TMainForm::ConfigureDocument(THtml2Pdf& doc) {
  doc.Viewer = Viewer;
  doc.MarginLeft = MarginOf(*edMarginLeft, u"Left");
  doc.MarginTop = MarginOf(*edMarginTop, u"Top");
  doc.MarginRight = MarginOf(*edMarginRight, u"Right");
  doc.MarginBottom = MarginOf(*edMarginBottom, u"Bottom");
  doc.ScaleToFit = cxScaleToFit->Checked();
  doc.SetOrientation(cbOrientation->ItemIndex() != 0);
  doc.ApplyPaperSize(cbPaperSize->ItemIndex());
  doc.PrintPageNumbers = cxPrintPage->Checked();
  doc.FooterFormat = FooterFormatFor(lbHTML->Text());
}

bool TMainForm::SavePdf() {
  const String pdf = lbPDF->Text();
  String failure;
  {
    TBusyScope busy;
    failure = WritePdf(pdf);
  }
  if (failure.empty()) return true;
  ReportFailure(u"Cannot save \"" + pdf + u"\": " + failure);
  return false;
}

String TMainForm::WritePdf(const String& pdf) {
  // Writing there would overwrite the page with its own PDF.
  if (SameFile(pdf, lbHTML->Text()))
    return u"it is the HTML file being converted; name another file for the PDF.";
  THtml2Pdf doc;
  try {
    ConfigureDocument(doc);
    doc.RenderPages();
  } catch (const EHtml2PdfError& e) {
    // Unattended, the margins are those of the settings file.
    if (Command.Unattended())
      return e.Message() + u" The margins are set in [Margins] of \"" + IniFile->FileName() + u"\".";
    return e.Message();
  } catch (const Exception& e) {
    return e.Message();
  }
  if (doc.Pages().empty()) return u"there is no HTML document to convert.";
  try {
    WriteWholeFile(pdf, [&doc](TStream& file) { doc.WriteToStream(file); });
  } catch (const EFileWriteError& e) {
    failedSaveFolder_ = ExtractFilePath(pdf);
    return WriteFailureReason(e);
  } catch (const Exception& e) {
    failedSaveFolder_ = ExtractFilePath(pdf);
    return e.Message();
  }
  failedSaveFolder_.clear();
  return String();
}
