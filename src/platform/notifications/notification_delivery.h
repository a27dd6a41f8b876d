#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/format/calendar.h"
#include "platform/notifications/pending_notifications.h"
#include "platform/notifications/user_notification_center.h"
#include "platform/status.h"

namespace tockary {

// The name the desktop shows a notification under.
inline constexpr std::string_view kNotificationApplicationName = "Tockary";

// A notification as a desktop shows it: a summary line and a body.
struct NotificationText {
  std::string summary;  // the title, or the subtitle when there is no title
  std::string body;     // the texts the summary left out, one a line
  friend bool operator==(const NotificationText&, const NotificationText&) = default;
};

NotificationText notificationText(const NotificationContent& content);

// Shows a notification to the user now.
class NotificationPoster {
 public:
  virtual ~NotificationPoster() = default;
  // An error, its description one line saying why, when nothing was shown.
  virtual Status post(const NotificationContent& content) = 0;
};

// Takes the requests due at `now` from `center` and posts each with `poster`. One the poster
// cannot show is printed on `fallback` instead: one line saying why, then its title, subtitle and
// body, those it has, one a line (a person reads that output, so it was shown all the same).
// Returns the requests delivered, in order; an error when the due ones could not be taken, and
// then nothing was delivered.
Result<std::vector<NotificationRequest>> deliverDueNotifications(PendingNotificationCenter& center,
                                                                 NotificationPoster& poster,
                                                                 Date now, const Calendar& calendar,
                                                                 std::ostream& fallback);

}  // namespace tockary
