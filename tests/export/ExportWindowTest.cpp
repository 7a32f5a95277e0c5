// The export window: its settings file, saving with and without a dialog, what a failed
// save tells, and the unattended conversion of the command line. The viewer is a stand-in
// that pages any existing file into two pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <sstream>

#include "export/ExportWindow.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Screen.h"
#include "platform/ui/controls/Buttons.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "tests/export/ExportTestPages.h"
#include "tests/support/TempProgramFolder.h"

namespace {

class TTestView : public THtmlView {
 public:
  explicit TTestView(TWinControl& parent) : pages_(718, 2), panel_(new TPanel(&parent)) { panel_->SetParent(&parent); }
  TControl& Control() override { return *panel_; }
  void LoadDocumentFile(const String& fileName) override {
    if (DuringWork) DuringWork();
    if (!FileExists(fileName)) throw Exception(u"Can't locate '" + fileName + u"'.");
    Loaded.push_back(fileName);
  }
  void LoadDocumentFileForPaging(const String& fileName) override {
    LoadDocumentFile(fileName);
    LoadedForPaging.push_back(fileName);
  }
  TSize MeasureDocument(int width, int height) override {
    return Loaded.empty() ? TSize{} : pages_.MeasureDocument(width, height);
  }
  void RenderEachPage(int width, int height, TPageBlockWidth blockWidth, const TTakePage& take) override {
    if (DuringWork) DuringWork();
    if (!Loaded.empty()) pages_.RenderEachPage(width, height, blockWidth, take);
  }
  int CountPages(int width, int height, TPageBlockWidth blockWidth) override {
    return Loaded.empty() ? 0 : pages_.CountPages(width, height, blockWidth);
  }
  std::vector<String> Loaded, LoadedForPaging;
  // Runs as a document is loaded and as its pages are made.
  std::function<void()> DuringWork;

 private:
  TTestPages pages_;
  TPanel* panel_;
};

class ExportWindow : public testing::Test {
 protected:
  ExportWindow() : previousFactory(HtmlViewFactory) {
    HtmlViewFactory = [](TWinControl& parent) { return std::make_unique<TTestView>(parent); };
    home.WriteFile("page.html", "<p>x</p>");
  }
  ~ExportWindow() override { HtmlViewFactory = previousFactory; }
  THtmlViewFactory previousFactory;

  // Makes the window as the program does; with a command, unattended.
  TMainForm& Start(TExportCommand command = {}) {
    form = new TMainForm(&app);
    form->Command = std::move(command);
    form->ErrorOutput = &errors;
    form->Opener = [this](const String& fileName) {
      opened.push_back(fileName);
      return true;
    };
    form->DoCreate();
    return *form;
  }
  // Ends the window as the program does (the settings are written).
  void Stop() {
    form->DoDestroy();
    delete form;
    form = nullptr;
  }
  TTestView& View() { return static_cast<TTestView&>(*form->Viewer); }
  String Path(const std::string& relative) { return Utf8ToString(home.PathOf(relative)); }
  // An absolute name as it stands, else one in the program folder.
  String Where(const std::string& name) { return name[0] == '/' ? Utf8ToString(name) : Path(name); }
  std::string Settings() { return home.ReadFile("export_tests.ini"); }
  std::vector<THeadlessBackend::TShown> Boxes() {
    std::vector<THeadlessBackend::TShown> boxes;
    for (const auto& s : headless.Shown())
      if (s.Kind == u"message") boxes.push_back(s);
    return boxes;
  }

