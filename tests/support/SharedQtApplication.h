// One QApplication for the whole test program, made by the first test that needs it and
// shared by every test file that shows windows through Qt: a second application object
// would replace the first one's state (and leak it), and ending it would end Qt's use of
// fontconfig (FcFini) under the font layer, which the other tests of the program go on using.
#pragma once

#include <QApplication>

inline int& SharedQtArgc() {
  static int argc = 1;
  return argc;
}

inline char** SharedQtArgv() {
  static char arg0[] = "wendrel_tests";
  static char* argv[] = {arg0, nullptr};
  return argv;
}

inline QApplication& SharedQApplication() {
  static QApplication* application = new QApplication(SharedQtArgc(), SharedQtArgv());
  return *application;
}
