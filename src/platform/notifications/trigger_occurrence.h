#pragma once

#include <chrono>
#include <optional>

#include "platform/date.h"
#include "platform/format/calendar.h"
#include "platform/notifications/user_notification_center.h"

namespace tockary {

// One minute at which a calendar trigger fires: the wall-clock date and time it matches and the
// instant the calendar gives them (a wall time that the clocks skip fires when they resume).
struct TriggerOccurrence {
  LocalDateTime wallClock;  // seconds 0
  Date instant;
  friend bool operator==(const TriggerOccurrence&, const TriggerOccurrence&) = default;
};

// Whether the trigger ever fires: day 1-31 or none, hour 0-23, minute 0-59. A monthly trigger on
// day 29-31 fires only in the months that have that day.
bool firesAtAll(const CalendarTrigger& trigger);

// The trigger's last occurrence at or before `now` among those at most `within` earlier;
// nullopt when there is none (or the trigger never fires). `within` is less than a day.
std::optional<TriggerOccurrence> latestOccurrence(const CalendarTrigger& trigger, Date now,
                                                  std::chrono::minutes within,
                                                  const Calendar& calendar);

// The trigger's first occurrence at or after `from`; nullopt when the trigger never fires.
std::optional<TriggerOccurrence> nextOccurrence(const CalendarTrigger& trigger, Date from,
                                                const Calendar& calendar);

}  // namespace tockary