  TTempProgramFolder home;
  TApplication app;
  THeadlessBackend& headless = static_cast<THeadlessBackend&>(app.Backend());
  TMainForm* form = nullptr;
  std::ostringstream errors;
  std::vector<String> opened;
};

TEST_F(ExportWindow, WithoutSettingsFileStartsWithTheDefaultsAndWritesThem) {
  TMainForm& f = Start();
  EXPECT_EQ(f.Caption(), u"Html2Pdf");
  EXPECT_EQ(f.lbHTML->Text(), u"");
  EXPECT_TRUE(f.cxOpenAfterSave->Checked());
  for (TEdit* e : {f.edMarginLeft, f.edMarginTop, f.edMarginRight, f.edMarginBottom}) EXPECT_EQ(e->Text(), u"1");
  EXPECT_FALSE(f.cxPrintPage->Checked());
  EXPECT_FALSE(f.cxScaleToFit->Checked());
  EXPECT_EQ(f.cbOrientation->ItemIndex(), 0);
  EXPECT_EQ(f.cbPaperSize->ItemIndex(), 0);
  EXPECT_TRUE(headless.Shown().empty());
  Stop();
  EXPECT_EQ(Settings(),
            "[Settings]\r\nHTML=\r\nPDF=\r\nOpenAfterSave=1\r\nScaleToFit=0\r\nOrientation=0\r\nPaperSize=0\r\n\r\n"
            "[Margins]\r\nLeft=1\r\nTop=1\r\nRight=1\r\nBottom=1\r\nPrintPage=0\r\n\r\n");
}

TEST_F(ExportWindow, StoredSettingsReachTheControlsAndComeBackUnchanged) {
  const std::string stored = "[Settings]\r\nHTML=" + home.PathOf("page.html") + "\r\nPDF=" + home.PathOf("out.pdf") +
                             "\r\nOpenAfterSave=0\r\nScaleToFit=1\r\nOrientation=1\r\nPaperSize=3\r\n\r\n"
                             "[Margins]\r\nLeft=1.5\r\nTop=2\r\nRight=0.25\r\nBottom=3\r\nPrintPage=1\r\n\r\n";
  home.WriteFile("export_tests.ini", stored);
  TMainForm& f = Start();
  EXPECT_EQ(f.lbHTML->Text(), Path("page.html"));
  EXPECT_EQ(f.lbPDF->Text(), Path("out.pdf"));
  EXPECT_FALSE(f.cxOpenAfterSave->Checked());
  EXPECT_EQ(f.edMarginLeft->Text(), u"1,5");  // the platform's decimal comma
  EXPECT_EQ(f.edMarginRight->Text(), u"0,25");
  EXPECT_TRUE(f.cxPrintPage->Checked());
  EXPECT_TRUE(f.cxScaleToFit->Checked());
  EXPECT_EQ(f.cbOrientation->ItemIndex(), 1);
  EXPECT_EQ(f.cbPaperSize->ItemIndex(), 3);
  Stop();
  EXPECT_EQ(Settings(), stored);
}

TEST_F(ExportWindow, UnreadableValuesReadAsDefaultsAndTheFileIsStillWritten) {
  home.WriteFile("export_tests.ini",
                 "[Settings]\r\nOrientation=7\r\nPaperSize=x\r\n[Margins]\r\nLeft=\r\nTop=abc\r\nRight=2,5\r\n");
  TMainForm& f = Start();
  EXPECT_EQ(f.edMarginLeft->Text(), u"1");
  EXPECT_EQ(f.edMarginTop->Text(), u"1");
  EXPECT_EQ(f.edMarginRight->Text(), u"2,5");
  EXPECT_EQ(f.cbOrientation->ItemIndex(), 0);
  EXPECT_EQ(f.cbPaperSize->ItemIndex(), 0);
  // A box emptied by the user keeps the stored value; the other settings are saved.
  f.edMarginBottom->SetText(u"");
  f.lbPDF->SetText(u"/tmp/new.pdf");
  Stop();
  std::string written = Settings();
  EXPECT_NE(written.find("PDF=/tmp/new.pdf\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("Left=1\r\nTop=1\r\nRight=2.5\r\n"), std::string::npos) << written;
  EXPECT_EQ(written.find("Bottom="), std::string::npos) << written;
}

// Starting the program costs nothing for the remembered file: it is loaded when the window
// is first shown, and not again when it is shown once more.
TEST_F(ExportWindow, TheRememberedHtmlFileIsLoadedWhenTheWindowIsFirstShown) {
  home.WriteFile("export_tests.ini", "[Settings]\r\nHTML=" + home.PathOf("page.html") + "\r\n");
  TMainForm& f = Start();
  EXPECT_TRUE(View().Loaded.empty());
  f.Show();
  EXPECT_EQ(View().Loaded, std::vector<String>{Path("page.html")});
  EXPECT_TRUE(View().LoadedForPaging.empty());  // the window shows it
  f.Hide();
  f.Show();
  EXPECT_EQ(View().Loaded.size(), 1u);
  Stop();
}

// Saved from the window without its having been shown (a script of the program does so),
// the remembered file is loaded first.
TEST_F(ExportWindow, SavingBeforeTheWindowWasShownLoadsTheRememberedFileFirst) {
  home.WriteFile("export_tests.ini", "[Settings]\r\nHTML=" + home.PathOf("page.html") + "\r\nPDF=" +
                                         home.PathOf("out.pdf") + "\r\nOpenAfterSave=0\r\n");
  TMainForm& f = Start();
  f.btnSave->Click();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(PdfInfoField(home.PathOf("out.pdf"), "Pages"), "2");
  Stop();
}

TEST_F(ExportWindow, StaleHtmlNameIsReportedWhenShownAndTheOtherSettingsStillApply) {
  home.WriteFile("export_tests.ini", "[Settings]\r\nHTML=/nowhere/gone.html\r\nPDF=/tmp/a.pdf\r\nScaleToFit=1\r\n");
  TMainForm& f = Start();
  EXPECT_TRUE(Boxes().empty());  // not at the program's start
  f.Show();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].Text, u"Can't locate '/nowhere/gone.html'.");
  EXPECT_EQ(f.lbPDF->Text(), u"/tmp/a.pdf");
  EXPECT_TRUE(f.cxScaleToFit->Checked());
  EXPECT_EQ(f.edMarginLeft->Text(), u"1");
  Stop();
  EXPECT_NE(Settings().find("HTML=/nowhere/gone.html\r\n"), std::string::npos);
}

TEST_F(ExportWindow, SaveWritesThePdfAndOpensIt) {
  TMainForm& f = Start();
  f.lbHTML->SetText(Path("page.html"));
  View().LoadDocumentFile(Path("page.html"));
  f.lbPDF->SetText(Path("out.pdf"));
  f.cxPrintPage->SetChecked(true);
  f.btnSave->Click();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(opened, std::vector<String>{Path("out.pdf")});
  ASSERT_TRUE(home.Exists("out.pdf"));
  EXPECT_NE(PdfPageText(home.PathOf("out.pdf"), 1).find("page.html - Page 1/2"), std::string::npos);
  Stop();
}

TEST_F(ExportWindow, SaveWithoutPdfNameAsksForOneProposingTheHtmlName) {
  TMainForm& f = Start();
  f.lbHTML->SetText(Path("page.html"));
  View().LoadDocumentFile(Path("page.html"));
  headless.AnswerFileDialog(Path("chosen"));
  f.btnSave->Click();
  EXPECT_EQ(f.SaveDialog->DefaultExt, u".pdf");
  EXPECT_EQ(f.lbPDF->Text(), Path("chosen.pdf"));
  EXPECT_TRUE(home.Exists("chosen.pdf"));
  // Cancelled, nothing is written.
  f.lbPDF->SetText(u"");
  headless.AnswerFileDialog(std::nullopt);
  f.btnSave->Click();
  EXPECT_EQ(f.lbPDF->Text(), u"");
  EXPECT_EQ(opened.size(), 1u);
  Stop();
}

// The window takes no input while it opens a document or makes pages: the busy cursor
// shows, and the clicks made meanwhile are dropped rather than carried out afterwards.
TEST_F(ExportWindow, OpeningAndSavingShowTheBusyCursorAndDropTheClicksMadeMeanwhile) {
  struct Case {
    const char* work;
    std::function<void(TMainForm&)> start;
  };
  const Case cases[] = {
      {"open", [&](TMainForm& f) {
         headless.AnswerFileDialog(Path("page.html"));
         f.btnOpen->Click();
       }},
      {"save", [&](TMainForm& f) { f.btnSave->Click(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.work);
    std::filesystem::remove(home.PathOf("export_tests.ini"));  // no file to load first
    TMainForm& f = Start();
    f.lbPDF->SetText(Path("out.pdf"));
    View().LoadDocumentFile(Path("page.html"));
    std::vector<std::string> seen;
    View().DuringWork = [&] {
      seen.push_back(Screen.Cursor() == TCursor::crHourGlass ? "busy" : "not busy");
      // A click the user makes now waits in the window system's queue.
      headless.ScheduleInput(0, [&] { seen.push_back("click made while busy"); });
    };
    const size_t cursorsBefore = headless.ScreenCursors().size();
    c.start(f);
    View().DuringWork = nullptr;
    headless.ScheduleInput(0, [&] { seen.push_back("click made after"); });
    app.ProcessMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"busy", "click made after"}));
    EXPECT_EQ(Screen.Cursor(), TCursor::crDefault);
    EXPECT_EQ(std::vector<TCursor>(headless.ScreenCursors().begin() + cursorsBefore, headless.ScreenCursors().end()),
              (std::vector<TCursor>{TCursor::crHourGlass, TCursor::crDefault}));
    Stop();
  }
}

