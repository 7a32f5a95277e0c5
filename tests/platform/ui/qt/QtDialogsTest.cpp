// Qt's standard dialogs as the program shows them (offscreen): in German, the file dialog in
// the program folder when the program names none, message boxes with the caption given.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QTreeView>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "platform/rtl/Paths.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/dialogs/FileDialogs.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtConvert.h"
#include "tests/platform/ui/qt/ReferencePicture.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

int argc = 1;
char arg0[] = "uiqt_tests";
char* argv[] = {arg0, nullptr};

// An environment variable set (or, with nullopt, removed) while the object lives.
class TScopedVariable {
 public:
  TScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~TScopedVariable() {
    if (previous_)
      setenv(name_, previous_->c_str(), 1);
    else
      unsetenv(name_);
  }
  TScopedVariable(const TScopedVariable&) = delete;
  TScopedVariable& operator=(const TScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

// A program folder with two files of fixed size and date under a fixed name in the
// temporary folder (the build's own under ctest), so that the dialog looks the same in
// every run. The folder is also the home folder while it lives:
// the dialog's side bar names the user's home, which differs between machines. Each test
// names its own folder, as ctest runs the tests side by side.
class TFixedProgramFolder {
 public:
  explicit TFixedProgramFolder(const char* name) : path_(Prepared(std::filesystem::temp_directory_path() / name)) {}
  ~TFixedProgramFolder() { std::filesystem::remove_all(path_); }
  std::string Path() const { return path_.string(); }

 private:
  static std::filesystem::path Prepared(const std::filesystem::path& path) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    for (const char* file : {"urls.txt", "projekte.csv"}) {
      std::ofstream(path / file) << "http://www.shop.example/\r\n";
      std::filesystem::last_write_time(path / file, std::filesystem::file_time_type(std::chrono::hours(24 * 365 * 50)));
    }
    return path;
  }

  std::filesystem::path path_;
  TScopedVariable programFolder_{"WENDREL_HOME", path_.string()};
  TScopedVariable home_{"HOME", path_.string()};
};

struct QtDialogsFixture : ::testing::Test {
  TApplication app;
  void SetUp() override { app.SetBackend(std::make_unique<TQtBackend>(argc, argv)); }

  // Runs check on the modal dialog once it shows, then closes it with Escape.
  void WhenShown(std::function<void(QDialog&)> check) {
    QTimer::singleShot(0, [check] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      check(*dialog);
      dialog->reject();
    });
  }
};

// Texts of the buttons in a dialog's button box.
QStringList ButtonTexts(QWidget& dialog) {
  QStringList texts;
  for (auto* box : dialog.findChildren<QDialogButtonBox*>())
    for (QAbstractButton* b : box->buttons()) texts << b->text().remove('&');
  return texts;
}

TEST_F(QtDialogsFixture, FileDialogWithoutFolderOpensGermanInTheProgramFolder) {
  TFixedProgramFolder home("wendrel-dialog-folder");
  TOpenDialog dialog(nullptr);
  dialog.Filter = u"Textdateien|*.txt|Alle|*.*";
  dialog.Title = u"Datei laden";
  EXPECT_EQ(dialog.StartFolder(), ProgramFolder());
  bool shown = false;
  WhenShown([&](QDialog& d) {
    shown = true;
    auto& files = static_cast<QFileDialog&>(d);
    EXPECT_EQ(QDir(files.directory()).canonicalPath(), QDir(QString::fromStdString(home.Path())).canonicalPath());
    EXPECT_TRUE(ButtonTexts(d).contains("Abbrechen")) << ButtonTexts(d).join(",").toStdString();
    EXPECT_TRUE(ButtonTexts(d).contains(QString::fromUtf8("Öffnen"))) << ButtonTexts(d).join(",").toStdString();
    QStringList labels;
    for (auto* label : d.findChildren<QLabel*>()) labels << label->text().remove('&');
    EXPECT_TRUE(labels.contains("Suchen in:")) << labels.join(",").toStdString();
    // The folder's files are listed by a background thread: wait for both.
    auto* list = d.findChild<QListView*>("listView");
    for (int i = 0; i < 1000 && (!list || !list->model() || list->model()->rowCount(list->rootIndex()) < 1); ++i)
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    d.resize(640, 420);
    QApplication::processEvents();
    QImage shot = d.grab().toImage();
    // The folder's full path depends on where the build keeps its temporary files: its box
    // is blanked (the folder itself is checked above).
    auto* lookIn = d.findChild<QComboBox*>("lookInCombo");
    ASSERT_NE(lookIn, nullptr);
    QPainter(&shot).fillRect(QRect(lookIn->mapTo(&d, QPoint(0, 0)), lookIn->size()), Qt::white);
    EXPECT_TRUE(MatchesReference(shot, "file_dialog_de", 0.01));
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_TRUE(shown);
}

TEST(FileDialogStart, FolderIsTheInitialOneOrTheFilesOrTheProgramFolder) {
  TFixedProgramFolder home("wendrel-dialog-start");
  struct Case {
    const char16_t* initialDir;
    const char16_t* fileName;
    String folder;
  };
  for (const Case& c : {Case{u"/srv/daten", u"/home/a/liste.txt", u"/srv/daten"}, Case{u"", u"/home/a/liste.txt", u"/home/a/"},
                        Case{u"", u"liste.txt", ProgramFolder()}, Case{u"", u"", ProgramFolder()},
                        // Pseudo file systems: listing them can hang the dialog.
                        Case{u"/proc", u"", ProgramFolder()}, Case{u"", u"/proc/kmsg", ProgramFolder()},
                        Case{u"/proc/self/", u"", ProgramFolder()}, Case{u"/sys/kernel", u"", ProgramFolder()},
                        Case{u"/dev", u"", ProgramFolder()}, Case{u"", u"/dev/pts/0.pdf", ProgramFolder()}}) {
    TSaveDialog dialog(nullptr);
    dialog.InitialDir = c.initialDir;
    dialog.FileName = c.fileName;
    EXPECT_EQ(dialog.StartFolder(), c.folder) << StringToUtf8(c.initialDir) << " " << StringToUtf8(c.fileName);
  }
}

// Qt's file dialog keeps its history in Qt's own settings file: that belongs in the program
// folder like everything else the program writes, and nothing goes into the user's home.
TEST(FileDialogHistory, IsKeptInTheProgramFolderNotInTheHome) {
  TTempDirectory programFolder;
  TTempDirectory home;
  TScopedVariable useProgramFolder("WENDREL_HOME", programFolder.Path());
  TScopedVariable useHome("HOME", home.Path());
  TScopedVariable noConfigHome("XDG_CONFIG_HOME", std::nullopt);
  TApplication app;
  app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
  TSaveDialog dialog(nullptr);
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    shown = true;
    d->reject();
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_TRUE(shown);
  EXPECT_TRUE(programFolder.Exists("QtProject.conf"));
  EXPECT_EQ(RunTool("find " + ShellQuote(home.Path()) + " -mindepth 1"), "");
}

TEST_F(QtDialogsFixture, MessageBoxesAreGermanWithTheGivenCaption) {
  bool shown = false;
  WhenShown([&](QDialog& d) {
    shown = true;
    EXPECT_EQ(d.windowTitle(), "Wendrel");
    QStringList texts = ButtonTexts(d);
    EXPECT_TRUE(texts.contains("Ja") && texts.contains("Nein") && texts.contains("Abbrechen")) << texts.join(",").toStdString();
  });
  EXPECT_EQ(app.MessageBox(u"Liste speichern?", u"Wendrel", MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
  EXPECT_TRUE(shown);
}

}  // namespace
