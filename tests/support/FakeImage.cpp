// Recording image substitute.
#include "FakeImage.h"

#include <utility>

namespace {

std::string number(double value) {
  auto text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (!text.empty() && text.back() == '.') {
    text.pop_back();
  }
  return text;
}

}  // namespace

FakeImage::FakeImage(std::string imageName, std::shared_ptr<CallRecord> record)
    : name(std::move(imageName)), record_(std::move(record)) {}

void FakeImage::setTemplate(bool templateImage) {
  record_->add("image[" + name + "].setTemplate(" + (templateImage ? "1" : "0") + ")");
  isTemplate = templateImage;
}

void FakeImage::setSize(Size2D newSize) {
  record_->add("image[" + name + "].setSize(" + number(newSize.width) + "x" +
               number(newSize.height) + ")");
  size = newSize;
}
