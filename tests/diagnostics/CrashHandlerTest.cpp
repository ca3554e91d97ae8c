// Crash records, each in a child process that installs the handler, sends the
// log into a scratch folder and then dies.
#include "diagnostics/CrashHandler.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScopedTestLog.h"
#include "diagnostics/Log.h"
#include "diagnostics/LogFile.h"
#include "diagnostics/LogTimestamp.h"

#if defined(__SANITIZE_ADDRESS__)
#define PELLIMORE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELLIMORE_ASAN 1
#endif
#endif

namespace {

std::vector<std::string> frames(int count) {
  std::vector<std::string> result;
  for (int i = 0; i < count; ++i) {
    result.push_back("frame " + std::to_string(i));
  }
  return result;
}

std::string joinedFrames(int count) {
  std::string joined;
  for (int i = 0; i < count; ++i) {
    joined += (i == 0 ? "" : "\n") + std::string("frame ") + std::to_string(i);
  }
  return joined;
}

TEST(CrashHandlerRecordTest, KeepsTheFirstTwentyFrames) {
  EXPECT_EQ(CrashHandler::exceptionRecord("NSRangeException", "index 5 beyond bounds", frames(30)),
            "UNCAUGHT EXCEPTION: NSRangeException — index 5 beyond bounds\n" + joinedFrames(20));
}

TEST(CrashHandlerRecordTest, MissingReasonAndEmptyStack) {
  EXPECT_EQ(CrashHandler::exceptionRecord("E", std::nullopt, frames(3)),
            "UNCAUGHT EXCEPTION: E — no reason\n" + joinedFrames(3));
  EXPECT_EQ(CrashHandler::exceptionRecord("E", "r", {}), "UNCAUGHT EXCEPTION: E — r\n");
}

TEST(CrashHandlerRecordTest, RecordIsOneLogWrite) {
  ScopedTestLog log;
  CrashHandler::recordUncaughtException("E", "r", frames(2));
  EXPECT_EQ(log.messages(),
            std::vector<std::string>{"UNCAUGHT EXCEPTION: E — r\nframe 0\nframe 1"});
}

std::string nowTimestamp() {
  char out[logTimestampLength];
  formatLogTimestamp(static_cast<std::int64_t>(std::time(nullptr)), out);
  return std::string(out, logTimestampLength);
}

volatile char* volatile deepest = nullptr;

/// Exit status of a child whose recursion never ran out of stack.
constexpr int noOverflowStatus = 3;
constexpr rlim_t smallStack = rlim_t{1} << 20;

/// Recurses until the stack runs out; the addition after the call keeps it
/// from becoming a loop. Far more frames than a small stack holds end the
/// child with `noOverflowStatus`, so frames optimised away fail the test
/// instead of hanging it.
__attribute__((noinline)) int exhaustStack(int depth) {
  volatile char frame[512];
  frame[0] = static_cast<char>(depth);
  if (depth < 0) {  // Never: only there so the compiler sees a way out.
    return 0;
  }
  if (depth > 1'000'000) {
    _exit(noOverflowStatus);
  }
  deepest = frame;
  return exhaustStack(depth + 1) + frame[0];
}

/// Shrinks the stack first so the overflow comes quickly.
void overflowStack() {
  struct rlimit limit {};
  getrlimit(RLIMIT_STACK, &limit);
  limit.rlim_cur = std::min(limit.rlim_cur, smallStack);
  setrlimit(RLIMIT_STACK, &limit);
  exhaustStack(0);
}

__attribute__((noinline)) void throwFromDepth(int depth) {
  if (depth == 0) {
    throw std::runtime_error("disk on fire");
  }
  throwFromDepth(depth - 1);
  deepest = nullptr;
}

void writeThroughProtectedPage() {
  void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  *static_cast<volatile int*>(page) = 1;
}

/// AddressSanitizer normally lets a program's own SIGSEGV handler replace
/// its reporter, but when told to keep the signal it reports the fault and
/// exits with an error status instead of dying by the signal.
bool sanitizerTookTheSignal(int status) {
#ifdef PELLIMORE_ASAN
  return WIFEXITED(status) && WEXITSTATUS(status) != 0;
#else
  (void)status;
  return false;
#endif
}

/// The child's whole life. noexcept, so that an exception thrown by `crash`
/// ends in std::terminate like an uncaught one in the application, instead
/// of being caught by the test framework and running on through the suite.
[[noreturn]] void runChild(const std::function<void()>& crash, bool logBefore,
                           std::terminate_handler earlierTerminate) noexcept {
  struct rlimit noCore {};
  setrlimit(RLIMIT_CORE, &noCore);
  if (logBefore) {
    Log::write("before");
  }
  if (earlierTerminate != nullptr) {
    std::set_terminate(earlierTerminate);
  }
  CrashHandler::install();
  crash();
  _exit(0);
}

class CrashHandlerTest : public ::testing::Test {
 protected:
  /// Runs `crash` in a child with the handler installed; returns the wait
  /// status. The child logs "before" first, so the test can tell that the
  /// record was appended to an existing log.
  int runCrashingChild(const std::function<void()>& crash) {
    before_ = nowTimestamp();
    pid_t child = fork();
    if (child == 0) {
      runChild(crash, logBefore_, earlierTerminate_);
    }
    int status = 0;
    waitpid(child, &status, 0);
    after_ = nowTimestamp();
    return status;
  }

