#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/format/calendar.h"
#include "platform/notifications/user_notification_center.h"
#include "platform/status.h"

struct sqlite3;

namespace tockary {

// The reminders' file in the data folder, beside the store.
inline constexpr std::string_view kRemindersFileName = "reminders.sqlite";

// How late a due notification is still delivered: a timer that fires late or a machine that
// wakes within it still shows the notification.
inline constexpr std::chrono::minutes kDeliveryGrace{5};

// The pending set in its own SQLite file, shared by every process of the user (the app
// rebuilding it every minute, a timer running the command line to deliver what is due). Each
// object has its own connection; use it from one thread at a time.
class PendingNotificationCenter final : public UserNotificationCenter {
 public:
  ~PendingNotificationCenter() override;
  PendingNotificationCenter(const PendingNotificationCenter&) = delete;
  PendingNotificationCenter& operator=(const PendingNotificationCenter&) = delete;

  // Grants at once: the desktop asks nobody.
  void requestAuthorization(std::function<void(bool granted)> completion) override;

  // One write transaction: a reader sees the earlier set or this one. An error when another
  // process holds the file beyond the busy timeout or the write fails; the earlier set stays.
  Status replacePendingNotificationRequests(std::vector<NotificationRequest> requests) override;

  // Read at once from the file, as another process may have replaced the set since.
  Result<std::vector<NotificationRequest>> pendingNotificationRequests() const override;

  // The pending requests due at `now` in `calendar`'s zone, in the set's order, each marked
  // delivered in the same write transaction, so that no occurrence is ever taken twice, by this
  // process or another. Due: the trigger's latest occurrence at or before now is at most
  // kDeliveryGrace earlier and was not taken before. An occurrence is known by the request's
  // content and trigger and its wall-clock minute, not by the identifier, which every rebuild
  // renews; two equal requests are one. A request that does not repeat leaves the set when
  // taken. Marks older than two days are dropped. An error takes nothing.
  Result<std::vector<NotificationRequest>> takeDueNotificationRequests(Date now,
                                                                       const Calendar& calendar);

  const std::filesystem::path& file() const { return file_; }

 private:
  friend Result<std::unique_ptr<PendingNotificationCenter>> openPendingNotifications(
      const std::filesystem::path& dataDirectory);
  PendingNotificationCenter(std::filesystem::path file, sqlite3* db);

  std::filesystem::path file_;
  sqlite3* db_;
};

// Opens kRemindersFileName in `dataDirectory`, creating the folder (0700) and the file (0600) as
// needed. A file that is not a usable reminders file (another program's, a newer version's, a
// folder) gives an error and is left as it was.
Result<std::unique_ptr<PendingNotificationCenter>> openPendingNotifications(
    const std::filesystem::path& dataDirectory);

}  // namespace tockary
