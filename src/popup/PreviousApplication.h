// The application that was in front before one of our windows took the
// focus, and handing the focus back to it when that window goes away without
// a paste. An accessory application stays active after its last window
// closes, so without this the user's keys would go nowhere.
#pragma once

#include <memory>

class Application;
class RunningApplication;
class Workspace;

class PreviousApplication {
 public:
  /// Both must outlive this object.
  PreviousApplication(Workspace& workspace, Application& application);

  /// Remembers the frontmost application. When that is this process (a
  /// reopen, an alert over one of our windows), the application the system
  /// last made active before it is taken, else the earlier one is kept: our
  /// own process must never be the target of a paste or of the focus handed
  /// back.
  void remember();
  /// Brings the remembered application to the front unless it is there
  /// already; with none known, or when the system refuses, hides this
  /// application so the system passes the focus on.
  void handBack();

  /// Empty until something other than this process was in front.
  const std::shared_ptr<RunningApplication>& application() const { return previous_; }

 private:
  bool isThisProcess(const RunningApplication& app) const;

  Workspace& workspace_;
  Application& application_;
  std::shared_ptr<RunningApplication> previous_;
};
