#include "platform/Clock.h"

namespace {

class SystemClock : public Clock {
 public:
  TimePoint now() const override { return std::chrono::system_clock::now(); }
};

}  // namespace

Clock& Clock::system() {
  static SystemClock clock;
  return clock;
}
