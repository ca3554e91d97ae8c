// Installs the crash recorders: terminate handler, object-runtime hook and
// the fatal-signal handler on its own stack.
#include "diagnostics/CrashHandler.h"

#include <cxxabi.h>
#include <execinfo.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <memory>
#include <typeinfo>

#include "diagnostics/FatalSignalRecord.h"
#include "diagnostics/Log.h"
#include "platform/UncaughtExceptionHook.h"

namespace {

constexpr std::size_t maxFrames = 20;
constexpr int fatalSignals[] = {SIGABRT, SIGILL, SIGSEGV, SIGFPE, SIGBUS, SIGTRAP};

bool installed = false;
/// The handler in place before ours: the C++ library's default, or on macOS
/// the object runtime's, which reports its own exceptions through the
/// uncaught-exception hook.
std::terminate_handler previousTerminate = nullptr;

std::string demangle(const char* mangled) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> readable(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  if (status != 0 || !readable) {
    return mangled;
  }
  return readable.get();
}

std::vector<std::string> currentCallStack() {
  void* frames[maxFrames];
  int count = backtrace(frames, static_cast<int>(maxFrames));
  std::unique_ptr<char*, decltype(&std::free)> symbols(backtrace_symbols(frames, count),
                                                       &std::free);
  std::vector<std::string> result;
  if (!symbols) {
    return result;
  }
  for (int i = 0; i < count; ++i) {
    result.emplace_back(symbols.get()[i]);
  }
  return result;
}

[[noreturn]] void onTerminate() {
  // An exception thrown while recording would bring us back here.
  static bool recording = false;
  if (recording) {
    std::abort();
  }
  recording = true;
  try {
    std::exception_ptr current = std::current_exception();
    if (current) {
      std::string name = "unknown exception";
      std::optional<std::string> reason;
      bool recordIt = true;
      try {
        std::rethrow_exception(current);
      } catch (const std::exception& error) {
        name = demangle(typeid(error).name());
        if (const char* what = error.what()) {
          reason = what;
        }
      } catch (...) {
#if defined(__APPLE__)
        // Object-runtime exceptions arrive here too; the runtime's handler,
        // chained below, records them with their name and reason.
        recordIt = false;
#endif
        if (const std::type_info* type = abi::__cxa_current_exception_type()) {
          name = demangle(type->name());
        }
      }
      if (recordIt) {
        CrashHandler::recordUncaughtException(name, reason, currentCallStack());
      }
    }
  } catch (...) {
    // Nothing more can be recorded; die as intended.
  }
  if (previousTerminate != nullptr) {
    previousTerminate();
  }
  std::abort();
}

void onFatalSignal(int signal) {
  FatalSignalRecord::write(signal);
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signal, &fallback, nullptr);
  // The signal is blocked while this handler runs, so it is delivered, with
  // the default action, the moment the handler returns.
  (void)raise(signal);
}

/// The handler needs its own stack: after a stack overflow the thread's own
/// has no room left.
void installAlternateStack() {
  std::size_t size = std::max<std::size_t>(SIGSTKSZ, std::size_t{64} * 1024);
  // Lives as long as the process; kept in a static so that it is never
  // taken for a leak when the process ends normally.
  static char* alternateStack = new char[size];
  stack_t stack{};
  stack.ss_sp = alternateStack;
  stack.ss_size = size;
  stack.ss_flags = 0;
  sigaltstack(&stack, nullptr);
}

}  // namespace

std::string CrashHandler::exceptionRecord(const std::string& name,
                                          const std::optional<std::string>& reason,
                                          const std::vector<std::string>& callStackSymbols) {
  std::string record = "UNCAUGHT EXCEPTION: " + name + " — " + reason.value_or("no reason") + "\n";
  std::size_t count = std::min(callStackSymbols.size(), maxFrames);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) {
      record += '\n';
    }
    record += callStackSymbols[i];
  }
  return record;
}

void CrashHandler::recordUncaughtException(const std::string& name,
                                           const std::optional<std::string>& reason,
                                           const std::vector<std::string>& callStackSymbols) {
  Log::write(exceptionRecord(name, reason, callStackSymbols));
}

void CrashHandler::install() {
  if (installed) {
    return;
  }
  installed = true;

  installUncaughtExceptionHook(&CrashHandler::recordUncaughtException);
  previousTerminate = std::set_terminate(&onTerminate);

  FatalSignalRecord::prepare(Log::path());
  // backtrace loads its unwinder on first use, which allocates; do it now
  // rather than in a dying process.
  void* warmUp[1];
  backtrace(warmUp, 1);

  installAlternateStack();
  for (int signal : fatalSignals) {
    struct sigaction action {};
    action.sa_handler = &onFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK;
    sigaction(signal, &action, nullptr);
  }
}
