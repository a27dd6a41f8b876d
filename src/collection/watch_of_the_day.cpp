#include "collection/watch_of_the_day.h"

#include <random>
#include <utility>

#include "collection/row_popups.h"
#include "platform/ui/diagnostics.h"
#include "store/collection_model.h"
#include "watch/wear_counter.h"

namespace tockary {

UniformSource systemUniformSource() {
  auto engine = std::make_shared<std::mt19937>(std::random_device{}());
  return [engine](std::uint32_t bound) {
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(*engine);
  };
}

WatchOfTheDay::WatchOfTheDay(AppServices& services, UniformSource uniform)
    : services_(services), uniform_(std::move(uniform)) {}

std::shared_ptr<Kello> WatchOfTheDay::startRoulette() {
  drawn_.reset();
  FetchRequest request = Kello::fetchRequest();
  request.predicate = unsoldWatchesPredicate();
  auto fetched = services_.context().fetch<Kello>(request);
  if (!fetched) {
    diagnostic("Could not fetch " + fetched.status().description());
    return nullptr;
  }
  const std::vector<std::shared_ptr<Kello>>& watches = *fetched;
  if (watches.empty()) return nullptr;
  const std::uint32_t index = uniform_(static_cast<std::uint32_t>(watches.size()));
  drawn_ = watches.at(index);
  services_.presenter.present(sheetFor(drawn_));
  return drawn_;
}

Sheet WatchOfTheDay::sheetFor(const std::shared_ptr<Kello>& watch) {
  const std::string brand = watch->merkki().value_or("");
  Sheet sheet = infoSheet(brand, "Watch Of The Day: \n \n " + brand, watch->malli().value_or(""));
  sheet.actions.clear();
  sheet.actions.push_back({std::string(kDrawAgainAction), "Draw again", ActionStyle::Default,
                           [this] { startRoulette(); }});
  sheet.actions.push_back(
      {std::string(kWearTodayAction), "Wear today", ActionStyle::Default, [this, watch] {
         wearStatus_ = logWatchOfTheDayWear(*watch, services_);
         if (wearStatus_ && wearLogged) wearLogged();
       }});
  sheet.actions.push_back(cancelAction());

  SheetImage frame;
  frame.frame = kRouletteFrame;
  frame.decoration = {kLightGray, 10, kDarkGray, 1, 10, 0.8};
  SheetImage picture;
  picture.picture = watch->kellokuva().value_or(Bytes{});
  picture.frame = kRoulettePicture;
  picture.decoration = {std::nullopt, 0, kDarkGray, 1, 8, 0.7};
  for (SheetImage* image : {&frame, &picture}) {
    image->centredHorizontally = true;
    image->spin = kRouletteSpin;
    sheet.images.push_back(std::move(*image));
  }
  return sheet;
}

}  // namespace tockary
