// Scripted RTF parsing: hands back the preset result and logs the input.
#include "FakeRtfConverter.h"

std::optional<std::string> FakeRtfConverter::plainText(const Bytes& rtf) {
  calls.push_back(rtf);
  return result;
}