struct FailureCase {
  const char* name;
  std::string pdf;  // relative to the program folder, or absolute
  const char16_t* leftMargin;
  bool loaded;
  const char* reason;
};

class ExportWindowFailures : public ExportWindow, public testing::WithParamInterface<FailureCase> {};

TEST_P(ExportWindowFailures, FailedSaveTellsFileAndReasonAndOpensNothing) {
  const FailureCase& c = GetParam();
  home.WriteFile("folder/keep", "");
  TMainForm& f = Start();
  f.lbHTML->SetText(Path("page.html"));
  if (c.loaded) View().LoadDocumentFile(Path("page.html"));
  const String pdf = Where(c.pdf);
  f.lbPDF->SetText(pdf);
  f.edMarginLeft->SetText(c.leftMargin);
  f.btnSave->Click();
  ASSERT_EQ(Boxes().size(), 1u);
  std::string text = StringToUtf8(Boxes()[0].Text);
  EXPECT_EQ(text.rfind("Cannot save \"" + StringToUtf8(pdf) + "\": ", 0), 0u) << text;
  EXPECT_NE(text.find(c.reason), std::string::npos) << text;
  EXPECT_TRUE(opened.empty());
  EXPECT_FALSE(FileExists(pdf));
  Stop();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportWindowFailures,
    testing::Values(FailureCase{"MissingFolder", "no/such/out.pdf", u"1", true, "does not exist"},
                    FailureCase{"FolderNotWritable", "/proc/wendrel-out.pdf", u"1", true, "cannot be written to"},
                    FailureCase{"NameIsAFolder", "folder", u"1", true, "a folder has that name"},
                    FailureCase{"NothingLoaded", "out.pdf", u"1", false, "no HTML document"},
                    FailureCase{"MarginNotANumber", "out.pdf", u"eins", true, "Left margin \"eins\" is not a number"},
                    FailureCase{"NoPrintableWidth", "out.pdf", u"21", true, "no printable area"}),
    [](const auto& info) { return std::string(info.param.name); });

