#include "watch/wear_counter.h"

#include <array>
#include <cmath>
#include <string>

#include "platform/ui/diagnostics.h"
#include "watch/history_log.h"

namespace tockary {

namespace {

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
