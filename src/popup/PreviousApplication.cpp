// Remembering the application in front and giving the focus back to it.
#include "popup/PreviousApplication.h"

#include <utility>

#include "platform/Application.h"
#include "platform/RunningApplication.h"
#include "platform/Workspace.h"

PreviousApplication::PreviousApplication(Workspace& workspace, Application& application)
    : workspace_(workspace), application_(application) {}

bool PreviousApplication::isThisProcess(const RunningApplication& app) const {
  return app.processIdentifier() == application_.processIdentifier();
}

void PreviousApplication::remember() {
  std::shared_ptr<RunningApplication> front = workspace_.frontmostApplication();
  if (front && isThisProcess(*front)) {
    front = workspace_.lastActiveOtherApplication();
    if (!front || isThisProcess(*front)) {
      return;
    }
  }
  previous_ = std::move(front);
}

void PreviousApplication::handBack() {
  // Behind a panel that never activated us it is still active; asking again
  // could only be refused, and a refusal would hide our other windows.
  if (previous_ && (previous_->isActive() || previous_->activate())) {
    return;
  }
  application_.hide();
}
