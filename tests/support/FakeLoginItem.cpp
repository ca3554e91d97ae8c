// Recording login item substitute.
#include "FakeLoginItem.h"

LoginItem::Status FakeLoginItem::status() {
  record->add("loginItem.status");
  return currentStatus;
}

std::optional<std::string> FakeLoginItem::registerService() {
  record->add("loginItem.registerService");
  if (registerError) {
    return registerError;
  }
  currentStatus = Status::enabled;
  return std::nullopt;
}

std::optional<std::string> FakeLoginItem::unregisterService() {
  record->add("loginItem.unregisterService");
  if (unregisterError) {
    return unregisterError;
  }
  currentStatus = Status::notRegistered;
  return std::nullopt;
}
