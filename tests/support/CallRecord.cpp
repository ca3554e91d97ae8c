// Ordered call record shared by fakes.
#include "CallRecord.h"

#include <algorithm>

int CallRecord::count(const std::string& call) const {
  return static_cast<int>(std::count(calls_.begin(), calls_.end(), call));
}
