// An application object whose event loop only announces the end of launching
// to its delegate and returns. Records "host.setDelegate",
// "host.setActivationPolicy(POLICY)", "host.run" and
// "host.applicationDidFinishLaunching".
#pragma once

#include <memory>
#include <string>

#include "CallRecord.h"
#include "platform/ApplicationDelegate.h"
#include "platform/ApplicationHost.h"

class FakeApplicationHost : public ApplicationHost {
 public:
  void setDelegate(ApplicationDelegate* newDelegate) override {
    record->add("host.setDelegate");
    delegate = newDelegate;
  }
  void setActivationPolicy(ActivationPolicy policy) override {
    record->add("host.setActivationPolicy(" + std::to_string(static_cast<int>(policy)) + ")");
    activationPolicy = policy;
  }
  int run() override {
    record->add("host.run");
    if (delegate) {
      record->add("host.applicationDidFinishLaunching");
      delegate->applicationDidFinishLaunching();
    }
    return exitStatus;
  }

  ApplicationDelegate* delegate = nullptr;
  ActivationPolicy activationPolicy = ActivationPolicy::regular;
  int exitStatus = 0;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
