#include "platform/notifications/trigger_occurrence.h"

namespace tockary {

namespace {

// The longest a monthly trigger waits: day 31 comes back within two months, but a year bounds
// the search whatever the day.
constexpr int kMonthsSearched = 13;

// The calendar day `days` after `base`'s day. Found at noon, which every day has even where the
// clocks change at night.
LocalDateTime dayAfter(const LocalDateTime& base, int days, const Calendar& calendar) {
  return calendar.localDateTime(calendar.dateFrom(base.year, base.month, base.day + days, 12));
}

// The trigger's time on `day`, whether or not the trigger's day of the month matches.
TriggerOccurrence at(const CalendarTrigger& trigger, const LocalDateTime& day,
                     const Calendar& calendar) {
  const LocalDateTime wall{day.year, day.month, day.day, trigger.hour, trigger.minute, 0};
  return {wall, calendar.dateFrom(wall.year, wall.month, wall.day, wall.hour, wall.minute)};
}

bool matchesDay(const CalendarTrigger& trigger, const LocalDateTime& day) {
  return !trigger.day || *trigger.day == day.day;
}

}  // namespace

bool firesAtAll(const CalendarTrigger& trigger) {
  return (!trigger.day || (*trigger.day >= 1 && *trigger.day <= 31)) && trigger.hour >= 0 &&
         trigger.hour <= 23 && trigger.minute >= 0 && trigger.minute <= 59;
}

std::optional<TriggerOccurrence> latestOccurrence(const CalendarTrigger& trigger, Date now,
                                                  std::chrono::minutes within,
                                                  const Calendar& calendar) {
  if (!firesAtAll(trigger)) return std::nullopt;
  const LocalDateTime today = calendar.localDateTime(now);
  // Less than a day back: the occurrence is today's or, just after midnight, yesterday's.
  for (int days : {0, -1}) {
    const LocalDateTime day = days == 0 ? today : dayAfter(today, days, calendar);
    const TriggerOccurrence occurrence = at(trigger, day, calendar);
    if (occurrence.instant > now) continue;
    if (!matchesDay(trigger, day) || now - occurrence.instant > within) return std::nullopt;
    return occurrence;
  }
  return std::nullopt;
}

std::optional<TriggerOccurrence> nextOccurrence(const CalendarTrigger& trigger, Date from,
                                                const Calendar& calendar) {
  if (!firesAtAll(trigger)) return std::nullopt;
  const LocalDateTime today = calendar.localDateTime(from);
  if (!trigger.day) {
    for (int days = 0; days <= 2; ++days) {
      const TriggerOccurrence occurrence = at(trigger, dayAfter(today, days, calendar), calendar);
      if (occurrence.instant >= from) return occurrence;
    }
    return std::nullopt;
  }
  for (int months = 0; months < kMonthsSearched; ++months) {
    // A day past the month's end carries over into the next month, which tells that the month
    // lacks it.
    const LocalDateTime day = calendar.localDateTime(
        calendar.dateFrom(today.year, today.month + months, *trigger.day, 12));
    if (day.day != *trigger.day) continue;
    const TriggerOccurrence occurrence = at(trigger, day, calendar);
    if (occurrence.instant >= from) return occurrence;
  }
  return std::nullopt;
}

}  // namespace tockary
