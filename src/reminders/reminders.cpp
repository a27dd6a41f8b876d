#include "reminders.h"

#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "accuracy/measurement.h"
#include "collection/collection_statistics.h"
#include "platform/format/number_text.h"
#include "platform/format/uuid.h"
#include "platform/ui/diagnostics.h"
#include "settings/collection_backup.h"
#include "settings/preference_keys.h"
#include "store/collection_model.h"

namespace tockary {

namespace {

enum class Condition {
  NoWatchWornToday,
  NotWornFor,
  LongRunningMeasurement,
  WarrantyEndingIn,
  PurchaseAnniversary,
  AverageDiameterTip,
  Tip,
};

struct Reminder {
  std::string_view flag;
  Condition condition;
  int days;  // of NotWornFor and WarrantyEndingIn
  std::string_view title;
  std::string_view subtitle;
  std::string_view body;
  CalendarTrigger trigger;
  std::string_view scheduledLine;  // printed once it is scheduled; none when empty
};

CalendarTrigger daily(int hour, int minute) { return {std::nullopt, hour, minute, true}; }
CalendarTrigger monthly(int day, int hour, int minute) { return {day, hour, minute, true}; }

// Names the settings screen's button by its own title.
const std::string kBackupsTip =
    "Keep a copy of your collection somewhere safe: \"" + std::string(kBackUpButtonTitle) +
    "\" under the settings tab (or \"tockary backup FILE\") writes every watch, picture and "
    "setting to one file.";

// The two tips that would advertise an edition of the app that does not exist have no text, and
// a notification with neither title nor body is never scheduled.
const std::array<Reminder, 16> kReminders = {{
    {kEnableWotdReminderSettingOn, Condition::NoWatchWornToday, 0, "Did you wear a watch today?",
     "Remember to mark any watches worn today!", "", daily(18, 0), "AJASTETTIIN WOTD HÄLYTYS"},
    {kEnableWotdReminderSettingOn, Condition::NotWornFor, 30, "", "Has not been worn in: 30 days",
     "Consider wearing again soon.", daily(16, 0), "30 toteutui"},
    {kEnableWotdReminderSettingOn, Condition::NotWornFor, 60, "", "Has not been worn in: 60 days",
     "Consider giving it some wrist time.", daily(16, 30), "60 toteutui"},
    {kEnableWotdReminderSettingOn, Condition::NotWornFor, 100, "", "Has not been worn in: 100 days",
     "Probably could use some wear.", daily(16, 32), "100 toteutui"},
    {kEnableWotdReminderSettingOn, Condition::NotWornFor, 365, "", "Has not been worn in: 365 days",
     "Is it still in the watch box?", daily(16, 35), "365 toteutui"},
    {kEnableLongAccuracyReminderSettingOn, Condition::LongRunningMeasurement, 0,
     "Active long running accuracy measurement", "", "Remember to finish the measurement!",
     daily(15, 30), ""},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::WarrantyEndingIn, 30, "",
     "Warranty expires in: 30 days", "", daily(10, 0), "30 days warranty toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::WarrantyEndingIn, 14, "",
     "Warranty expires in: 14 days", "", daily(10, 2), "14 days warranty toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::WarrantyEndingIn, 1, "",
     "Warranty expires in: 1 day", "", daily(10, 5), "1 day warranty toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::PurchaseAnniversary, 0, "", "",
     "Celebrate by wearing today!", daily(9, 0), "Anniversary toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::AverageDiameterTip, 0, "Collection facts",
     "",
     "Knowing the average diameter of watches in your collection could help when choosing "
     "future watches.",
     monthly(10, 14, 4), "Tip-1 (Diameter) toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::Tip, 0, "Tockary tip", "", kBackupsTip,
     monthly(15, 14, 5), "Tip-2 (Backups) toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::Tip, 0, "Tockary tip", "",
     "Under the settings tab, you can export a CSV file of your collection. The file can be "
     "opened with various spreadsheet programs such as Excel and Numbers.",
     monthly(22, 14, 6), "Tip-3 (CSV-tip) toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::Tip, 0, "Tockary tip", "",
     "If you have a large watch collection (over 50 watches), enabling image compression under "
     "the settings tab will boost app performance!",
     monthly(29, 14, 7), "Tip-4 (Compress) toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::Tip, 0, "", "", "", monthly(25, 17, 1),
     "Tip-5 (TockaryPro) toteutui"},
    {kEnableWarrantyExpiringReminderSettingOn, Condition::Tip, 0, "", "", "", monthly(11, 18, 5),
     "Tip-6 (TockaryPro-import) toteutui"},
}};

// A watch's name in a notification: brand and model joined by one blank, even when one is empty.
std::string notificationName(const Kello& watch) {
  return watch.merkki().value_or("") + " " + watch.malli().value_or("");
}

// The records a fetch finds; a failed fetch prints "Could not fetch" with its error and finds
// none, so that its query gives its empty result.
template <typename T>
std::vector<std::shared_ptr<T>> fetchedOrNone(ManagedObjectContext& context,
                                              const FetchRequest& request) {
  auto fetched = context.fetch<T>(request);
  if (!fetched) {
    diagnostic("Could not fetch " + fetched.status().description());
    return {};
  }
  return std::move(*fetched);
}

// A fetch of unsold watches in the queries' order (last wear ascending, nulls first).
std::vector<std::shared_ptr<Kello>> unsoldWatches(ManagedObjectContext& context,
                                                  std::vector<Predicate> filters,
                                                  std::optional<int> limit) {
  filters.insert(filters.begin(), unsoldWatchesPredicate());
  FetchRequest request = Kello::fetchRequest();
  request.predicate = Predicate::andPredicate(filters);
  request.sortDescriptors = {{"varasarake5", true}};
  request.fetchLimit = limit;
  return fetchedOrNone<Kello>(context, request);
}

// The watches whose `attribute` lies on the calendar day that starts at `dayStart`.
std::vector<Predicate> onDay(std::string_view attribute, Date dayStart, Date nextDayStart) {
  return {Predicate(std::string(attribute) + " >= %@", {dayStart}),
          Predicate(std::string(attribute) + " < %@", {nextDayStart})};
}

}  // namespace

