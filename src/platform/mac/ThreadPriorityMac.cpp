// macOS schedules by quality of service: "utility" is the class for work
// the user started but does not watch, below the main thread's.
#include "platform/ThreadPriority.h"

#include <pthread/qos.h>

namespace {

class MacThreadPriority : public ThreadPriority {
 public:
  void lowerCurrentThread() override { (void)pthread_set_qos_class_self_np(QOS_CLASS_UTILITY, 0); }
};

}  // namespace

ThreadPriority& ThreadPriority::system() {
  static MacThreadPriority priority;
  return priority;
}
