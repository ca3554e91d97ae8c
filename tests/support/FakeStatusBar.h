// A status bar that hands out FakeStatusItems and knows a set of system
// symbols. Records "statusBar.statusItemWithLength(LENGTH)" and
// "statusBar.imageWithSystemSymbolName(NAME,DESCRIPTION)".
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CallRecord.h"
#include "FakeImage.h"
#include "FakeStatusItem.h"
#include "platform/StatusBar.h"

class FakeStatusBar : public StatusBar {
 public:
  std::unique_ptr<StatusItem> statusItemWithLength(double length) override;
  std::shared_ptr<Image> imageWithSystemSymbolName(
      const std::string& name, const std::string& accessibilityDescription) override;

  /// Whether the items handed out have a button.
  bool itemsHaveButton = true;
  std::set<std::string> systemSymbols{"doc.on.clipboard"};
  /// Items handed out, in order; valid while their owner keeps them.
  std::vector<FakeStatusItem*> items;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
