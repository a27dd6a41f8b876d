#pragma once

#include <string>
#include <vector>

#include "platform/date.h"
#include "platform/format/calendar.h"
#include "platform/notifications/user_notification_center.h"

namespace tockary {

// The requests as an iCalendar (RFC 5545) text, for a calendar program to remind from: one event
// per request, in order, each starting at its trigger's next occurrence at or after `now` in
// `calendar`'s zone and written as floating local time (the trigger follows the wall clock
// wherever its owner is), repeating daily or on its day of the month, with a display alarm at
// its start. The summary and description are notificationText()'s. A request whose trigger never
// fires has no event. UTF-8 (ill-formed bytes become U+FFFD), CRLF line ends, lines folded at 75
// octets between characters.
std::string iCalendarText(const std::vector<NotificationRequest>& requests, Date now,
                          const Calendar& calendar);

}  // namespace tockary
