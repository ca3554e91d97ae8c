// Random bytes from the system's cryptographic generator.
#include "platform/SecureRandom.h"

#include <stdlib.h>

void fillSecureRandom(void* buffer, std::size_t size) {
  // arc4random_buf draws from the kernel's generator and cannot fail.
  arc4random_buf(buffer, size);
}