// "Save As" after a save that could not be written does not open the dialog in that folder
// again (one in /proc hung the program, reading /proc/kmsg) but in the HTML file's folder;
// after a save that worked, in the PDF's folder as always.
TEST_F(ExportWindow, SaveAsAfterAFailedSaveStartsInTheHtmlFilesFolder) {
  home.WriteFile("pages/page.html", "<p>x</p>");
  for (const std::string failing : {"/proc/wendrel-out.pdf", "no/such/out.pdf"}) {
    SCOPED_TRACE(failing);
    headless.ClearShown();
    TMainForm& f = Start();
    f.lbHTML->SetText(Path("pages/page.html"));
    View().LoadDocumentFile(Path("pages/page.html"));
    f.lbPDF->SetText(Where(failing));
    f.btnSave->Click();
    ASSERT_EQ(Boxes().size(), 1u);
    headless.AnswerFileDialog(std::nullopt);
    f.btnSaveAs->Click();
    EXPECT_EQ(f.SaveDialog->StartFolder(), Path("pages/"));

    headless.AnswerFileDialog(Path("out/good.pdf"));
    home.WriteFile("out/keep", "");
    f.btnSaveAs->Click();
    ASSERT_TRUE(home.Exists("out/good.pdf"));
    headless.AnswerFileDialog(std::nullopt);
    f.btnSaveAs->Click();
    EXPECT_EQ(f.SaveDialog->StartFolder(), Path("out/"));
    Stop();
  }
}