  void expectKilledBy(int status, int signal) {
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), signal);
  }

  /// The last physical line is the signal record in the log's own format.
  void expectLastLineIsSignal(int signal) {
    std::string contents = log_.contents();
    ASSERT_GE(contents.size(), 2u);
    std::size_t start = contents.rfind('\n', contents.size() - 2);
    start = start == std::string::npos ? 0 : start + 1;
    std::string line = contents.substr(start);
    ASSERT_EQ(line.size(), 1 + logTimestampLength + 2 + 13 + std::to_string(signal).size() + 1)
        << line;
    EXPECT_EQ(line.substr(0, 1), "[");
    std::string stamp = line.substr(1, logTimestampLength);
    EXPECT_LE(before_, stamp);
    EXPECT_LE(stamp, after_);
    EXPECT_EQ(line.substr(1 + logTimestampLength),
              "] FATAL SIGNAL " + std::to_string(signal) + "\n");
  }

  ScopedTestLog log_;
  bool logBefore_ = true;
  std::terminate_handler earlierTerminate_ = nullptr;
  std::string before_;
  std::string after_;
};

TEST_F(CrashHandlerTest, SegmentationFaultIsRecordedOnceAndStillKills) {
  int status = runCrashingChild(writeThroughProtectedPage);
  if (sanitizerTookTheSignal(status)) {
    GTEST_SKIP() << "AddressSanitizer kept SIGSEGV for itself";
  }
  expectKilledBy(status, SIGSEGV);
  // The re-raised signal and the faulting instruction's second fault hit the
  // default action, so there is exactly one record.
  EXPECT_EQ(log_.messages(), (std::vector<std::string>{"before", "FATAL SIGNAL 11"}));
  expectLastLineIsSignal(SIGSEGV);
}

TEST_F(CrashHandlerTest, AbortIsRecorded) {
  int status = runCrashingChild([] { std::abort(); });
  expectKilledBy(status, SIGABRT);
  EXPECT_EQ(log_.messages(), (std::vector<std::string>{"before", "FATAL SIGNAL 6"}));
  expectLastLineIsSignal(SIGABRT);
}

TEST_F(CrashHandlerTest, StackOverflowIsRecordedFromTheAlternateStack) {
  int status = runCrashingChild(overflowStack);
  if (sanitizerTookTheSignal(status)) {
    GTEST_SKIP() << "AddressSanitizer kept SIGSEGV for itself";
  }
  expectKilledBy(status, SIGSEGV);
  EXPECT_EQ(log_.messages(), (std::vector<std::string>{"before", "FATAL SIGNAL 11"}));
  expectLastLineIsSignal(SIGSEGV);
}

// The counterpart: without the alternate stack the handler has nowhere to
// run, so the same overflow leaves no record. This proves the recursion
// really exhausts the stack.
TEST_F(CrashHandlerTest, StackOverflowWithoutTheAlternateStackLeavesNoRecord) {
  int status = runCrashingChild([] {
    stack_t off{};
    off.ss_flags = SS_DISABLE;
    sigaltstack(&off, nullptr);
    overflowStack();
  });
  if (sanitizerTookTheSignal(status)) {
    GTEST_SKIP() << "AddressSanitizer kept SIGSEGV for itself";
  }
  expectKilledBy(status, SIGSEGV);
  EXPECT_EQ(log_.messages(), std::vector<std::string>{"before"});
}

