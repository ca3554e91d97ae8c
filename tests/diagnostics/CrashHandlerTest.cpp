// Crash records; all but the exception record's text need a dying child.
#include "diagnostics/CrashHandler.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScopedTestLog.h"
#include "diagnostics/Log.h"

#if defined(__SANITIZE_ADDRESS__)
#define PELLIMORE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELLIMORE_ASAN 1
#endif
#endif

namespace {

using Messages = std::vector<std::string>;

TEST(CrashHandlerRecordTest, NamesTheReasonOrItsAbsenceAndKeepsTwentyFrames) {
  std::vector<std::string> frames;
  std::string firstTwenty;
  for (int i = 0; i < 30; ++i) {
    frames.push_back("frame " + std::to_string(i));
    firstTwenty += i == 0 ? frames.back() : i < 20 ? "\n" + frames.back() : "";
  }
  EXPECT_EQ(CrashHandler::exceptionRecord("E", "index 5 beyond bounds", frames),
            "UNCAUGHT EXCEPTION: E — index 5 beyond bounds\n" + firstTwenty);
  EXPECT_EQ(CrashHandler::exceptionRecord("E", std::nullopt, {"frame 0"}),
            "UNCAUGHT EXCEPTION: E — no reason\nframe 0");
  EXPECT_EQ(CrashHandler::exceptionRecord("E", "r", {}), "UNCAUGHT EXCEPTION: E — r\n");
}

volatile char* volatile deepest = nullptr;

/// Recurses until the stack runs out (the addition keeps it from becoming a
/// loop); frames optimised away end it with status 3 instead of hanging.
__attribute__((noinline)) int exhaustStack(int depth) {
  volatile char frame[512];
  frame[0] = static_cast<char>(depth);
  if (depth < 0) {  // Never: only there so the compiler sees a way out.
    return 0;
  }
  if (depth > 1'000'000) {
    _exit(3);
  }
  deepest = frame;
  return exhaustStack(depth + 1) + frame[0];
}

/// Shrinks the stack first so the overflow comes quickly.
void overflowStack() {
  struct rlimit limit {};
  getrlimit(RLIMIT_STACK, &limit);
  limit.rlim_cur = std::min(limit.rlim_cur, rlim_t{1} << 20);
  setrlimit(RLIMIT_STACK, &limit);
  exhaustStack(0);
}

[[noreturn]] void earlierTerminateHandler() {
  Log::write("earlier terminate handler");
  std::abort();
}

/// Runs `crash` in a child that logs "before", puts `earlierTerminate` in
/// place and installs the handler; the wait status. The body is noexcept so
/// an exception ends in std::terminate, not in the test framework.
int runCrashingChild(void (*crash)(), std::terminate_handler earlierTerminate = nullptr) {
  pid_t child = fork();
  if (child == 0) {
    [&]() noexcept {
      struct rlimit noCore {};
      setrlimit(RLIMIT_CORE, &noCore);
      Log::write("before");
      if (earlierTerminate != nullptr) {
        std::set_terminate(earlierTerminate);
      }
      CrashHandler::install();
      crash();
    }();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

void expectKilledBy(int status, int signal) {
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), signal);
}

TEST(CrashHandlerTest, FatalSignalIsRecordedOnceAndStillKills) {
  struct Case {
    const char* name;
    int signal;
    void (*crash)();
  };
  const Case cases[] = {
      {"segmentation fault", SIGSEGV,
       [] {
         *static_cast<volatile int*>(
             mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) = 1;
       }},
      // No room left on the thread's stack: the handler needs the alternate one.
      {"stack overflow", SIGSEGV, overflowStack},
      {"abort", SIGABRT, [] { std::abort(); }},
      {"illegal instruction", SIGILL, [] { (void)raise(SIGILL); }},
      {"arithmetic error", SIGFPE, [] { (void)raise(SIGFPE); }},
      {"bus error", SIGBUS, [] { (void)raise(SIGBUS); }},
      // The child lives past the first trap only if the handler did not
      // restore the default action; then the second is recorded as well.
      {"two traps", SIGTRAP,
       [] {
         (void)raise(SIGTRAP);
         (void)raise(SIGTRAP);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedTestLog log;
    int status = runCrashingChild(c.crash);
#ifdef PELLIMORE_ASAN
    // AddressSanitizer reports the fault and exits instead of dying by it.
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
      continue;
    }
#endif
    expectKilledBy(status, c.signal);
    EXPECT_EQ(log.messages(), (Messages{"before", "FATAL SIGNAL " + std::to_string(c.signal)}));
  }
}

TEST(CrashHandlerTest, UncaughtExceptionIsRecordedThenTheEarlierTerminateHandlerRuns) {
  // On macOS the object runtime's handler sits there and reports its own
  // exceptions; it must not be cut off.
  struct Case {
    const char* name;
    void (*crash)();
    std::string firstLine;
  };
  const Case cases[] = {
      {"a standard exception", [] { throw std::runtime_error("disk on fire"); },
       "UNCAUGHT EXCEPTION: std::runtime_error — disk on fire"},
      {"any other type", [] { throw 42; }, "UNCAUGHT EXCEPTION: int — no reason"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedTestLog log;
    expectKilledBy(runCrashingChild(c.crash, earlierTerminateHandler), SIGABRT);
    Messages messages = log.messages();
    ASSERT_EQ(messages.size(), 4u);
    const std::string& record = messages[1];
    EXPECT_EQ(record.substr(0, record.find('\n')), c.firstLine);
    // The first line, then twenty frames of a stack deeper than that.
    EXPECT_EQ(std::count(record.begin(), record.end(), '\n'), 20) << record;
    EXPECT_EQ(messages[2], "earlier terminate handler");
    EXPECT_EQ(messages[3], "FATAL SIGNAL 6");
  }
}

}  // namespace