Reminders::Reminders(AppServices& services, UserNotificationCenter& center)
    : services_(services), center_(center) {}

Date Reminders::latestWearDate() {
  const Date now = services_.clock.now();
  FetchRequest request = Kello::fetchRequest();
  request.predicate = unsoldWatchesPredicate();
  request.sortDescriptors = {{"varasarake5", false}};  // descending: nulls last
  request.fetchLimit = 1;
  const auto found = fetchedOrNone<Kello>(services_.context(), request);
  if (found.empty()) return now;
  return found.front()->varasarake5().value_or(now);
}

bool Reminders::noWatchWornToday() {
  const Calendar& calendar = services_.formatters.calendar();
  return calendar.daysBetween(latestWearDate(), services_.clock.now()) != 0;
}

std::string Reminders::watchNotWornFor(int days) {
  const Calendar& calendar = services_.formatters.calendar();
  const LocalDateTime today = calendar.localDateTime(services_.clock.now());
  auto dayStart = [&](int offset) {
    return calendar.dateFrom(today.year, today.month, today.day + offset);
  };
  // The days are counted as an absolute value, so a wear date as far ahead matches too; the
  // watch worn earliest is the one found.
  for (int offset : {-days, days}) {
    auto found = unsoldWatches(services_.context(),
                               onDay("varasarake5", dayStart(offset), dayStart(offset + 1)), 1);
    if (!found.empty()) return notificationName(*found.front());
  }
  return "";
}

std::string Reminders::watchWithWarrantyEndingIn(int days) {
  const Calendar& calendar = services_.formatters.calendar();
  const LocalDateTime today = calendar.localDateTime(services_.clock.now());
  const Date from = calendar.dateFrom(today.year, today.month, today.day + days);
  const Date to = calendar.dateFrom(today.year, today.month, today.day + days + 1);
  auto found = unsoldWatches(services_.context(), onDay("takuupvm", from, to), 1);
  return found.empty() ? "" : notificationName(*found.front());
}

std::optional<PurchaseAnniversary> Reminders::purchaseAnniversary() {
  const Calendar& calendar = services_.formatters.calendar();
  const Date now = services_.clock.now();
  const Date today = calendar.startOfDay(now);
  const LocalDateTime local = calendar.localDateTime(now);

  // The earliest purchase bounds the years to look at; each year is one narrow indexed query,
  // so the rebuild never reads the whole collection.
  FetchRequest earliest = Kello::fetchRequest();
  earliest.predicate = Predicate::andPredicate(
      {unsoldWatchesPredicate(), Predicate("ostopvm >= %@", {calendar.dateFrom(1, 1, 1)})});
  earliest.sortDescriptors = {{"ostopvm", true}};
  earliest.fetchLimit = 1;
  const auto first = fetchedOrNone<Kello>(services_.context(), earliest);
  if (first.empty()) return std::nullopt;
  const int oldestYear = calendar.localDateTime(*first.front()->ostopvm()).year;

  // The calendar decides which dates are whole years ago (the 29th of February counts on the
  // 28th in other years), so the days around the same date each year are checked with it.
  std::shared_ptr<Kello> match;
  int matchYears = 0;
  for (int year = local.year - 1; year >= oldestYear; --year) {
    auto candidates =
        unsoldWatches(services_.context(),
                      onDay("ostopvm", calendar.dateFrom(year, local.month, local.day - 1),
                            calendar.dateFrom(year, local.month, local.day + 2)),
                      std::nullopt);
    for (const auto& watch : candidates) {
      const DateComponents since =
          calendar.components(calendar.startOfDay(*watch->ostopvm()), today);
      if (since.years < 1 || since.months != 0 || since.days != 0) continue;
      // The one found first in the queries' order, as a single fetch would give it.
      if (match == nullptr || watch->varasarake5() < match->varasarake5() ||
          (watch->varasarake5() == match->varasarake5() && watch->objectID() < match->objectID())) {
        match = watch;
        matchYears = since.years;
      }
      break;
    }
  }
  if (match == nullptr) return std::nullopt;
  return PurchaseAnniversary{notificationName(*match), matchYears};
}

