// The crash recorder every front end installs.
#include "app/AppPlatform.h"

#include "diagnostics/CrashHandler.h"

void AppPlatform::installCrashHandler() {
  CrashHandler::install();
}
