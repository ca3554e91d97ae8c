// The general pasteboard through AppKit's NSPasteboard.
#pragma once

#include "platform/Pasteboard.h"

class MacPasteboard : public Pasteboard {
 public:
  /// `defaultBehavior` before macOS 15.4.
  AccessBehavior accessBehavior() const override;
  std::int64_t changeCount() const override;
  std::vector<std::string> types() const override;
  std::optional<std::vector<std::string>> fileURLPaths() const override;
  std::optional<Bytes> data(PasteboardDataType type) const override;
  std::optional<std::string> string() const override;

  void clearContents() override;
  void setData(const Bytes& data, PasteboardDataType type) override;
  void setString(const std::string& text) override;
  /// Paths that are empty or not UTF-8 name no file and are left out.
  void writeFileURLs(const std::vector<std::string>& paths) override;
};