TEST_F(ExportWindow, CommandLineConvertsWithoutWindowOrDialogAndRemembersTheNames) {
  // A stale name in the settings does not stand in the way.
  home.WriteFile("export_tests.ini", "[Settings]\r\nHTML=/nowhere/gone.html\r\n");
  TMainForm& f = Start(ReadExportCommand({Path("page.html")}));
  EXPECT_EQ(f.ExitCode, 0) << errors.str();
  EXPECT_EQ(errors.str(), "");
  EXPECT_TRUE(headless.Shown().empty());
  EXPECT_FALSE(f.Visible());
  EXPECT_TRUE(opened.empty());  // nothing is opened for a script
  EXPECT_EQ(View().Loaded, std::vector<String>{Path("page.html")});
  EXPECT_EQ(View().LoadedForPaging, View().Loaded);  // no screen layout for a window never shown
  EXPECT_EQ(PdfInfoField(home.PathOf("page.pdf"), "Pages"), "2");
  Stop();
  std::string written = Settings();
  EXPECT_NE(written.find("HTML=" + home.PathOf("page.html") + "\r\nPDF=" + home.PathOf("page.pdf") + "\r\n"),
            std::string::npos);
}

TEST_F(ExportWindow, SilentConvertsTheFilesOfTheSettings) {
  home.WriteFile("export_tests.ini",
                 "[Settings]\r\nHTML=" + home.PathOf("page.html") + "\r\nPDF=" + home.PathOf("stored.pdf") + "\r\n");
  TMainForm& f = Start(ReadExportCommand({u"/Silent"}));
  EXPECT_EQ(f.ExitCode, 0) << errors.str();
  EXPECT_TRUE(home.Exists("stored.pdf"));
  EXPECT_TRUE(headless.Shown().empty());
  Stop();
}

// A document that needs more memory than the program may take, as it is loaded or paged:
// the conversion ends with its reason and exit code 1, and the settings are still written.
TEST_F(ExportWindow, RunningOutOfMemoryEndsTheConversionWithItsReason) {
  for (const int failingStep : {1, 2}) {  // the load, then the paging
    SCOPED_TRACE(failingStep);
    errors.str("");
    form = new TMainForm(&app);
    form->Command = ReadExportCommand({Path("page.html")});
    form->ErrorOutput = &errors;
    int step = 0;
    View().DuringWork = [&] {
      if (++step == failingStep) throw std::bad_alloc();
    };
    form->DoCreate();
    EXPECT_EQ(form->ExitCode, 1);
    EXPECT_EQ(errors.str(), "Cannot convert \"" + home.PathOf("page.html") +
                                "\": there is not enough memory to convert it.\n");
    EXPECT_FALSE(home.Exists("page.pdf"));
    Stop();
    EXPECT_NE(Settings().find("PDF=" + home.PathOf("page.pdf")), std::string::npos);
  }
}

struct UnattendedFailure {
  const char* name;
  std::string settings;
  std::vector<std::string> args;  // relative to the program folder, or absolute
  const char* message;
};

class ExportWindowUnattendedFailures : public ExportWindow, public testing::WithParamInterface<UnattendedFailure> {};

