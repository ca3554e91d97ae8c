// An image that only remembers how it was named and set up. Records
// "image[NAME].setTemplate(1)" and "image[NAME].setSize(WxH)".
#pragma once

#include <memory>
#include <string>

#include "CallRecord.h"
#include "platform/Image.h"

class FakeImage : public Image {
 public:
  FakeImage(std::string name, std::shared_ptr<CallRecord> record);

  void setTemplate(bool isTemplate) override;
  void setSize(Size2D size) override;

  /// The resource path, or "symbol:" + the system symbol's name.
  std::string name;
  std::string accessibilityDescription;
  bool isTemplate = false;
  Size2D size;

 private:
  std::shared_ptr<CallRecord> record_;
};
