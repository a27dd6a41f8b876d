#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/status.h"

namespace tockary {

// What a notification shows; an empty text is absent.
struct NotificationContent {
  std::string title;
  std::string subtitle;
  std::string body;
  std::string categoryIdentifier;
  std::vector<std::pair<std::string, std::string>> userInfo;
  bool defaultSound = true;
  friend bool operator==(const NotificationContent&, const NotificationContent&) = default;
};

// Fires when the wall clock (the current time zone) shows the fields given; a field left out
// matches every value (no day: every day).
struct CalendarTrigger {
  std::optional<int> day;  // of the month, 1-31
  int hour = 0;
  int minute = 0;
  bool repeats = true;
  friend bool operator==(const CalendarTrigger&, const CalendarTrigger&) = default;
};

struct NotificationRequest {
  std::string identifier;
  NotificationContent content;
  CalendarTrigger trigger;
  friend bool operator==(const NotificationRequest&, const NotificationRequest&) = default;
};

// The program's scheduled notifications, kept by the platform between runs.
class UserNotificationCenter {
 public:
  virtual ~UserNotificationCenter() = default;

  // Asks to show alerts with sound and a badge; `completion` gets the answer, possibly before
  // this returns.
  virtual void requestAuthorization(std::function<void(bool granted)> completion) = 0;

  // Replaces every pending request with `requests`, in their order, in one step: two programs
  // rebuilding at once leave one whole set, never a mixture.
  virtual Status replacePendingNotificationRequests(std::vector<NotificationRequest> requests) = 0;

  // The pending requests in the order they were added.
  virtual Result<std::vector<NotificationRequest>> pendingNotificationRequests() const = 0;
};

}  // namespace tockary
