// Giving freed heap memory back to the system. glibc keeps freed blocks for
// reuse and returns only the top of its heap by itself, so the many small
// temporaries of reading one large capture (on Linux, several blocks per path
// of a file list) stay with the process long after they are freed.
#pragma once

/// Returns the heap's free pages to the system where the allocator keeps
/// them; nothing where it does so by itself. It walks the free blocks, so it
/// is meant for after a large capture, not for every change.
void trimHeap();
