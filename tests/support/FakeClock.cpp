#include "FakeClock.h"

FakeClock::FakeClock()
    : now_(std::chrono::sys_seconds(std::chrono::seconds(1740821405)) +
           std::chrono::milliseconds(250)) {}
