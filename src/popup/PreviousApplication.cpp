// Remembering the application in front and giving the focus back to it.
#include "popup/PreviousApplication.h"

#include <utility>

#include "platform/Application.h"
#include "platform/RunningApplication.h"
#include "platform/Workspace.h"

PreviousApplication::PreviousApplication(Workspace& workspace, Application& application)
    : workspace_(workspace), application_(application) {}

void PreviousApplication::remember() {
  std::shared_ptr<RunningApplication> front = workspace_.frontmostApplication();
  if (front && front->processIdentifier() == application_.processIdentifier()) {
    return;
  }
  previous_ = std::move(front);
}

void PreviousApplication::handBack() {
  if (previous_ && previous_->activate()) {
    return;
  }
  application_.hide();
}
