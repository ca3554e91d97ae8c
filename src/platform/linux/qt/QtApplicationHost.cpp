// QApplication's event loop with the delegate's launch and termination
// callbacks. SIGTERM lets the delegate finish its work first, then ends the
// process by that signal as before.
#include "platform/linux/qt/QtApplicationHost.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <csignal>
#include <functional>

#include "platform/ApplicationDelegate.h"

namespace {

// Written by the signal handler, read by the loop: the only thing a handler
// may safely do is write a byte.
std::array<int, 2> terminationPipe{-1, -1};

void onTerminationSignal(int /*signal*/) {
  const char byte = 0;
  (void)!write(terminationPipe[1], &byte, 1);
}

// From here on SIGTERM runs `beforeExit` on the loop, then ends the process.
void handleTerminationSignal(std::function<void()> beforeExit) {
  if (terminationPipe[0] >= 0 || pipe2(terminationPipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
    return;
  }
  auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp,
                   [beforeExit = std::move(beforeExit)] {
                     beforeExit();
                     (void)std::signal(SIGTERM, SIG_DFL);
                     (void)std::raise(SIGTERM);
                   });
  struct sigaction action = {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  (void)sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

void QtApplicationHost::setActivationPolicy(ActivationPolicy policy) {
  // Closing the About window must not end a menu-bar application.
  QApplication::setQuitOnLastWindowClosed(policy == ActivationPolicy::regular);
}

int QtApplicationHost::run() {
  handleTerminationSignal([this] {
    if (delegate_ != nullptr) {
      delegate_->applicationWillTerminate();
    }
  });
  QTimer::singleShot(0, [this] {
    if (delegate_ != nullptr) {
      delegate_->applicationDidFinishLaunching();
    }
  });
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] {
    if (delegate_ != nullptr) {
      delegate_->applicationWillTerminate();
    }
  });
  return QApplication::exec();
}