TEST_P(ExportWindowUnattendedFailures, GoToStandardErrorWithExitCodeOne) {
  const UnattendedFailure& c = GetParam();
  home.WriteFile("export_tests.ini", c.settings);
  std::vector<String> args;
  for (const std::string& a : c.args) args.push_back(Where(a));
  TMainForm& f = Start(ReadExportCommand(args));
  EXPECT_EQ(f.ExitCode, 1);
  EXPECT_NE(errors.str().find(c.message), std::string::npos) << errors.str();
  EXPECT_TRUE(headless.Shown().empty());
  EXPECT_TRUE(opened.empty());
  Stop();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportWindowUnattendedFailures,
    testing::Values(UnattendedFailure{"MissingHtml", "", {"gone.html"}, "Can't locate '"},
                    UnattendedFailure{"UnwritablePdf", "", {"page.html", "/proc/wendrel-out.pdf"}, "cannot be written to"},
                    UnattendedFailure{"SilentWithoutHtml", "", {"/silent"}, "No HTML file to convert"},
                    UnattendedFailure{"SilentWithoutPdf", "[Settings]\r\nHTML=/x/page.html\r\n", {"/silent"},
                                      "No PDF file to write"},
                    UnattendedFailure{"MarginsTooWide", "[Margins]\r\nLeft=11\r\nRight=11\r\n", {"page.html"},
                                      "no printable area"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CommandCase {
  const char* name;
  std::vector<String> args;
  TExportCommand::TKind kind;
  String html;
  String pdf;
};

class ExportCommandLine : public testing::TestWithParam<CommandCase> {};

TEST_P(ExportCommandLine, ArgumentsChooseTheConversion) {
  const CommandCase& c = GetParam();
  TExportCommand command = ReadExportCommand(c.args);
  EXPECT_EQ(command.Kind, c.kind);
  EXPECT_EQ(command.Html, c.html);
  EXPECT_EQ(command.Pdf, c.pdf);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportCommandLine,
    testing::Values(CommandCase{"None", {}, TExportCommand::None, u"", u""},
                    CommandCase{"OtherExtensionStartsTheWindow", {u"/d/page.txt"}, TExportCommand::None, u"", u""},
                    CommandCase{"HtmNextToIt", {u"/d/page.htm"}, TExportCommand::Convert, u"/d/page.htm", u"/d/page.pdf"},
                    CommandCase{"UpperCaseExtension", {u"/d/P.HTML"}, TExportCommand::Convert, u"/d/P.HTML", u"/d/P.pdf"},
                    CommandCase{"NamedPdf", {u"/d/page.html", u"/e/out.pdf"}, TExportCommand::Convert, u"/d/page.html",
                                u"/e/out.pdf"},
                    CommandCase{"ThreeArgumentsAreRefused", {u"/d/page.html", u"/e/out.pdf", u"x"},
                                TExportCommand::Refused, u"", u""},
                    CommandCase{"RelativeNamesBecomeAbsolute", {u"a/../page.html"}, TExportCommand::Convert,
                                ExpandFileName(u"page.html"), ExpandFileName(u"page.pdf")},
                    CommandCase{"SilentAnyCase", {u"/SILENT"}, TExportCommand::Silent, u"", u""},
                    CommandCase{"SilentOnlyFirst", {u"x", u"/silent"}, TExportCommand::Refused, u"", u""},
                    CommandCase{"SilentAlone", {u"/silent", u"x"}, TExportCommand::Refused, u"", u""},
                    CommandCase{"WindowSystemOptionsStartTheWindow", {u"-platform", u"offscreen", u"--style=fusion", u"-reverse"},
                                TExportCommand::None, u"", u""},
                    CommandCase{"WindowSystemOptionBeforeAConversion", {u"-platform", u"offscreen", u"/d/page.html"},
                                TExportCommand::Convert, u"/d/page.html", u"/d/page.pdf"},
                    CommandCase{"OptionWithoutItsValue", {u"/d/page.html", u"-platform"}, TExportCommand::Refused, u"", u""},
                    CommandCase{"UnknownOptionAfterTheFiles", {u"/d/page.html", u"--landscape"}, TExportCommand::Refused,
                                u"", u""},
                    CommandCase{"SingleDashIsAnOption", {u"-"}, TExportCommand::Refused, u"", u""},
                    CommandCase{"HelpWins", {u"/d/page.html", u"--help"}, TExportCommand::Help, u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
