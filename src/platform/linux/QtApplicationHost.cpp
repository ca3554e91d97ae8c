// QApplication's event loop with the delegate's launch callback.
#include "platform/linux/QtApplicationHost.h"

#include <QApplication>
#include <QTimer>

#include "platform/ApplicationDelegate.h"

void QtApplicationHost::setActivationPolicy(ActivationPolicy policy) {
  // Closing the About window must not end a menu-bar application.
  QApplication::setQuitOnLastWindowClosed(policy == ActivationPolicy::regular);
}

int QtApplicationHost::run() {
  QTimer::singleShot(0, [this] {
    if (delegate_ != nullptr) {
      delegate_->applicationDidFinishLaunching();
    }
  });
  return QApplication::exec();
}
