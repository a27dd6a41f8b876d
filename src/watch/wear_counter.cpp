#include "watch/wear_counter.h"

#include <array>
#include <cmath>
#include <string>

#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "watch/history_log.h"

namespace tockary {

namespace {

// One more wear on the stored count and notes, saved; `count` gets the count after it.
Status addWear(Kello& watch, AppServices& services, WearRoute route, double& count) {
  return services.context().performWrite({watch.objectID()}, [&] {
    count = watch.varasarake4() + 1;
    const HistoryLog log(services.defaults, services.formatters, services.clock);
    appendHistoryEntries(watch, log.wear(count, route));
    watch.setVarasarake4(count);
    watch.setVarasarake5(services.clock.now());
  });
}

}  // namespace

Status quickLogWear(Kello& watch, AppServices& services) {
  double count = 0;
  Status saved = addWear(watch, services, WearRoute::ListQuickLog, count);
  // Neither is a broken store: nothing was changed, and the caller says so.
  if (isStoreBusy(saved) || isRecordGone(saved)) return saved;
  if (!saved) fatalStop(saved);
  diagnostic("Tempworn: " + wholeNumberText(count));
  return saved;
}

Status logWatchOfTheDayWear(Kello& watch, AppServices& services) {
  double count = 0;
  Status saved = addWear(watch, services, WearRoute::WatchOfTheDay, count);
  diagnostic(saved ? "Item Saved" : "Save Failed");
  return saved;
}

std::string wearRateText(double count, double total) {
  return formatOneDecimal(count / total * 100) + "%";
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
  sheet.actions.push_back(okAction(ActionStyle::Cancel));
  SheetImage image;
  image.assetName = std::string(badge.imageName);
  image.frame = {screenCentreX - 30, -300, 50, 50};
  image.animatedTo = Frame{screenCentreX - 117, -320, 200, 200};
  image.animation = kBadgeAnimation;
  sheet.images.push_back(std::move(image));
  return sheet;
}

}  // namespace tockary
