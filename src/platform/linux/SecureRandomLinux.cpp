// Random bytes from the kernel's getrandom(2).
#include "platform/SecureRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

void fillSecureRandom(void* buffer, std::size_t size) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (size > 0) {
    ssize_t got = getrandom(out, size, 0);
    if (got < 0) {
      if (errno == EINTR)
        continue;
      // Identifiers must never repeat; without the kernel's entropy there is
      // no sound way on.
      std::abort();
    }
    out += got;
    size -= static_cast<std::size_t>(got);
  }
}
