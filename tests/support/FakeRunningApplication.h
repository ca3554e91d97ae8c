// Another application with a name chosen by the test; records activations as
// "app[NAME].activate" ("app[nil]" when it has no name).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CallRecord.h"
#include "platform/RunningApplication.h"

class FakeRunningApplication : public RunningApplication {
 public:
  FakeRunningApplication(std::optional<std::string> name, std::shared_ptr<CallRecord> record);

  std::optional<std::string> localizedName() const override { return name_; }
  void activate() override;

  int activations = 0;

 private:
  std::optional<std::string> name_;
  std::shared_ptr<CallRecord> record_;
};
