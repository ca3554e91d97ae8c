// Scripted TIFF conversion: hands back the preset result and logs the input.
#include "FakeImageConverter.h"

std::optional<Bytes> FakeImageConverter::pngFromTiff(const Bytes& tiff) {
  calls.push_back(tiff);
  return result;
}
