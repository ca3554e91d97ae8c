// A pasteboard that offers nothing and ignores writes, for benchmarks whose
// store must have one but never reads or writes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Pasteboard.h"

class InertPasteboard : public Pasteboard {
 public:
  AccessBehavior accessBehavior() const override { return AccessBehavior::defaultBehavior; }
  std::int64_t changeCount() const override { return 0; }
  std::vector<std::string> types() const override { return {}; }
  std::optional<std::vector<std::string>> fileURLPaths() const override { return std::nullopt; }
  std::optional<Bytes> data(PasteboardDataType) const override { return std::nullopt; }
  std::optional<std::string> string() const override { return std::nullopt; }
  void clearContents() override {}
  void setData(const Bytes&, PasteboardDataType) override {}
  void setString(const std::string&) override {}
  void writeFileURLs(const std::vector<std::string>&) override {}
};
