// A session described by a table: its environment and the compositor's
// globals, with the connection attempts written to the record.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CallRecord.h"
#include "platform/DisplaySession.h"

class FakeDisplaySession : public DisplaySession {
 public:
  std::map<std::string, std::string> environment;
  /// Nothing: the compositor cannot be reached.
  std::optional<std::vector<std::string>> globals;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();

  std::optional<std::string> environmentVariable(const std::string& name) const override {
    auto found = environment.find(name);
    if (found == environment.end()) {
      return std::nullopt;
    }
    return found->second;
  }
  std::optional<std::vector<std::string>> waylandGlobals() override {
    record->add("session.waylandGlobals");
    return globals;
  }
};
