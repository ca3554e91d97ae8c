// Runs the Qt-backed tests inside a QGuiApplication on the offscreen
// platform, so they need no display and never touch the user's clipboard.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QGuiApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
