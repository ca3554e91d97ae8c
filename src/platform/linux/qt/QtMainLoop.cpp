// Timers, queued tasks and socket notifiers on the Qt event loop of the main
// thread.
#include "platform/linux/qt/QtMainLoop.h"

#include <QMetaObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cmath>
#include <utility>

namespace {

int milliseconds(double seconds) {
  if (!(seconds > 0)) {
    return 0;
  }
  return static_cast<int>(std::lround(seconds * 1000.0));
}

class QtTimer : public MainLoop::Timer {
 public:
  QtTimer(double intervalSeconds, std::function<void()> action) {
    timer_.setInterval(milliseconds(intervalSeconds));
    // Qt's timers also fire while a menu or a modal dialog runs its loop.
    QObject::connect(&timer_, &QTimer::timeout, std::move(action));
    timer_.start();
  }

 private:
  QTimer timer_;
};

class QtWatch : public MainLoop::Watch {
 public:
  QtWatch(int fd, std::function<void()> action) : notifier_(fd, QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, std::move(action));
  }

 private:
  QSocketNotifier notifier_;
};

}  // namespace

std::unique_ptr<MainLoop::Timer> QtMainLoop::scheduleRepeating(double intervalSeconds,
                                                               std::function<void()> action) {
  return std::make_unique<QtTimer>(intervalSeconds, std::move(action));
}

void QtMainLoop::postDelayed(double delaySeconds, std::function<void()> task) {
  QTimer::singleShot(milliseconds(delaySeconds), Qt::PreciseTimer, &context_, std::move(task));
}

void QtMainLoop::post(std::function<void()> task) {
  QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

std::unique_ptr<MainLoop::Watch> QtMainLoop::watchReadable(int fd, std::function<void()> action) {
  return std::make_unique<QtWatch>(fd, std::move(action));
}
