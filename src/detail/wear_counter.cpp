#include "detail/wear_counter.h"

#include <array>
#include <cmath>
#include <string>

#include "detail/history_log.h"
#include "platform/ui/diagnostics.h"

namespace tockary {

namespace {

constexpr std::array<WearBadge, 10> kWearBadges = {{
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

// The count after one more wear, and the notes with the entries of that wear appended.
double addWear(Kello& watch, AppServices& services, WearRoute route) {
  const double count = watch.varasarake4() + 1;
  const HistoryLog log(services.defaults, services.formatters, services.clock);
  const std::string entries = log.wear(count, route);
  if (!entries.empty()) watch.setVarasarake3(watch.varasarake3().value_or("") + entries);
  watch.setVarasarake4(count);
  watch.setVarasarake5(services.clock.now());
  return count;
}

}  // namespace

void quickLogWear(Kello& watch, AppServices& services) {
  const double count = addWear(watch, services, WearRoute::ListQuickLog);
  Status saved = services.context().save();
  if (!saved) fatalStop(saved);
  diagnostic("Tempworn: " + std::to_string(std::llround(count)));
}

Status logWatchOfTheDayWear(Kello& watch, AppServices& services) {
  addWear(watch, services, WearRoute::WatchOfTheDay);
  Status saved = services.context().save();
  diagnostic(saved ? "Item Saved" : "Save Failed");
  return saved;
}

std::optional<WearBadge> badgeForPriorCount(double priorCount) {
  for (const WearBadge& badge : kWearBadges) {
    if (priorCount == badge.priorCount) return badge;
  }
  return std::nullopt;
}

Sheet badgeSheet(const WearBadge& badge, double screenCentreX) {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = std::string(badge.title);
  sheet.message = std::string(badge.message);
  sheet.actions.push_back({"OK", ActionStyle::Cancel, {}});
  SheetImage image;
  image.assetName = std::string(badge.imageName);
  image.frame = {screenCentreX - 30, -300, 50, 50};
  image.animatedTo = Frame{screenCentreX - 117, -320, 200, 200};
  sheet.images.push_back(std::move(image));
  return sheet;
}

}  // namespace tockary
