// One ordered list of calls that the recording fakes write to, so tests check
// the order of calls across seams on the record, not on per-fake counters.
#pragma once

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

class CallRecord {
 public:
  /// Adds "NAME", or "NAME(ARG,ARG...)" with the arguments as streamed.
  template <typename... Args>
  void add(const std::string& name, const Args&... args) {
    std::ostringstream call;
    call << name;
    if constexpr (sizeof...(args) > 0) {
      const char* separator = "(";
      ((call << separator << args, separator = ","), ...);
      call << ")";
    }
    calls_.push_back(call.str());
  }
  const std::vector<std::string>& calls() const { return calls_; }
  void clear() { calls_.clear(); }
  int count(const std::string& call) const {
    return static_cast<int>(std::count(calls_.begin(), calls_.end(), call));
  }
  /// The calls that start with `prefix`, in order.
  std::vector<std::string> matching(const std::string& prefix) const {
    std::vector<std::string> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [&](const auto& call) { return call.rfind(prefix, 0) == 0; });
    return found;
  }
  /// The calls equal to one of `wanted`, in order: `wanted` itself when each
  /// happened once, in that order.
  std::vector<std::string> only(const std::vector<std::string>& wanted) const {
    std::vector<std::string> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found), [&](const auto& call) {
      return std::find(wanted.begin(), wanted.end(), call) != wanted.end();
    });
    return found;
  }

 private:
  std::vector<std::string> calls_;
};

/// Base of the recording fakes: they write to a shared record, or to their own.
struct Recorder {
  explicit Recorder(std::shared_ptr<CallRecord> shared = std::make_shared<CallRecord>())
      : record(std::move(shared)) {}
  /// Records `call` and hands back `result`.
  template <typename T>
  T noted(const std::string& call, T result) const {
    record->add(call);
    return result;
  }
  std::shared_ptr<CallRecord> record;
};
