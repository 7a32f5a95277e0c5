#include "platform/ui/qt/QtBackend.h"

#include <QClipboard>
#include <QCursor>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <algorithm>

#include "platform/rtl/Paths.h"
#include "platform/ui/dialogs/FileDialogs.h"
#include "platform/ui/menus/Menus.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/QtMenus.h"
#include "platform/ui/qt/peers/Peers.h"

TQtBackend::TQtBackend(int& argc, char** argv) {
  if (!QApplication::instance()) ownApp_ = std::make_unique<QApplication>(argc, argv);
  Setup();
}

TQtBackend::TQtBackend(std::unique_ptr<QApplication> application) : ownApp_(std::move(application)) { Setup(); }

void TQtBackend::Setup() {
  // Qt's standard dialogs and message boxes speak German like the rest of the program, and
  // write sizes and dates the German way.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  if (translator_.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&translator_);
  // Qt's own settings (the file dialogs keep their history there) go into the program
  // folder, like every other file the program writes, not into the user's configuration.
  for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
    QSettings::setPath(format, QSettings::UserScope, ToQt(ProgramFolder()));
}

TQtBackend::~TQtBackend() { QCoreApplication::removeTranslator(&translator_); }

std::unique_ptr<TControlPeer> TQtBackend::CreatePeer(TControl& control) {
  using Maker = std::unique_ptr<TQtPeer> (*)(TControl&);
  // The general container peer comes last: it takes any control.
  for (Maker make : {MakeFormPeer, MakeGridPeer, MakePaintPeer, MakeButtonPeer, MakeEditPeer, MakeListPeer, MakeContainerPeer})
    if (auto peer = make(control)) return peer;
  return nullptr;
}

void TQtBackend::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

TWaitResult TQtBackend::WaitForInput(int64_t timeoutMs) {
  if (timeoutMs == 0) return TWaitResult::Timeout;
  bool timedOut = false;
  QTimer timer;
  if (timeoutMs > 0) {
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] { timedOut = true; });
    timer.start(static_cast<int>(std::min<int64_t>(timeoutMs, INT32_MAX)));
  }
  // Handles what arrives (input handlers run here, at once) and returns.
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return timedOut ? TWaitResult::Timeout : TWaitResult::Input;
}

int TQtBackend::MessageBox(const String& text, const String& caption, int flags) {
  QMessageBox box;
  box.setWindowTitle(ToQt(caption));
  box.setText(ToQt(text));
  switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Button {
    QMessageBox::StandardButton qt;
    int id;
  };
  std::vector<Button> buttons;
  switch (flags & 0xF) {
    case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      buttons = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: buttons = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons all;
  for (const Button& b : buttons) all |= b.qt;
  box.setStandardButtons(all);
  int chosen = box.exec();
  for (const Button& b : buttons)
    if (b.qt == chosen) return b.id;
  // Closed without a button: the cancel answer where there is one, else the first.
  for (const Button& b : buttons)
    if (b.id == IDCANCEL) return IDCANCEL;
  return buttons.front().id;
}

bool TQtBackend::ExecuteFileDialog(TOpenDialog& dialog, bool save) {
  QFileDialog box;
  // Qt's own dialog, translated like the message boxes (a desktop's native one would speak
  // the desktop's language).
  box.setOption(QFileDialog::DontUseNativeDialog);
  box.setWindowTitle(ToQt(dialog.Title));
  box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QStringList filters = ToQtNameFilters(dialog.Filter);
  if (!filters.isEmpty()) {
    box.setNameFilters(filters);
    if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters.size()) box.selectNameFilter(filters[dialog.FilterIndex - 1]);
  }
  QString name = ToQt(dialog.FileName);
  box.setDirectory(ToQt(dialog.StartFolder()));
  if (!name.isEmpty()) box.selectFile(QFileInfo(name).fileName());
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  String chosen = FromQt(box.selectedFiles().front());
  dialog.FileName = save ? dialog.WithDefaultExt(chosen) : chosen;
  dialog.FilterIndex = static_cast<int>(filters.indexOf(box.selectedNameFilter())) + 1;
  return true;
}

void TQtBackend::Popup(TPopupMenu& menu, int x, int y) {
  QMenu qmenu;
  FillQtMenu(&qmenu, *menu.Items());
  qmenu.exec(QPoint(x, y));
}

void TQtBackend::SetScreenCursor(TCursor cursor) {
  if (cursor == TCursor::crDefault) {
    if (overrideCursor_) QApplication::restoreOverrideCursor();
    overrideCursor_ = false;
  } else if (overrideCursor_) {
    QApplication::changeOverrideCursor(QCursor(ToQtCursor(cursor)));
  } else {
    QApplication::setOverrideCursor(QCursor(ToQtCursor(cursor)));
    overrideCursor_ = true;
  }
}

namespace {

// Swallows the user's clicks, wheel turns and keys on their way to any object; moves pass.
class TInputSwallower : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::NonClientAreaMouseButtonPress:
      case QEvent::NonClientAreaMouseButtonRelease:
      case QEvent::NonClientAreaMouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TabletPress:
      case QEvent::TabletRelease: return true;
      default: return false;
    }
  }
};

}  // namespace

void TQtBackend::DiscardInput() {
  TInputSwallower swallower;
  QCoreApplication::instance()->installEventFilter(&swallower);
  // Until nothing more is waiting (the window system's queue can take more than one turn
  // to empty); the time bound only guards against a stream that never stops.
  QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
  QCoreApplication::instance()->removeEventFilter(&swallower);
}

String TQtBackend::ClipboardText() { return FromQt(QApplication::clipboard()->text()); }

void TQtBackend::SetClipboardText(const String& text) { QApplication::clipboard()->setText(ToQt(text)); }
