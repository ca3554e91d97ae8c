// One ordered list of calls that several fakes write to, so a test can check
// the order of calls across seams, not just within one.
#pragma once

#include <string>
#include <utility>
#include <vector>

class CallRecord {
 public:
  void add(std::string call) { calls_.push_back(std::move(call)); }
  const std::vector<std::string>& calls() const { return calls_; }
  void clear() { calls_.clear(); }
  /// How many recorded calls equal `call`.
  int count(const std::string& call) const;

 private:
  std::vector<std::string> calls_;
};
