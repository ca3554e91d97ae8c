// An in-memory pasteboard that behaves like the X11 one (every clear moves
// the change count; one copy offers several types and is reported) and
// records what it was asked, for the order of writes and the cost of a poll.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Pasteboard.h"

class FakePasteboard : public Pasteboard {
 public:
  /// Everything one copy in another application puts on the pasteboard.
  struct Offer {
    std::vector<std::string> extraTypes;  // e.g. marker types
    std::optional<std::vector<std::string>> filePaths;
    std::map<PasteboardDataType, Bytes> data;
    std::optional<std::string> string;
    bool abandoned = false;  // the owner exited and took it along
  };

  /// Simulates another application's copy: clears, then offers all of it.
  void copy(const Offer& offer);
  void copyText(const std::string& text) { copy({{}, {}, {}, text}); }
  void ownerExits() { copy({{}, {}, {}, {}, /*abandoned=*/true}); }

  AccessBehavior accessBehavior() const override { return access; }
  std::int64_t changeCount() const override;
  void setOnChange(const std::function<void()>& onChange) override { onChange_ = onChange; }
  bool isAbandoned() const override { return contents_.abandoned; }
  std::vector<std::string> types() const override;
  std::optional<std::vector<std::string>> fileURLPaths() const override;
  std::optional<Bytes> data(PasteboardDataType type) const override;
  std::optional<std::string> string() const override;

  void clearContents() override;
  void setData(const Bytes& data, PasteboardDataType type) override;
  void setString(const std::string& text) override;
  void writeFileURLs(const std::vector<std::string>& paths) override;
  void setPrimaryString(const std::string& text) override { primary = text; }

  /// The PRIMARY selection, which no clear touches.
  std::optional<std::string> primary;
  /// The current contents, for assertions.
  const Offer& contents() const { return contents_; }
  /// When set, the next read of the contents (after the type list) finds
  /// this copy in place of the current one, as when another application
  /// copies in the middle of a capture.
  std::optional<Offer> copyDuringNextRead;
  /// Writes in order: "clear", "setData:png", "setData:rtf", "setString",
  /// "writeFileURLs".
  std::vector<std::string> writes;
  AccessBehavior access = AccessBehavior::defaultBehavior;
  /// Reads of the change count, and of anything else.
  mutable int changeCountReads = 0;
  mutable int contentReads = 0;

 private:
  /// Counts a read of the contents, and makes a scheduled copy first.
  void contentRead() const;

  std::int64_t changeCount_ = 100;
  Offer contents_;
  std::function<void()> onChange_;
};
