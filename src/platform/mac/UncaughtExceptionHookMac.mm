// Objective-C exceptions that nobody caught, through Foundation's
// NSSetUncaughtExceptionHandler.
#include "platform/UncaughtExceptionHook.h"

#import <Foundation/Foundation.h>

#import "platform/mac/MacStrings.h"

namespace {

UncaughtExceptionRecorder installedRecorder = nullptr;
NSUncaughtExceptionHandler* previousHandler = nullptr;

void onUncaughtException(NSException* exception) noexcept {
  if (installedRecorder != nullptr) {
    // The process is going down; a failure while recording (memory) must
    // not stop the runtime's own handling below.
    try {
      std::optional<std::string> reason;
      if (exception.reason != nil) reason = MacStrings::toStdString(exception.reason);
      std::vector<std::string> symbols;
      for (NSString* symbol in exception.callStackSymbols)
        symbols.push_back(MacStrings::toStdString(symbol));
      installedRecorder(MacStrings::toStdString(exception.name), reason, symbols);
    } catch (...) {
    }
  }
  if (previousHandler != nullptr) previousHandler(exception);
}

}  // namespace

void installUncaughtExceptionHook(UncaughtExceptionRecorder recorder) {
  installedRecorder = recorder;
  NSUncaughtExceptionHandler* current = NSGetUncaughtExceptionHandler();
  // Installing twice must not make the hook its own predecessor.
  if (current != &onUncaughtException) previousHandler = current;
  NSSetUncaughtExceptionHandler(&onUncaughtException);
}
