#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/notifications/user_notification_center.h"
#include "store/app_services.h"

namespace tockary {

inline constexpr std::string_view kNotificationCategory = "alarm";

// A watch bought on this calendar day some whole years ago.
struct PurchaseAnniversary {
  std::string name;
  int years = 0;
};

// The reminders and tips, rebuilt from the preference flags and the store. Reads the store on the
// calling thread, which must be the one that owns the view context.
class Reminders {
 public:
  // `services` and `center` must outlive the object.
  Reminders(AppServices& services, UserNotificationCenter& center);

  // Replaces every pending notification of the program with those whose flag is on and whose
  // condition holds now, in their fixed order, each under a new identifier.
  void initiateNotifications();
  // What a rebuild now would schedule (without scheduling it).
  std::vector<NotificationRequest> requestsToSchedule();
  // Prints the pending requests as diagnostic lines.
  void printPendingRequests() const;

  // The last wear of the unsold watch worn last; now when there is none.
  Date latestWearDate();
  // Whether the latest wear date is on another day than today.
  bool noWatchWornToday();
  // The name of the unsold watch last worn exactly `days` calendar days ago (or ahead), the one
  // worn earliest when several are; empty when none is.
  std::string watchNotWornFor(int days);
  // The name of the unsold watch whose warranty ends exactly `days` calendar days from today;
  // empty when none does.
  std::string watchWithWarrantyEndingIn(int days);
  // An unsold watch bought on this calendar day one or more whole years ago.
  std::optional<PurchaseAnniversary> purchaseAnniversary();
  // Whether the earliest-started measurement still running has run 24 hours or more.
  bool longRunningMeasurement();

 private:
  // Also collects the diagnostic line of each request it builds.
  std::vector<NotificationRequest> requestsToSchedule(
      std::vector<std::string_view>* scheduledLines);

  AppServices& services_;
  UserNotificationCenter& center_;
};

// The trigger as people read it: "daily 18:00", "day 10 of each month, 14:04".
std::string triggerDescription(const CalendarTrigger& trigger);

}  // namespace tockary
