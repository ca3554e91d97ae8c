// The start-up order shared by both front ends.
#include "app/AppMain.h"

#include <gtest/gtest.h>

#include "FakeApplicationHost.h"
#include "ShellFixture.h"
#include "app/AppPlatform.h"

namespace {

class RecordingPlatform : public AppPlatform {
 public:
  RecordingPlatform(std::shared_ptr<CallRecord> record, AppEnvironment environment)
      : record_(std::move(record)), environment_(std::move(environment)) {
    host.record = record_;
  }

  void installCrashHandler() override { record_->add("crashHandler.install"); }
  ApplicationHost& sharedApplication() override {
    record_->add("platform.sharedApplication");
    return host;
  }
  AppEnvironment environment() override {
    record_->add("platform.environment");
    return environment_;
  }

  FakeApplicationHost host;

 private:
  std::shared_ptr<CallRecord> record_;
  AppEnvironment environment_;
};

class AppMainTest : public ShellFixture {};

TEST_F(AppMainTest, StartsInTheFixedOrderAndLaunchesFromTheEventLoop) {
  RecordingPlatform platform(record, environment());
  platform.host.exitStatus = 3;
  EXPECT_EQ(runApp(platform), 3);

  std::vector<std::string> start(record->calls().begin(), record->calls().begin() + 9);
  EXPECT_EQ(start,
            (std::vector<std::string>{
                "crashHandler.install", "platform.sharedApplication", "platform.environment",
                "fileSystem.readFile(history.json)", "pasteboard.changeCount", "host.setDelegate",
                "host.setActivationPolicy(1)", "host.run", "host.applicationDidFinishLaunching"}));
  // The delegate outlived the call to run: launching built the status item.
  EXPECT_EQ(statusBar.items.size(), 1U);
  EXPECT_EQ(platform.host.activationPolicy, ApplicationHost::ActivationPolicy::accessory);
}

}  // namespace
