#pragma once

// The arithmetic of an accuracy measurement and the texts it produces: the rate in seconds per
// day from the elapsed phone and watch times, the duration and running-time texts, and the
// minute adjustment that matches the displayed time to the watch.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "platform/format/calendar.h"

namespace tockary {

// The status a measurement record keeps in varaString5.
inline constexpr std::string_view kMeasurementStarted = "Started";
inline constexpr std::string_view kMeasurementReady = "Valmis";

// The places a watch spends a measurement in, as the environment wheel offers them.
inline constexpr std::array<std::string_view, 8> kMeasureEnvironments = {
    "On wrist",
    "In box",
    "On winder",
    "On table crown up",
    "On table crown down",
    "On table dial up",
    "On table dial down",
    "Mixed use",
};

inline constexpr double kSecondsPerDay = 86400;
// Below this phone time a result is called rough.
inline constexpr std::int64_t kAccurateMeasurementSeconds = 43200;

// Whole seconds from one date to the other, each taken to its whole second first (as a date
// written with seconds and read back).
std::int64_t elapsedSeconds(Date from, Date to);

// The rate in seconds per day, positive when the watch gained: ((watch / phone) × 86400) − 86400.
double accuracyRate(double phoneSeconds, double watchSeconds);
// "%.1f" of the rate followed by " sec/d": "4.8 sec/d", "-9.6 sec/d".
std::string rateText(double rate);
// A rate with its sign, for comparing watches: "+4.0", "-2.0", "0.0".
std::string signedRateText(double rate);

// What the result alert tells about the phone time the result rests on: below 12 hours it asks
// for a longer run; from 12 hours on it calls the result accurate.
std::string_view resultDurationMessage(double phoneSeconds);

// The duration stored with a finished measurement, from its real start to `end`:
// "Measure ready, duration: 26 hour(s)" from an hour on, else "... 45 minute(s)".
std::string durationText(const Calendar& calendar, Date start, Date end);

// How long a running measurement has run: "Measuring: 59 minute(s)", then "Measuring: 1h 0min".
std::string runningTimeText(const Calendar& calendar, Date start, Date now);

// The date's second set to zero: the minute a watch shows at that moment.
Date currentMinute(const Calendar& calendar, Date now);

// The hour and minute of a time-of-day label: "14:59", "9:05".
std::string timeOfDayText(const Calendar& calendar, Date date);

// The "+" and "-" minute buttons. Each press works from the live minute at that moment, not from
// the time shown before: until the first hour change the shown minute is the live minute plus the
// presses; from the first hour change on, the shown hour is the live hour plus the hours passed
// and the shown minute is the count of the presses within that hour. A minute that would fall
// outside 0...59 (the live minute moved on between presses) rolls over through the calendar, so
// the shown time and the date it stands for always agree. Starts at zero with every opening.
class MinuteAdjustment {
 public:
  // One press of "+" or "-" at `now`; the adjusted date (seconds zero).
  Date increase(const Calendar& calendar, Date now);
  Date decrease(const Calendar& calendar, Date now);

  int kasvajaMinuutti() const { return kasvajaMinuutti_; }
  int kasvajaTunti() const { return kasvajaTunti_; }
  bool tuntiVaihtui() const { return tuntiVaihtui_; }

 private:
  int kasvajaMinuutti_ = 0;
  int kasvajaTunti_ = 0;
  bool tuntiVaihtui_ = false;
};

}  // namespace tockary
