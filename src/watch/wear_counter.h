#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "platform/ui/sheet.h"
#include "store/app_services.h"
#include "store/records.h"

namespace tockary {

// The collection list's quick log of one wear, under the store's write lock so that no other
// program's wear is lost: adds one to the stored count, sets the last-worn date to now, appends
// the wear entries the history-log preferences ask for to the stored notes, and saves. Returns ok;
// or, with nothing changed, the status of a busy store (isStoreBusy) or of a watch another
// program deleted (isRecordGone). Any other failure is a fatal stop.
Status quickLogWear(Kello& watch, AppServices& services);

// The wear button of the watch-of-the-day pop-up: as the quick log, but with the pop-up's own
// tenth-wear entry, and a failure is only a console line ("Save Failed"): a failed save keeps
// the change in the context, a busy store changes nothing. Returns the outcome so the caller
// refreshes the list only on success and can say that the store was busy.
Status logWatchOfTheDayWear(Kello& watch, AppServices& services);

// A watch's share of all wears (sold watches' included), "12.5%". A total of 0 shows as "inf%"
// or, with no wears at all, "nan%"; each screen decides what to show instead.
std::string wearRateText(double count, double total);

// A milestone celebrated when a confirmed wear on the detail screen lifts the count from
// exactly `priorCount` (jumps past a milestone earn nothing).
struct WearBadge {
  int priorCount;
  std::string_view title;
  std::string_view message;
  std::string_view imageName;
};

// The milestones in the order they are earned.
inline constexpr std::array<WearBadge, 10> kWearBadges = {{
    {0, "Badge unlocked for wearing this watch for the first time", "Great job!", "Badge_1Big"},
    {29, "Badge unlocked for wearing a watch 30 times", "Great job!", "Badge_30Big"},
    {49, "Badge unlocked for wearing this watch 50 times", "Excellent!", "Badge_50Big"},
    {99, "Badge unlocked for wearing this watch 100 times", "Outstanding!", "Badge_100Big"},
    {149, "Badge unlocked for wearing this watch 150 times", "True commitment, great!",
     "Badge_150Big"},
    {199, "Badge unlocked for wearing this watch 200 times", "Two stars well deserved!",
     "Badge_200Big"},
    {299, "Badge unlocked for wearing this watch 300 times", "Three stars well deserved!",
     "Badge_300Big"},
    {399, "Badge unlocked for wearing this watch 400 times", "Four stars well deserved!",
     "Badge_400Big"},
    {499, "Badge unlocked for wearing this watch 500 times", "Awesome, five stars well deserved!",
     "Badge_500Big"},
    {999, "Badge unlocked for wearing this watch 1000 times",
     "Incredible, the ultimate watch wearer grand star deserved! ", "Badge_1000Big"},
}};

// The badge for a confirmed wear whose count before it is `priorCount`, if any.
std::optional<WearBadge> badgeForPriorCount(double priorCount);

// How the badge picture grows once its sheet is shown: a spring, no delay, linear curve.
inline constexpr SpringAnimation kBadgeAnimation{4.0, 0.8, 0.5};

// The action sheet showing `badge`: its title, message, one "OK" (cancel style) and the badge
// picture, which grows from a 50 x 50 square once the sheet is shown. `screenCentreX` is the
// horizontal centre of the screen presenting it.
Sheet badgeSheet(const WearBadge& badge, double screenCentreX);

}  // namespace tockary
