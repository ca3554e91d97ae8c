// Recording substitute for another running application.
#include "FakeRunningApplication.h"

#include <utility>

FakeRunningApplication::FakeRunningApplication(std::optional<std::string> name,
                                               std::shared_ptr<CallRecord> record)
    : name_(std::move(name)), record_(std::move(record)) {}

void FakeRunningApplication::activate() {
  ++activations;
  record_->add("app[" + name_.value_or("nil") + "].activate");
}
