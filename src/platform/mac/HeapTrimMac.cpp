// macOS's allocator hands freed pages back to the system by itself.
#include "platform/HeapTrim.h"

void trimHeap() {}
