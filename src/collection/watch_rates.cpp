#include "collection/watch_rates.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "watch/history_log.h"

namespace tockary {

namespace {

constexpr std::string_view kKeeperRateTitle =
    "Keeper Rate:\nThe following attributes comprise the Keeper Rate. The closer to 100%, the "
    "more likely the watch is a Keeper! For accuracy, make sure all details are entered for all "
    "watches. One aspect of Keeper Rate calculation is the effective wear rate of the watch. This "
    "is essentially the wear count of the watch divided by the number of days the watch has been "
    "owned, so it's important to have the purchase date of the watch entered.";

constexpr std::string_view kSellerRateTitle =
    "Seller Rate:\nThe below attributes contribute to the suggested Seller Rate of this watch. "
    "The closer to the 100% this rating is, more likely a watch with these kind of "
    "characteristics is sold from collection. For best results, make sure all the contributing "
    "details are filled in for this (and all the other watches!)";

std::string text(const std::optional<std::string>& value) { return value.value_or(""); }

// A "%.1f" text (or a count) read back as the number it shows; "nan" and "inf" included.
std::optional<double> readBack(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// The three closeness components, as the rate sheets show them.
struct Closeness {
  std::string diameter;
  std::string thickness;
  std::string year;
};

Closeness closenessOf(const WatchFamily& family, const Kello& watch) {
  return {formatOneDecimal(family.diameterCloseness(watch.objectID())),
          formatOneDecimal(family.thicknessCloseness(watch.objectID())),
          formatOneDecimal(family.yearCloseness(watch.objectID()))};
}

Sheet rateSheet(std::string_view title, std::string message) {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = std::string(title);
  sheet.message = std::move(message);
  sheet.actions.push_back(okAction(ActionStyle::Cancel));
  return sheet;
}

}  // namespace

std::string measureAndShareLines(const Kello& watch, const ComparisonFigures& figures,
                                 std::string_view thicknessBreak, std::string_view dialBreak) {
  return "Diameter: " + text(watch.halkaisija()) + "mm  (Avg. " + " " + figures.averageDiameter +
         "mm)" + std::string(thicknessBreak) + "Thickness: " + text(watch.paksuus()) +
         "mm  (Avg. " + " " + figures.averageThickness + "mm)" + std::string(dialBreak) +
         "Dial Color: " + text(watch.tauluvari()) + " (" + figures.dialColourShare + "%)" +
         " \nCase Material: " + text(watch.kuorenmateriaali()) + " (" + figures.caseMaterialShare +
         "%)" + " \nMovement type:" + text(watch.koneistotyyppi()) + " (" +
         figures.movementTypeShare + "%)";
}

ComparisonFigures comparisonFigures(const WatchFamily& family, const Kello& watch,
                                    double totalWearCount) {
  ComparisonFigures figures;
  figures.averageDiameter = formatOneDecimal(family.averageDiameter());
  figures.averageThickness = formatOneDecimal(family.averageThickness());
  figures.averageYear = formatOneDecimal(family.averageYear());
  figures.brandShare = formatOneDecimal(family.brandShare(text(watch.merkki())));
  figures.dialColourShare = formatOneDecimal(family.dialColourShare(text(watch.tauluvari())));
  figures.caseMaterialShare =
      formatOneDecimal(family.caseMaterialShare(text(watch.kuorenmateriaali())));
  figures.movementTypeShare =
      formatOneDecimal(family.movementTypeShare(text(watch.koneistotyyppi())));
  figures.wearCount = wholeNumberText(watch.varasarake4());
  figures.totalWearCount = totalWearCount;
  return figures;
}

std::optional<std::string> meanRateText(const std::vector<std::string>& components) {
  double sum = 0;
  for (const std::string& component : components) {
    const auto value = readBack(component);
    if (!value) return std::nullopt;
    sum += *value;
  }
  const std::string rate =
      formatOneDecimal(sum / (static_cast<double>(components.size()) * 100) * 100);
  return rate == "nan" ? "0" : rate;
}

RateOutcome showKeeperRate(AppServices& services, Kello& watch, const ComparisonFigures& figures) {
  const Closeness closeness = closenessOf(DreamWatch(services.context()), watch);
  const auto rate = meanRateText(
      {formatOneDecimal(readBack(figures.wearCount).value_or(NAN) / figures.totalWearCount * 100),
       figures.brandShare, closeness.thickness, closeness.diameter, figures.dialColourShare,
       figures.caseMaterialShare, figures.movementTypeShare, closeness.year});
  if (!rate) return {{}, Status::ok()};
  services.presenter.present(
      rateSheet(kKeeperRateTitle, measureAndShareLines(watch, figures, "   \n", "  \n") +
                                      " \nYear: " + text(watch.vuosimalli()) + " (Avg. " +
                                      figures.averageYear + ") KR: " + closeness.year + "%" +
                                      "  \nKeeper Rate: " + *rate + "%" + " "));

  const HistoryLog log(services.defaults, services.formatters, services.clock);
  if (!log.isOn() || !watch.varasarake3()) return {*rate, Status::ok()};
  Status logged = services.context().performWrite({watch.objectID()}, [&] {
    // Another program may have cleared the notes meanwhile; then there is no log to add to.
    if (watch.varasarake3()) appendHistoryEntries(watch, log.keeperRate(*rate));
  });
  if (!logged && !isStoreBusy(logged) && !isRecordGone(logged)) fatalStop(logged);
  return {*rate, logged};
}

RateOutcome showSellerRate(AppServices& services, const Kello& watch,
                           const ComparisonFigures& figures) {
  const Closeness closeness = closenessOf(SoldWatch(services.context()), watch);
  const std::string rate =
      meanRateText({figures.brandShare, closeness.diameter, closeness.thickness,
                    figures.dialColourShare, figures.caseMaterialShare, figures.movementTypeShare,
                    closeness.year})
          .value_or("0");
  services.presenter.present(rateSheet(
      kSellerRateTitle, "Brand: " + text(watch.merkki()) + " (" + figures.brandShare + "%)" +
                            "  \n" + measureAndShareLines(watch, figures, " \n", " \n") +
                            " \nYear: " + text(watch.vuosimalli()) + " (Avg. " +
                            figures.averageYear + ") SR: " + closeness.year + "%" +
                            "\nSeller Rate: " + rate + "%" + " "));
  return {rate, Status::ok()};
}

}  // namespace tockary
