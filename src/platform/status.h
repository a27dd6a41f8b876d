#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tockary {

// The error dictionary that travels with a failure, printed in fatal messages.
using UserInfo = std::map<std::string, std::string>;

// Outcome of an operation that can fail: ok, or a description with user information.
// No exception crosses a layer; callers inspect the value.
class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status ok() { return {}; }
  static Status error(std::string description, UserInfo userInfo = {}) {
    Status s;
    s.failed_ = true;
    s.description_ = std::move(description);
    s.userInfo_ = std::move(userInfo);
    return s;
  }

  bool isOk() const { return !failed_; }
  explicit operator bool() const { return isOk(); }
  const std::string& description() const { return description_; }
  const UserInfo& userInfo() const { return userInfo_; }

  // The user information as a dictionary text: {key = value; key2 = "text with blanks";}
  std::string userInfoText() const;

 private:
  bool failed_ = false;
  std::string description_;
  UserInfo userInfo_;
};

// A value or the Status explaining why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}       // NOLINT(google-explicit-constructor)
  Result(Status error) : state_(std::move(error)) {}  // NOLINT(google-explicit-constructor)

  bool isOk() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return isOk(); }
  const T& value() const& { return std::get<T>(state_); }
  T& value() & { return std::get<T>(state_); }
  // By value, so that a range-for over a temporary result does not dangle.
  T value() && { return std::get<T>(std::move(state_)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }
  T valueOr(T fallback) const { return isOk() ? value() : std::move(fallback); }
  // The failure; an ok Status when there is a value.
  Status status() const { return isOk() ? Status::ok() : std::get<Status>(state_); }

 private:
  std::variant<T, Status> state_;
};

}  // namespace tockary