bool Reminders::longRunningMeasurement() {
  FetchRequest request = Varataulu::fetchRequest();
  request.predicate = Predicate("varaString5 = %@", {std::string(kMeasurementStarted)});
  request.sortDescriptors = {{"varaPVM1", true}};
  request.fetchLimit = 1;
  const auto found = fetchedOrNone<Varataulu>(services_.context(), request);
  if (found.empty()) return false;
  const Date now = services_.clock.now();
  const Date started = found.front()->varaPVM1().value_or(now);
  return services_.formatters.calendar().wholeHours(started, now) > 23;
}

std::vector<NotificationRequest> Reminders::requestsToSchedule() {
  return requestsToSchedule(nullptr);
}

std::vector<NotificationRequest> Reminders::requestsToSchedule(
    std::vector<std::string_view>* scheduledLines) {
  std::vector<NotificationRequest> requests;
  std::optional<std::string> averageDiameter;
  const UserDefaults& defaults = services_.defaults;
  for (const Reminder& reminder : kReminders) {
    if (defaults.flag(reminder.flag) != true) continue;
    NotificationContent content{std::string(reminder.title),  std::string(reminder.subtitle),
                                std::string(reminder.body),   std::string(kNotificationCategory),
                                {{"customData", "fizzbuzz"}}, true};
    bool holds = true;
    switch (reminder.condition) {
      case Condition::NoWatchWornToday:
        holds = noWatchWornToday();
        break;
      case Condition::NotWornFor:
        content.title = watchNotWornFor(reminder.days);
        holds = !content.title.empty();
        break;
      case Condition::LongRunningMeasurement:
        holds = longRunningMeasurement();
        break;
      case Condition::WarrantyEndingIn:
        content.title = watchWithWarrantyEndingIn(reminder.days);
        holds = !content.title.empty();
        break;
      case Condition::PurchaseAnniversary: {
        const auto anniversary = purchaseAnniversary();
        holds = anniversary.has_value() && !anniversary->name.empty();
        if (holds) {
          content.title = anniversary->name + " anniversary: ";
          content.subtitle = std::to_string(anniversary->years) + " year(s) 🍰🍾";
        }
        break;
      }
      case Condition::AverageDiameterTip:
      case Condition::Tip: {
        // The collection list's average-diameter text, read once for the six tips.
        if (!averageDiameter) {
          averageDiameter = formatOneDecimal(DreamWatch(services_.context()).averageDiameter());
        }
        const std::string& average = *averageDiameter;
        holds = !average.empty();
        if (reminder.condition == Condition::AverageDiameterTip) {
          content.subtitle = "Average diameter: " + average + "mm";
        }
        break;
      }
    }
    // A notification without title and body would show as a blank box.
    if (!holds || (content.title.empty() && content.body.empty())) continue;
    requests.push_back({uuidString(), std::move(content), reminder.trigger});
    if (scheduledLines != nullptr && !reminder.scheduledLine.empty()) {
      scheduledLines->push_back(reminder.scheduledLine);
    }
  }
  return requests;
}

void Reminders::initiateNotifications() {
  bool allowed = true;
  center_.requestAuthorization([&allowed](bool granted) { allowed = granted; });
  diagnostic(allowed ? "Yay!" : "D'oh");
  std::vector<std::string_view> scheduledLines;
  std::vector<NotificationRequest> requests = requestsToSchedule(&scheduledLines);
  const Status replaced = center_.replacePendingNotificationRequests(std::move(requests));
  if (!replaced.isOk()) {
    diagnostic("Could not schedule the notifications: " + replaced.description());
    return;
  }
  for (std::string_view line : scheduledLines) diagnostic(line);
}

void Reminders::printPendingRequests() const {
  auto pending = center_.pendingNotificationRequests();
  if (!pending) {
    diagnostic("Could not read the pending notifications: " + pending.status().description());
    return;
  }
  for (const NotificationRequest& request : *pending) {
    diagnostic(request.identifier + " " + request.content.title + " / " + request.content.subtitle +
               " / " + request.content.body + " / " + triggerDescription(request.trigger));
  }
}

std::string triggerDescription(const CalendarTrigger& trigger) {
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d", trigger.hour, trigger.minute);
  const std::string when = trigger.day ? "day " + std::to_string(*trigger.day) + " of each month, "
                                       : std::string("daily ");
  return when + time;
}

}  // namespace tockary
