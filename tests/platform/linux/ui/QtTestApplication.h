// One QApplication for the whole test program, on the offscreen platform so
// widgets can be built, laid out and sent events without a display.
#pragma once

#include <QApplication>

inline QApplication& qtTestApplication() {
  static int argc = 1;
  static char name[] = "linux_ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *application;
}
