// Linux has no object runtime with exceptions of its own; nothing to hook.
#include "platform/UncaughtExceptionHook.h"

void installUncaughtExceptionHook(UncaughtExceptionRecorder /*recorder*/) {}
