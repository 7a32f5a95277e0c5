// Starting Qt when it may find no display to show windows on. Qt picks its platform and
// display itself (the -platform and -display arguments, QT_QPA_PLATFORM, DISPLAY,
// WAYLAND_DISPLAY, the session type); when the one it picks cannot be opened it ends the
// program with an abort and its own English text.
#pragma once

#include <QApplication>
#include <memory>

// Creates the QApplication with the program's arguments. When Qt cannot open a display,
// writes `noDisplayMessage` on standard error and ends the program with `exitCode` instead
// of Qt's abort; nothing of Qt's own complaint is shown then. Qt's messages of a start that
// succeeds are passed on as usual.
std::unique_ptr<QApplication> StartQtApplication(int& argc, char** argv, const char* noDisplayMessage, int exitCode);
