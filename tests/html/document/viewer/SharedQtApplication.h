// One QApplication for the whole test program, made by the first test that needs it: ending
// it would end Qt's use of fontconfig under the font layer, which the other tests of this
// program go on using.
#pragma once

#include <QApplication>

inline int& QtTestArgc() {
  static int argc = 1;
  return argc;
}

inline char** QtTestArgv() {
  static char arg0[] = "htmldocument_tests";
  static char* argv[] = {arg0, nullptr};
  return argv;
}

inline QApplication& SharedQApplication() {
  static QApplication* application = new QApplication(QtTestArgc(), QtTestArgv());
  return *application;
}
