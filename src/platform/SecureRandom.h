// Cryptographically strong random bytes from the operating system.
#pragma once

#include <cstddef>

void fillSecureRandom(void* buffer, std::size_t size);
