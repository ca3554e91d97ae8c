// The run loop over Qt's event loop: QTimer for repeating and delayed work,
// queued invocation for "later on this thread".
#pragma once

#include <QObject>

#include "platform/MainLoop.h"

class QtMainLoop : public MainLoop {
 public:
  std::unique_ptr<Timer> scheduleRepeating(double intervalSeconds,
                                           std::function<void()> action) override;
  /// Dropped unrun if this object goes away first.
  void postDelayed(double delaySeconds, std::function<void()> task) override;
  void post(std::function<void()> task) override;
  std::unique_ptr<Watch> watchReadable(int fd, std::function<void()> action) override;

 private:
  // Tasks run in this object's context, so they die with it.
  QObject context_;
};
