// An optional value that is never changed once set, so that copies share it:
// copying an entry costs a pointer per body, whatever its text weighs, and the
// writer thread can read a copy while the main thread goes on. Reads like
// std::optional; a new value replaces the old one instead of changing it.
#pragma once

#include <concepts>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

template <typename T>
class SharedValue {
 public:
  SharedValue() = default;
  // NOLINTNEXTLINE(google-explicit-constructor): stands in for std::optional
  SharedValue(std::nullopt_t /*none*/) {}
  // NOLINTNEXTLINE(google-explicit-constructor)
  SharedValue(std::optional<T> value) {
    if (value)
      value_ = std::make_shared<const T>(std::move(*value));
  }
  // NOLINTBEGIN(google-explicit-constructor,bugprone-forwarding-reference-overload)
  // Takes what T takes, as std::optional does; never a SharedValue.
  template <typename U>
  requires(std::constructible_from<T, U&&> && !std::same_as<std::remove_cvref_t<U>, SharedValue> &&
           !std::same_as<std::remove_cvref_t<U>, std::optional<T>> &&
           !std::same_as<std::remove_cvref_t<U>, std::nullopt_t>) SharedValue(U&& value)
      : value_(std::make_shared<const T>(std::forward<U>(value))) {}
  // NOLINTEND(google-explicit-constructor,bugprone-forwarding-reference-overload)

  explicit operator bool() const { return value_ != nullptr; }
  bool has_value() const { return value_ != nullptr; }  // NOLINT(readability-identifier-naming)
  const T& operator*() const { return *value_; }
  const T* operator->() const { return value_.get(); }
  template <typename U>
  T value_or(U&& fallback) const {  // NOLINT(readability-identifier-naming)
    return value_ ? *value_ : T(std::forward<U>(fallback));
  }
  void reset() { value_.reset(); }
  template <typename... Args>
  const T& emplace(Args&&... args) {
    value_ = std::make_shared<const T>(std::forward<Args>(args)...);
    return *value_;
  }
  /// Whether both share one body; equal values made apart do not.
  bool sharesWith(const SharedValue& other) const { return value_ == other.value_; }

  friend bool operator==(const SharedValue& a, const SharedValue& b) {
    if (!a || !b)
      return !a && !b;
    return a.value_ == b.value_ || *a == *b;
  }
  friend bool operator==(const SharedValue& a, std::nullopt_t /*none*/) { return !a; }
  template <typename U>
  requires(!std::same_as<std::remove_cvref_t<U>, SharedValue> &&
           !std::same_as<std::remove_cvref_t<U>, std::nullopt_t>) friend bool
  operator==(const SharedValue& a, const U& b) {
    if constexpr (requires { b.has_value(); }) {
      return b.has_value() ? (a && *a == *b) : !a;
    } else {
      return a && *a == b;
    }
  }

 private:
  std::shared_ptr<const T> value_;
};