TEST_F(CrashHandlerTest, SecondSignalOfTheSameKindIsNotRecorded) {
  // The child survives its first SIGTRAP only if the handler did not restore
  // the default action; then the second would be recorded as well.
  int status = runCrashingChild([] {
    raise(SIGTRAP);
    raise(SIGTRAP);
  });
  expectKilledBy(status, SIGTRAP);
  EXPECT_EQ(log_.messages(), (std::vector<std::string>{"before", "FATAL SIGNAL 5"}));
}

TEST_F(CrashHandlerTest, OtherSignalsAreHandledToo) {
  for (int signal : {SIGILL, SIGFPE, SIGBUS}) {
    ScopedTestLog log;
    int status = runCrashingChild([signal] { raise(signal); });
    if (sanitizerTookTheSignal(status)) {
      GTEST_SKIP() << "AddressSanitizer kept signal " << signal << " for itself";
    }
    expectKilledBy(status, signal);
    EXPECT_EQ(log.messages(),
              (std::vector<std::string>{"before", "FATAL SIGNAL " + std::to_string(signal)}));
  }
}

TEST_F(CrashHandlerTest, UncaughtExceptionIsRecordedBeforeTheAbort) {
  int status = runCrashingChild([] { throwFromDepth(30); });
  expectKilledBy(status, SIGABRT);
  std::vector<std::string> messages = log_.messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], "before");
  EXPECT_EQ(messages[2], "FATAL SIGNAL 6");
  const std::string& record = messages[1];
  const std::string firstLine = "UNCAUGHT EXCEPTION: std::runtime_error — disk on fire\n";
  ASSERT_EQ(record.substr(0, firstLine.size()), firstLine);
  std::string stack = record.substr(firstLine.size());
  EXPECT_EQ(std::count(stack.begin(), stack.end(), '\n'), 19) << stack;
  EXPECT_NE(stack.back(), '\n');
}

TEST_F(CrashHandlerTest, ExceptionNotDerivedFromStdExceptionHasNoReason) {
  int status = runCrashingChild([] { throw 42; });
  expectKilledBy(status, SIGABRT);
  std::vector<std::string> messages = log_.messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].substr(0, messages[1].find('\n') + 1),
            "UNCAUGHT EXCEPTION: int — no reason\n");
}

[[noreturn]] void earlierTerminateHandler() {
  Log::write("earlier terminate handler");
  std::abort();
}

TEST_F(CrashHandlerTest, TerminateHandlerInPlaceBeforeStillRunsAfterTheRecord) {
  // On macOS the object runtime's handler sits there and reports its own
  // exceptions; it must not be cut off.
  earlierTerminate_ = earlierTerminateHandler;
  int status = runCrashingChild([] { throwFromDepth(0); });
  expectKilledBy(status, SIGABRT);
  std::vector<std::string> messages = log_.messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[1].rfind("UNCAUGHT EXCEPTION: std::runtime_error — disk on fire\n", 0), 0u);
  EXPECT_EQ(messages[2], "earlier terminate handler");
  EXPECT_EQ(messages[3], "FATAL SIGNAL 6");
}

class CrashHandlerSizeBoundTest : public CrashHandlerTest {
 protected:
  void seed(std::uint64_t size) {
    FaultyFileSystem files;
    ASSERT_TRUE(
        files.writeFileAtomically(log_.path(), std::string(size - 1, 'a') + "\n", 0644).ok());
    logBefore_ = false;
  }
};

TEST_F(CrashHandlerSizeBoundTest, SignalRecordStartsAFreshLogPastTheLimit) {
  seed(LogFile::sizeLimit + 1);
  int status = runCrashingChild([] { std::abort(); });
  expectKilledBy(status, SIGABRT);
  EXPECT_EQ(log_.messages(), std::vector<std::string>{"FATAL SIGNAL 6"});
  expectLastLineIsSignal(SIGABRT);
}

TEST_F(CrashHandlerSizeBoundTest, SignalRecordIsAppendedAtTheLimit) {
  seed(LogFile::sizeLimit);
  int status = runCrashingChild([] { std::abort(); });
  expectKilledBy(status, SIGABRT);
  std::string contents = log_.contents();
  EXPECT_EQ(contents.size(), LogFile::sizeLimit + 1 + logTimestampLength + 2 + 13 + 1 + 1);
  expectLastLineIsSignal(SIGABRT);
}

}  // namespace
