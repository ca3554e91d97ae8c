// Accessibility trust set by the test; records every query.
#pragma once

#include <memory>

#include "CallRecord.h"
#include "platform/Accessibility.h"

class FakeAccessibility : public Accessibility {
 public:
  bool isProcessTrusted() override;
  bool isProcessTrustedWithPrompt() override;

  bool trusted = false;
  /// Records "accessibility.isProcessTrusted" and
  /// "accessibility.isProcessTrustedWithPrompt".
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
