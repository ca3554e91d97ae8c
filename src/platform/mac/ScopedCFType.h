// Owns one Core Foundation or Core Graphics reference (the result of a Create
// or Copy call) and releases it exactly once. ARC does not manage these, so
// every such reference lives in one of these instead of being released by
// hand on each path.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <utility>

template <typename Ref>
class ScopedCFType {
 public:
  /// Takes over `ref`, which may be null (a Create call that failed).
  explicit ScopedCFType(Ref ref = nullptr) : ref_(ref) {}
  ~ScopedCFType() { reset(); }

  ScopedCFType(const ScopedCFType&) = delete;
  ScopedCFType& operator=(const ScopedCFType&) = delete;
  ScopedCFType(ScopedCFType&& other) noexcept : ref_(std::exchange(other.ref_, nullptr)) {}
  ScopedCFType& operator=(ScopedCFType&& other) noexcept {
    if (this != &other) {
      reset();
      ref_ = std::exchange(other.ref_, nullptr);
    }
    return *this;
  }

  Ref get() const { return ref_; }
  explicit operator bool() const { return ref_ != nullptr; }

  void reset(Ref ref = nullptr) {
    if (ref_ != nullptr)
      CFRelease(ref_);
    ref_ = ref;
  }

 private:
  Ref ref_;
};
