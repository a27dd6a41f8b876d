#include "accuracy/measurement.h"

#include <chrono>

#include "platform/format/number_text.h"

namespace tockary {

namespace {

constexpr std::string_view kShortRunMessage =
    "Measurement duration is less than 12 hours. For a more accurate result, please wait at least "
    "12 hours.";
constexpr std::string_view kLongRunMessage =
    "This measurement has been taken based on a period of longer than 12 hours, this result can "
    "be considered accurate within the abilities of this test.";

}  // namespace

std::int64_t elapsedSeconds(Date from, Date to) {
  using std::chrono::floor;
  using std::chrono::seconds;
  return (floor<seconds>(to) - floor<seconds>(from)).count();
}

double accuracyRate(double phoneSeconds, double watchSeconds) {
  return ((watchSeconds / kSecondsPerDay) / (phoneSeconds / kSecondsPerDay)) * kSecondsPerDay -
         kSecondsPerDay;
}

std::string rateText(double rate) { return formatOneDecimal(rate) + " sec/d"; }

std::string signedRateText(double rate) {
  const std::string text = formatOneDecimal(rate);
  if (text == "0.0" || text == "-0.0") return "0.0";
  return rate > 0 ? "+" + text : text;
}

std::string_view resultDurationMessage(double phoneSeconds) {
  // Exactly 12 hours has run the 12 hours the short-run message asks for.
  return phoneSeconds < static_cast<double>(kAccurateMeasurementSeconds) ? kShortRunMessage
                                                                         : kLongRunMessage;
}

std::string durationText(const Calendar& calendar, Date start, Date end) {
  const std::int64_t minutes = calendar.wholeMinutes(start, end);
  const std::string prefix = "Measure ready, duration: ";
  if (minutes >= 60) return prefix + std::to_string(calendar.wholeHours(start, end)) + " hour(s)";
  return prefix + std::to_string(minutes) + " minute(s)";
}

std::string runningTimeText(const Calendar& calendar, Date start, Date now) {
  const std::int64_t minutes = calendar.wholeMinutes(start, now);
  if (minutes < 60) return "Measuring: " + std::to_string(minutes) + " minute(s)";
  return "Measuring: " + std::to_string(calendar.wholeHours(start, now)) + "h " +
         std::to_string(minutes % 60) + "min";
}

Date currentMinute(const Calendar& calendar, Date now) {
  const Date wholeSecond = std::chrono::floor<std::chrono::seconds>(now);
  return wholeSecond - std::chrono::seconds(calendar.localDateTime(now).second);
}

std::string timeOfDayText(const Calendar& calendar, Date date) {
  const LocalDateTime local = calendar.localDateTime(date);
  return std::to_string(local.hour) + (local.minute < 10 ? ":0" : ":") +
         std::to_string(local.minute);
}

namespace {

// The date shown as hour H and minute M of the live minute's day, counted from the live minute,
// so that a minute or hour outside its range carries over (and a change of the clocks in the
// night does not move the date an hour).
Date shownDate(const Calendar& calendar, Date now, int hour, int minute) {
  const LocalDateTime live = calendar.localDateTime(now);
  return currentMinute(calendar, now) +
         std::chrono::minutes((hour - live.hour) * 60 + (minute - live.minute));
}

}  // namespace

Date MinuteAdjustment::increase(const Calendar& calendar, Date now) {
  const LocalDateTime live = calendar.localDateTime(now);
  int hour = live.hour + kasvajaTunti_;
  int minute = 0;
  ++kasvajaMinuutti_;
  if (!tuntiVaihtui_) {
    minute = live.minute + kasvajaMinuutti_;
    if (minute == 60) {
      kasvajaMinuutti_ = 0;
      kasvajaTunti_ = 1;
      hour = live.hour + 1;
      minute = 0;
      tuntiVaihtui_ = true;
    }
  } else {
    minute = kasvajaMinuutti_;
    if (kasvajaMinuutti_ == 60) {
      kasvajaMinuutti_ = 0;
      ++kasvajaTunti_;
      hour = live.hour + kasvajaTunti_;
      minute = 0;
    }
  }
  return shownDate(calendar, now, hour, minute);
}

Date MinuteAdjustment::decrease(const Calendar& calendar, Date now) {
  const LocalDateTime live = calendar.localDateTime(now);
  int hour = live.hour + kasvajaTunti_;
  int minute = 0;
  if (!tuntiVaihtui_) {
    --kasvajaMinuutti_;
    minute = live.minute + kasvajaMinuutti_;
    if (minute == 0) {
      kasvajaMinuutti_ = 0;
      tuntiVaihtui_ = true;
    }
  } else if (kasvajaMinuutti_ == 0) {
    kasvajaMinuutti_ = 59;
    --kasvajaTunti_;
    hour = live.hour + kasvajaTunti_;
    minute = 59;
  } else {
    --kasvajaMinuutti_;
    minute = kasvajaMinuutti_;
  }
  return shownDate(calendar, now, hour, minute);
}

}  // namespace tockary
