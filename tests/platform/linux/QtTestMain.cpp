// Runs the Qt-backed tests inside one QApplication on the offscreen platform,
// so widgets can be built and sent events without a display, and the user's
// clipboard is never touched.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
