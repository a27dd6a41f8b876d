#pragma once

#include <QThread>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <memory>

#include "platform/format/calendar.h"
#include "platform/format/clock.h"

namespace tockary {
class PendingNotificationCenter;
class NotificationPoster;
}  // namespace tockary

namespace tockary::gui {

// Shows the due reminders on the desktop while the app runs. Works on a thread of its own, with
// its own connection to the pending set, so that a slow notification service never holds up
// the window.
class ReminderDelivery {
 public:
  // How often it looks for due reminders: well inside a trigger's minute.
  static constexpr std::chrono::seconds kInterval{20};

  // `clock` must outlive the object. Nothing is delivered when the pending set cannot be opened
  // (said once on standard error).
  ReminderDelivery(const std::filesystem::path& dataDirectory, const Clock& clock,
                   const Calendar& calendar);
  // Waits for a delivery under way (at most the poster's timeout).
  ~ReminderDelivery();
  ReminderDelivery(const ReminderDelivery&) = delete;
  ReminderDelivery& operator=(const ReminderDelivery&) = delete;

  // Looks at once, on its thread (after a rebuild, so a reminder due now shows without waiting
  // for the next look).
  void deliverSoon();

 private:
  void deliver();

  const Clock& clock_;
  Calendar calendar_;  // the worker thread's own copy
  std::unique_ptr<PendingNotificationCenter> center_;
  std::unique_ptr<NotificationPoster> poster_;
  QThread thread_;
  QTimer* timer_ = nullptr;  // lives on thread_
};

}  // namespace tockary::gui
