// Linux keeps a nice value per thread: setpriority with the thread's own id
// changes only that thread.
#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// A share of about a tenth against a thread of nice 0 on the same core.
constexpr int backgroundNice = 10;

class LinuxThreadPriority : public ThreadPriority {
 public:
  void lowerCurrentThread() override {
    const auto thread = static_cast<id_t>(syscall(SYS_gettid));
    (void)setpriority(PRIO_PROCESS, thread, backgroundNice);
  }
};

}  // namespace

ThreadPriority& ThreadPriority::system() {
  static LinuxThreadPriority priority;
  return priority;
}
