// NSTimer on the main run loop, blocks and read sources on the main dispatch
// queue.
#include "platform/mac/MacMainLoop.h"

#import <Foundation/Foundation.h>

#include <dispatch/dispatch.h>

#include <unistd.h>

#include <cstdint>

#include "platform/mac/CallbackBoundary.h"

namespace {

// The run loop keeps the NSTimer alive, and the timer keeps its block; the
// block therefore reaches the action only weakly, and the handle owns it.
// Destroying the handle invalidates the timer and drops the action, so the
// owner is never called after it is gone.
class MacTimer : public MainLoop::Timer {
 public:
  MacTimer(double intervalSeconds, std::function<void()> action)
      : action_(std::make_shared<std::function<void()>>(std::move(action))) {
    std::weak_ptr<std::function<void()>> weakAction = action_;
    timer_ = [NSTimer scheduledTimerWithTimeInterval:intervalSeconds
                                             repeats:YES
                                               block:^(NSTimer* /*timer*/) {
                                                 if (auto strongAction = weakAction.lock())
                                                   callAtBoundary(*strongAction);
                                               }];
    [[NSRunLoop mainRunLoop] addTimer:timer_ forMode:NSRunLoopCommonModes];
  }

  ~MacTimer() override { [timer_ invalidate]; }

  MacTimer(const MacTimer&) = delete;
  MacTimer& operator=(const MacTimer&) = delete;

 private:
  std::shared_ptr<std::function<void()>> action_;
  __strong NSTimer* timer_ = nil;
};

// A descriptor must stay open until its source's cancellation has finished,
// which happens later on the queue; the source therefore watches a duplicate
// of its own and closes it in the cancel handler.
class MacWatch : public MainLoop::Watch {
 public:
  MacWatch(int fd, std::function<void()> action) {
    const int own = dup(fd);
    if (own < 0) return;
    source_ = dispatch_source_create(DISPATCH_SOURCE_TYPE_READ, static_cast<uintptr_t>(own), 0,
                                     dispatch_get_main_queue());
    if (source_ == nil) {
      close(own);
      return;
    }
    dispatch_source_set_event_handler(source_, ^{
      callAtBoundary(action);
    });
    dispatch_source_set_cancel_handler(source_, ^{
      close(own);
    });
    dispatch_resume(source_);
  }

  ~MacWatch() override {
    if (source_ != nil) dispatch_source_cancel(source_);
  }

  MacWatch(const MacWatch&) = delete;
  MacWatch& operator=(const MacWatch&) = delete;

 private:
  // A dispatch object is an Objective-C object under ARC, released with
  // this member.
  dispatch_source_t source_ = nil;
};

dispatch_time_t fromNow(double seconds) {
  if (seconds <= 0) return DISPATCH_TIME_NOW;
  return dispatch_time(DISPATCH_TIME_NOW, static_cast<std::int64_t>(seconds * NSEC_PER_SEC));
}

}  // namespace

std::unique_ptr<MainLoop::Timer> MacMainLoop::scheduleRepeating(double intervalSeconds,
                                                                std::function<void()> action) {
  return std::make_unique<MacTimer>(intervalSeconds, std::move(action));
}

void MacMainLoop::postDelayed(double delaySeconds, std::function<void()> task) {
  dispatch_after(fromNow(delaySeconds), dispatch_get_main_queue(), ^{
    callAtBoundary(task);
  });
}

void MacMainLoop::post(std::function<void()> task) {
  dispatch_async(dispatch_get_main_queue(), ^{
    callAtBoundary(task);
  });
}

std::unique_ptr<MainLoop::Watch> MacMainLoop::watchReadable(int fd, std::function<void()> action) {
  return std::make_unique<MacWatch>(fd, std::move(action));
}
