// This application, as a recording substitute.
#pragma once

#include <memory>

#include "CallRecord.h"
#include "platform/Application.h"

class FakeApplication : public Application {
 public:
  void activateIgnoringOtherApps() override {
    record->add("application.activateIgnoringOtherApps");
  }
  void terminate() override { record->add("application.terminate"); }

  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
