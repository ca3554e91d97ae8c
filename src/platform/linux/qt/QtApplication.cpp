// Quitting the Qt event loop.
#include "platform/linux/qt/QtApplication.h"

#include <QCoreApplication>
#include <QMetaObject>

int QtApplication::processIdentifier() const {
  return static_cast<int>(QCoreApplication::applicationPid());
}

void QtApplication::terminate() {
  // Queued, so a menu action that quits finishes before the loop ends.
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}
