#include "FakePasteboard.h"

namespace {

// In the order of PasteboardDataType.
const std::string typeNames[] = {"png", "tiff", "rtf", "html"};

}  // namespace

void FakePasteboard::copy(const Offer& offer) {
  ++changeCount_;
  contents_ = offer;
  if (onChange_)
    onChange_();
}

std::int64_t FakePasteboard::changeCount() const {
  ++changeCountReads;
  return changeCount_;
}

void FakePasteboard::contentRead() const {
  ++contentReads;
  if (copyDuringNextRead) {
    // Reads are const to callers; the other application's copy is not.
    auto& self = const_cast<FakePasteboard&>(*this);
    self.copy(*self.copyDuringNextRead);
    self.copyDuringNextRead.reset();
  }
}

std::vector<std::string> FakePasteboard::types() const {
  ++contentReads;
  std::vector<std::string> result = contents_.extraTypes;
  if (contents_.filePaths)
    result.emplace_back("public.file-url");
  for (const auto& [type, bytes] : contents_.data)
    result.push_back("public." + typeNames[static_cast<int>(type)]);
  if (contents_.string)
    result.emplace_back("public.utf8-plain-text");
  return result;
}

std::optional<std::vector<std::string>> FakePasteboard::fileURLPaths() const {
  contentRead();
  return contents_.filePaths;
}

std::optional<Bytes> FakePasteboard::data(PasteboardDataType type) const {
  contentRead();
  auto it = contents_.data.find(type);
  return it == contents_.data.end() ? std::nullopt : std::optional<Bytes>(it->second);
}

std::optional<std::string> FakePasteboard::string() const {
  contentRead();
  return contents_.string;
}

void FakePasteboard::clearContents() {
  writes.emplace_back("clear");
  ++changeCount_;
  contents_ = Offer{};
}

void FakePasteboard::setData(const Bytes& data, PasteboardDataType type) {
  writes.push_back("setData:" + typeNames[static_cast<int>(type)]);
  contents_.data[type] = data;
}

void FakePasteboard::setString(const std::string& text) {
  writes.emplace_back("setString");
  contents_.string = text;
}

void FakePasteboard::writeFileURLs(const std::vector<std::string>& paths) {
  writes.emplace_back("writeFileURLs");
  if (!contents_.filePaths)
    contents_.filePaths.emplace();
  contents_.filePaths->insert(contents_.filePaths->end(), paths.begin(), paths.end());
}
