// Free heap pages back to the system through glibc's malloc_trim.
#include "platform/HeapTrim.h"

#include <malloc.h>

void trimHeap() {
  // Its result only says whether anything was returned.
  (void)malloc_trim(0);
}
